#include "uninstall/reg_file.h"

#include "registry/reg_file_writer.h"

namespace ferrolis::uninstall {
namespace {

// The tree key by key, parents before their subkeys.
bool AppendTree(registry::RegFileWriter& file, std::string_view root, const KeyTree& tree) {
  if (!file.Key(root, tree.path)) return false;
  for (const StoredValue& value : tree.values) {
    if (!file.Value(value.name, value.type, value.data)) return false;
  }
  for (const KeyTree& subkey : tree.subkeys) {
    if (!AppendTree(file, root, subkey)) return false;
  }
  return true;
}

}  // namespace

bool HoldsNameWithLineBreak(const KeyTree& tree) {
  const auto breaks = [](const std::string& name) {
    return name.find_first_of("\r\n") != std::string::npos;
  };
  if (breaks(tree.path)) return true;
  for (const StoredValue& value : tree.values) {
    if (breaks(value.name)) return true;
  }
  for (const KeyTree& subkey : tree.subkeys) {
    if (HoldsNameWithLineBreak(subkey)) return true;
  }
  return false;
}

std::optional<std::string> RegFileBytes(std::string_view root_name,
                                        const std::vector<KeyTree>& trees) {
  registry::RegFileWriter file;
  for (const KeyTree& tree : trees) {
    if (!AppendTree(file, root_name, tree)) return std::nullopt;
  }
  return file.Bytes();
}

}  // namespace ferrolis::uninstall
