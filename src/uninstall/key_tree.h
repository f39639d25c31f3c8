// A registry key with all its values and subkeys, read exactly as stored, so
// that it can be written back as it was.
#pragma once

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

struct KeyTree {
  std::string path;  // below the root, names separated by backslashes
  std::vector<StoredValue> values;
  std::vector<KeyTree> subkeys;
  friend bool operator==(const KeyTree&, const KeyTree&) = default;
};

// Reads the key (root, path) and everything below it through the registry's
// wide calls, one key open at a time. Returns 0 when the whole tree was read;
// otherwise the registry's code for the first key or value that could not be
// read (2 when the key itself is missing), and the tree is incomplete.
long ReadKeyTree(platform::Registry& registry, platform::RootKey root, const std::string& path,
                 KeyTree* tree);

}  // namespace ferrolis::uninstall
