// A registry key with all its values and subkeys, read exactly as stored, so
// that it can be written back as it was.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace ferrolis::uninstall {

struct StoredValue {
  std::string name;  // empty for the key's default value
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;  // text types in UTF-16LE
  friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

// A subkey as reached in one registry view: 0 for the 64-bit view, or
// platform::kKeyWow64_32Key for the 32-bit one.
struct ViewedKey {
  std::uint32_t view = 0;
  std::string name;
  friend bool operator==(const ViewedKey&, const ViewedKey&) = default;
  friend auto operator<=>(const ViewedKey&, const ViewedKey&) = default;
};

struct KeyTree {
  std::string path;  // below the root, names separated by backslashes
  std::vector<StoredValue> values;
  std::vector<KeyTree> subkeys;
  friend bool operator==(const KeyTree&, const KeyTree&) = default;
};

// Reads the key (root, path) of the registry view `view` and everything below
// it, names and data exactly as stored, one key open at a time. Returns 0 when
// the whole tree was read; otherwise the registry's code for the first key or
// value that could not be read (2 when the key itself is missing), and the
// tree is incomplete.
long ReadKeyTree(platform::Registry& registry, std::uint32_t view, platform::RootKey root,
                 const std::string& path, KeyTree* tree);

}  // namespace ferrolis::uninstall
