// The registry as the program sees it: the advapi32 calls it makes, with their
// Win32 result codes. Names and paths are UTF-8; value data is raw bytes (text
// data in the system's ANSI code page, as the registry stores it).
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

  // RegOpenKeyExA(root, path, 0, access, &key).
  virtual long OpenKey(RootKey root, const std::string& path, std::uint32_t access,
                       KeyHandle* key) = 0;
  // RegCreateKeyExA(root, path, 0, no class, REG_OPTION_NON_VOLATILE, access, no
  // security, &key, disposition ignored): every missing level is created.
  virtual long CreateKey(RootKey root, const std::string& path, std::uint32_t access,
                         KeyHandle* key) = 0;
  // RegQueryValueExA. With data == nullptr only *type and *size are filled.
  // With a buffer, *size is its capacity on entry and the byte count on return;
  // a buffer too small gives kErrorMoreData.
  virtual long QueryValue(KeyHandle key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) = 0;
  // RegSetValueExA(key, name, 0, type, data, size).
  virtual long SetValue(KeyHandle key, const std::string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) = 0;
  // RegDeleteValueA.
  virtual long DeleteValue(KeyHandle key, const std::string& name) = 0;
  // RegDeleteKeyA(root, path): refuses a key that still has subkeys with 5.
  virtual long DeleteKey(RootKey root, const std::string& path) = 0;
  // RegEnumKeyA(key, index, buffer, size): the name of subkey `index`, NUL
  // terminated in buffer (capacity `size` bytes).
  virtual long EnumKey(KeyHandle key, std::uint32_t index, char* buffer, std::uint32_t size) = 0;
  // RegCloseKey.
  virtual long CloseKey(KeyHandle key) = 0;

  // The raw read that backs a key tree up before it is deleted. It goes
  // through the registry's wide (UTF-16) functions, so that names outside the
  // ANSI code page are reached and read exactly as stored.
  //
  // RegOpenKeyExW(root, path, 0, access, &key).
  virtual long OpenKeyWide(RootKey root, const std::string& path, std::uint32_t access,
                           KeyHandle* key) = 0;
  // RegEnumKeyExW: the name of subkey `index`; 259 past the last one.
  virtual long EnumKeyWide(KeyHandle key, std::uint32_t index, std::string* name) = 0;
  // RegEnumValueW: value `index` with its name (empty for the key's default
  // value), its type and its data exactly as stored, the text types REG_SZ,
  // REG_EXPAND_SZ and REG_MULTI_SZ in UTF-16LE; 259 past the last one. A name
  // that UTF-8 cannot carry exactly gives 1113.
  virtual long EnumValueWide(KeyHandle key, std::uint32_t index, std::string* name,
                             std::uint32_t* type, std::vector<std::uint8_t>* data) = 0;

  // The path under which the registry editor reaches the key that this
  // program reaches at (root, path): the same path, except for a 32-bit
  // program on 64-bit Windows (see SixtyFourBitViewPath).
  virtual std::string EditorPath(RootKey root, const std::string& path) = 0;
};

// For a 32-bit program on 64-bit Windows, HKEY_LOCAL_MACHINE\SOFTWARE is the
// 32-bit view of the registry, which 64-bit programs such as the registry
// editor reach as SOFTWARE\WOW6432Node. Gives the path a 64-bit program uses
// for the key a 32-bit one reaches at (root, path). The few keys below
// SOFTWARE that Windows shares between the views are not told apart; the
// uninstall list is not one of them.
std::string SixtyFourBitViewPath(RootKey root, const std::string& path);

}  // namespace ferrolis::platform
