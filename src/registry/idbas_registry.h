// IDBAS_Registry: every read, write, enumeration and deletion of registry
// values and keys that the program makes.
//
// A key is addressed by a predefined root key (its 32-bit handle value) and a
// subkey path joined from a base path and two further levels. Every operation
// opens and closes its own key within the call; nothing is cached. No
// operation throws: reads fall back to a default; writes and deletions tell
// their caller when they did not happen, because the data cannot be
// converted or because the registry refused them (a standard user's policy
// key, a machine key, a value that an ACL or Group Policy protects). Texts
// are UTF-8, as the platform's registry hands them over.
//
// The layer works in one registry view: by default the 64-bit view, the one
// Windows itself uses; an instance made for the 32-bit view reaches the keys
// that 32-bit programs keep on 64-bit Windows.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "registry/registry_value.h"

namespace ferrolis::registry {

class IDBAS_Registry {
 public:
  // `view` is 0 for the 64-bit view, or platform::kKeyWow64_32Key.
  explicit IDBAS_Registry(platform::Registry& registry, std::uint32_t view = 0)
      : registry_(registry), view_(view) {}

  platform::Registry& platform() const { return registry_; }
  std::uint32_t view() const { return view_; }

  // "HKEY_LOCAL_MACHINE" (any case) -> 0x80000002; 0 for anything else.
  static platform::RootKey RootKeyFromName(std::string_view name);
  // 0x80000002 -> "HKEY_LOCAL_MACHINE"; empty text for a value not in the table.
  static std::string RootKeyName(platform::RootKey root);
  // Joins up to three pieces with single backslashes, collapses runs of
  // backslashes, then turns forward slashes into backslashes.
  static std::string BuildKeyPath(std::string_view BasePath, std::string_view SubKey1,
                                  std::string_view SubKey2);

  // Reads a value. A missing key or value, refused access, a type other than
  // REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD or REG_DWORD_BIG_ENDIAN, or a
  // text that is blank gives DefaultValue. FullAccess opens the key with all
  // six specific rights instead of KEY_READ; nothing is written either way.
  RegistryValue GetRegistryValue(std::string_view SubKey1, std::string_view SubKey2,
                                 std::string_view ValueName, std::string_view DefaultValue,
                                 platform::RootKey RootKey, std::string_view BasePath,
                                 bool FullAccess) const;

  // Reads several values of one key, each as GetRegistryValue reads it, in
  // the order of ValueNames; the key is opened once for all of them.
  std::vector<RegistryValue> GetRegistryValues(std::string_view SubKey1, std::string_view SubKey2,
                                               std::initializer_list<std::string_view> ValueNames,
                                               std::string_view DefaultValue,
                                               platform::RootKey RootKey, std::string_view BasePath,
                                               bool FullAccess) const;

  // Creates the key when missing (every level) and writes a value: REG_SZ and
  // REG_EXPAND_SZ as the text plus a NUL; REG_DWORD and
  // REG_DWORD_BIG_ENDIAN as the text's number, four bytes little-endian; other
  // types write nothing. Returns false when nothing was stored because the
  // text does not convert to a number for the two DWORD types, or because the
  // registry refused to create or open the key for writing, or refused the
  // write itself.
  bool SetRegistryValue(std::string_view SubKey1, std::string_view SubKey2,
                        std::string_view ValueName, std::string_view ValueData,
                        platform::RootKey RootKey, std::string_view BasePath,
                        std::uint32_t ValueType);

  // Lists the direct subkeys of (RootName, KeyPath) in the registry's index
  // order. KeyPath is normalised in place. With WithSubkeyFlags, HasSubkeys
  // tells for each name whether that subkey has subkeys of its own; otherwise
  // it is left empty. A missing key or unknown root gives empty lists.
  void EnumRegistryKeys(std::vector<std::string>& SubkeyNames, std::vector<bool>& HasSubkeys,
                        std::string_view RootName, std::string& KeyPath,
                        bool WithSubkeyFlags) const;

  // With a ValueName: deletes that value as DeleteRegistryValue does and
  // returns true when a value was deleted. With an empty
  // ValueName: deletes the key and everything below it, depth first, and
  // returns true when the key itself is gone. A path naming no key below the
  // root is refused with false.
  bool DeleteRegistryEntry(std::string_view SubKey1, std::string_view SubKey2,
                           std::string_view ValueName, platform::RootKey RootKey,
                           std::string_view BasePath);

  // Deletes one value, creating the key path when it is missing. A value that
  // is not there is no refusal, even when the key may not be opened for
  // writing: what was asked for already holds.
  enum class ValueDeletion { Deleted, Missing, Refused };
  ValueDeletion DeleteRegistryValue(std::string_view SubKey1, std::string_view SubKey2,
                                    std::string_view ValueName, platform::RootKey RootKey,
                                    std::string_view BasePath);

  // A subkey that a listing handed out is addressed by its name exactly as
  // listed: KeyPath is joined as BuildKeyPath joins a path, and Name is added
  // behind it as it is, a slash or a blank included (a slash is a character of
  // a key name, not a separator).
  static std::string SubkeyPath(std::string_view KeyPath, std::string_view Name);

  // Reads several values of the subkey Name of (RootKey, KeyPath), each as
  // GetRegistryValue reads it, in the order of ValueNames.
  std::vector<RegistryValue> GetSubkeyValues(std::string_view KeyPath, std::string_view Name,
                                             std::initializer_list<std::string_view> ValueNames,
                                             std::string_view DefaultValue,
                                             platform::RootKey RootKey, bool FullAccess) const;

  // Deletes the subkey Name of (RootKey, KeyPath) with everything below it,
  // depth first. Returns 0 when it is gone, 2 when it was not there; any other
  // code is the registry's answer when the subkey stays (5 when its deletion,
  // or that of a key below it, was refused). An empty Name deletes nothing
  // (87).
  long DeleteSubkeyTree(platform::RootKey RootKey, std::string_view KeyPath, std::string_view Name);

  // The type and data of a value as stored, no more than Limit bytes of it,
  // the key (RootKey, Path: taken as it is) opened for reading only, which
  // anyone may do even under HKEY_LOCAL_MACHINE. Nothing when the key does not
  // open or the value cannot be read into Limit bytes.
  struct RawValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
  };
  std::optional<RawValue> ReadRawValue(platform::RootKey RootKey, const std::string& Path,
                                       std::string_view ValueName, std::uint32_t Limit) const;

  // Reads the data of a value of an open key; nothing when it cannot be
  // queried or read or has a type the program does not read.
  std::optional<RegistryValue> ReadValueData(platform::KeyHandle key,
                                             std::string_view ValueName) const;
  // Converts ValueData for ValueType and stores it in an open key (handle 0
  // stores nothing). Returns false when a type it writes was not stored: the
  // text does not convert to a number for a DWORD type, the key is not open,
  // or the registry refused the write.
  bool WriteValueData(platform::KeyHandle key, std::string_view ValueName, std::uint32_t ValueType,
                      std::string_view ValueData);

 private:
  bool DeleteKeyTree(platform::RootKey root, const std::string& path);
  // The registry's last answer for the key at `path`, taken exactly as given.
  long DeleteTreeAt(platform::RootKey root, const std::string& path);
  std::vector<RegistryValue> ReadValuesAt(platform::RootKey root, const std::string& path,
                                          std::initializer_list<std::string_view> ValueNames,
                                          std::string_view DefaultValue, bool FullAccess) const;

  platform::Registry& registry_;
  std::uint32_t view_;
};

// The texts that REG_DWORD and REG_DWORD_BIG_ENDIAN writes accept: an optional
// '+' or '-' followed by decimal digits only, within the signed 32-bit range.
// Blanks, fractions, exponents and other notations do not convert.
std::optional<std::int32_t> ParseDwordText(std::string_view text);

}  // namespace ferrolis::registry
