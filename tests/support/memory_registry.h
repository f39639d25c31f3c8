// An in-memory registry that behaves like the Windows registry, seen through
// the platform interface, in everything the program relies on:
// - key and value names compare without regard to case and keep the case in
//   which they were first written;
// - subkeys are handed out by index in the order Windows gives, names compared
//   in upper case (Wine compares in lower case: the two differ only for the
//   characters [ \ ] ^ _ ` , which the shared tests avoid), and the index past
//   the last subkey gives 259;
// - CreateKey creates every missing level; a path may not start with a
//   backslash (161), runs of backslashes count as one and a trailing one is
//   ignored; a key name longer than 255 characters is refused with 87;
// - DeleteKey refuses a key that still has subkeys, and the root itself, with 5;
// - a handle only allows what its access mask grants: query value (0x1), set
//   value (0x2) and enumerate (0x8), otherwise 5; a too small buffer gives 234
//   and the size needed;
// - paths, names and text data (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are
//   UTF-8, refused with 1113 when they are not well-formed; text data is kept
//   as written and reads back through the wide enumeration in UTF-16LE;
// - a handle to a key deleted since it was opened gives 1018.
// SetSixtyFourBitWindows(true) plays 64-bit Windows: the 32-bit view
// (kKeyWow64_32Key) of HKEY_LOCAL_MACHINE\SOFTWARE\X is the key
// SOFTWARE\WOW6432Node\X, and the 64-bit view is the keys as seeded.
// SetAdministrator(false) plays a user without administrator rights: under
// HKEY_LOCAL_MACHINE nothing may be created or deleted and no key may be
// opened with set-value, create-subkey or other writing rights (5); reading
// works as before. ProtectKey plays an ACL that lets the user read a key and
// everything below it but change nothing there (a standard user's
// HKEY_CURRENT_USER policy key on Windows Vista and later); ProtectValue one
// value that may not be set or deleted in a key that is otherwise writable
// (as Group Policy or security software keeps it).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/registry.h"

namespace ferrolis::testing {

struct RawValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  friend bool operator==(const RawValue&, const RawValue&) = default;
};

// One call made through the platform interface, as the double saw it.
struct RegistryCall {
  std::string op;        // "OpenKey", "CreateKey", "QueryValue", "SetValue", ...
  std::string path;      // the path given, or the full path of the handle's key
  std::string name;      // value name, where there is one
  std::uint32_t access;  // access mask of OpenKey and CreateKey, view of DeleteKey,
                         // index of EnumKey
  long result;
};

class MemoryRegistry final : public platform::Registry {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;

  long OpenKey(platform::RootKey root, const std::string& path, std::uint32_t access,
               platform::KeyHandle* key) override;
  long CreateKey(platform::RootKey root, const std::string& path, std::uint32_t access,
                 platform::KeyHandle* key) override;
  long QueryValue(platform::KeyHandle key, const std::string& name, std::uint32_t* type,
                  std::uint8_t* data, std::uint32_t* size) override;
  long SetValue(platform::KeyHandle key, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::uint32_t size) override;
  long DeleteValue(platform::KeyHandle key, const std::string& name) override;
  long DeleteKey(platform::RootKey root, const std::string& path, std::uint32_t view) override;
  long EnumKey(platform::KeyHandle key, std::uint32_t index, char* buffer,
               std::uint32_t size) override;
  long CloseKey(platform::KeyHandle key) override;
  long EnumKeyWide(platform::KeyHandle key, std::uint32_t index, std::string* name) override;
  long EnumValueWide(platform::KeyHandle key, std::uint32_t index, std::string* name,
                     std::uint32_t* type, std::vector<std::uint8_t>* data) override;
  bool SixtyFourBitWindows() override { return sixty_four_bit_windows_; }

  void SetSixtyFourBitWindows(bool on) { sixty_four_bit_windows_ = on; }
  void SetAdministrator(bool administrator) { administrator_ = administrator; }
  void ProtectKey(platform::RootKey root, std::string_view path) {
    protected_.push_back({root, std::string(path), {}});
  }
  void ProtectValue(platform::RootKey root, std::string_view path, std::string_view name) {
    protected_.push_back({root, std::string(path), std::string(name)});
  }

  // Direct access for tests, past every right and not recorded as calls.
  void SeedKey(platform::RootKey root, std::string_view path);
  void SeedValue(platform::RootKey root, std::string_view path, std::string_view name,
                 std::uint32_t type, std::vector<std::uint8_t> data);
  bool KeyExists(platform::RootKey root, std::string_view path) const;
  std::optional<RawValue> Value(platform::RootKey root, std::string_view path,
                                std::string_view name) const;
  // Names as stored, subkeys in index order, values in the order written.
  std::vector<std::string> SubkeyNames(platform::RootKey root, std::string_view path) const;
  std::vector<std::string> ValueNames(platform::RootKey root, std::string_view path) const;

  std::size_t OpenHandleCount() const { return handles_.size(); }
  const std::vector<RegistryCall>& calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  // On by default; benchmarks turn it off.
  void RecordCalls(bool on) { recording_ = on; }

 private:
  struct Node;
  struct Handle {
    std::shared_ptr<Node> node;
    platform::RootKey root;
    std::uint32_t access;
  };

  Node* Root(platform::RootKey root) const;
  // 0 and the key, or a Win32 error code.
  long Find(platform::RootKey root, std::string_view path, std::shared_ptr<Node>* found) const;
  // The path as the view asked for in `access` reaches it.
  std::string InView(platform::RootKey root, const std::string& path, std::uint32_t access) const;
  long Resolve(platform::KeyHandle key, std::uint32_t right, Handle** handle);
  platform::KeyHandle AddHandle(std::shared_ptr<Node> node, platform::RootKey root,
                                std::uint32_t access);
  long Record(std::string op, std::string path, std::string name, std::uint32_t access,
              long result);
  bool MayWrite(platform::RootKey root) const;
  // The key, or with a name that value of it, is not protected.
  bool MayWrite(platform::RootKey root, const Node& node, std::string_view value = {}) const;

  std::map<platform::RootKey, std::shared_ptr<Node>> roots_;
  std::unordered_map<platform::KeyHandle, Handle> handles_;
  platform::KeyHandle next_handle_ = 0x1000;
  struct Protected {
    platform::RootKey root;
    std::string path, name;  // no name: the key and everything below it
  };
  std::vector<Protected> protected_;
  bool administrator_ = true;
  bool sixty_four_bit_windows_ = false;
  bool recording_ = true;
  std::vector<RegistryCall> calls_;
};

}  // namespace ferrolis::testing
