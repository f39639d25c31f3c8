// The registry as the program sees it: the advapi32 calls it makes, with their
// Win32 result codes.
//
// Text crosses this boundary in UTF-8, whatever the system's ANSI code page:
// key paths, key and value names, and the data of the text types REG_SZ,
// REG_EXPAND_SZ and REG_MULTI_SZ, which the registry keeps in UTF-16. Text data
// is exactly the stored UTF-16 code units in UTF-8, terminating NULs included
// (an unpaired surrogate, and an odd last byte, as U+FFFD); its size is
// the UTF-8 byte count. Data of every other type passes as stored. A name,
// path or text data that is not well-formed UTF-8 is refused with 1113.
//
// 64-bit Windows keeps two views of HKEY_LOCAL_MACHINE\SOFTWARE: the 64-bit
// one that Windows itself uses, and the 32-bit one (SOFTWARE\WOW6432Node as
// the 64-bit view names it) where 32-bit programs keep their settings. Every
// call reaches the 64-bit view, whatever the program's own bitness, unless
// kKeyWow64_32Key is in its access (or view). On 32-bit Windows there is one
// view and the flags change nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ferrolis::platform {

// A predefined root key, held as its 32-bit handle value (0 = none).
using RootKey = std::uint32_t;
// An open key. 0 is never a valid open key.
using KeyHandle = std::uintptr_t;

inline constexpr RootKey kHkeyClassesRoot = 0x80000000u;
inline constexpr RootKey kHkeyCurrentUser = 0x80000001u;
inline constexpr RootKey kHkeyLocalMachine = 0x80000002u;
inline constexpr RootKey kHkeyUsers = 0x80000003u;
inline constexpr RootKey kHkeyCurrentConfig = 0x80000005u;

// Win32 result codes the program relies on.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorNoMoreItems = 259;
// A name that UTF-8 cannot carry exactly (an unpaired UTF-16 surrogate).
inline constexpr long kErrorNoUnicodeTranslation = 1113;

// Access masks.
inline constexpr std::uint32_t kKeyRead = 0x20019u;
inline constexpr std::uint32_t kKeyAllSpecificRights = 0x3Fu;
// The registry view asked for, added to an access mask (KEY_WOW64_64KEY,
// KEY_WOW64_32KEY).
inline constexpr std::uint32_t kKeyWow64_64Key = 0x100u;
inline constexpr std::uint32_t kKeyWow64_32Key = 0x200u;

// Value type codes.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegDwordBigEndian = 5;
inline constexpr std::uint32_t kRegMultiSz = 7;
inline constexpr std::uint32_t kRegQword = 11;

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExW(root, path, 0, access, &key).
  virtual long OpenKey(RootKey root, const std::string& path, std::uint32_t access,
                       KeyHandle* key) = 0;
  // RegCreateKeyExW(root, path, 0, no class, REG_OPTION_NON_VOLATILE, access, no
  // security, &key, disposition ignored): every missing level is created.
  virtual long CreateKey(RootKey root, const std::string& path, std::uint32_t access,
                         KeyHandle* key) = 0;
  // RegQueryValueExW. With data == nullptr only *type and *size are filled.
  // With a buffer, *size is its capacity on entry and the byte count on return;
  // a buffer too small gives kErrorMoreData and the size needed.
  virtual long QueryValue(KeyHandle key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) = 0;
  // RegSetValueExW(key, name, 0, type, data, size).
  virtual long SetValue(KeyHandle key, const std::string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) = 0;
  // RegDeleteValueW.
  virtual long DeleteValue(KeyHandle key, const std::string& name) = 0;
  // RegDeleteKeyExW(root, path, view, 0), view 0, kKeyWow64_64Key or
  // kKeyWow64_32Key: refuses a key that still has subkeys with 5.
  virtual long DeleteKey(RootKey root, const std::string& path, std::uint32_t view) = 0;
  // RegEnumKeyExW: the name of subkey `index`, NUL terminated in buffer
  // (capacity `size` bytes); 259 past the last one. An unpaired surrogate in
  // the name comes as U+FFFD, so that the listing goes on past it.
  virtual long EnumKey(KeyHandle key, std::uint32_t index, char* buffer, std::uint32_t size) = 0;
  // RegCloseKey.
  virtual long CloseKey(KeyHandle key) = 0;

  // The raw read that backs a key tree up before it is deleted: names exactly
  // as stored, and data as the registry keeps it.
  //
  // RegEnumKeyExW: the name of subkey `index`; 259 past the last one; 1113
  // for a name that UTF-8 cannot carry exactly.
  virtual long EnumKeyWide(KeyHandle key, std::uint32_t index, std::string* name) = 0;
  // RegEnumValueW: value `index` with its name (empty for the key's default
  // value), its type and its data exactly as stored, the text types REG_SZ,
  // REG_EXPAND_SZ and REG_MULTI_SZ in UTF-16LE; 259 past the last one. A name
  // that UTF-8 cannot carry exactly gives 1113.
  virtual long EnumValueWide(KeyHandle key, std::uint32_t index, std::string* name,
                             std::uint32_t* type, std::vector<std::uint8_t>* data) = 0;

  // Whether Windows is 64-bit, so that the registry has its two views; the
  // same answer for a 32-bit and a 64-bit build.
  virtual bool SixtyFourBitWindows() = 0;
};

// The path at which the 64-bit view, and so the registry editor of 64-bit
// Windows, reaches the key of the 32-bit view at (root, path): below
// HKEY_LOCAL_MACHINE\SOFTWARE, SOFTWARE\WOW6432Node. The few keys below
// SOFTWARE that Windows shares between the views are not told apart; the
// uninstall list is not one of them.
std::string SixtyFourBitViewPath(RootKey root, const std::string& path);

// Where the registry editor reaches the key that `view` (0, kKeyWow64_64Key
// or kKeyWow64_32Key) reaches at (root, path).
std::string EditorPath(bool sixty_four_bit_windows, std::uint32_t view, RootKey root,
                       const std::string& path);

}  // namespace ferrolis::platform
