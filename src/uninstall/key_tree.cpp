#include "uninstall/key_tree.h"

#include "registry/open_key.h"

namespace ferrolis::uninstall {
namespace {

// Values and subkey names of one key; the key is closed again before the
// subkeys are read, so a deep tree holds one handle at a time.
long ReadOneKey(platform::Registry& registry, std::uint32_t view, platform::RootKey root,
                KeyTree* tree, std::vector<std::string>* subkey_names) {
  registry::OpenKey key(registry);
  if (const long opened = key.Open(root, tree->path, platform::kKeyRead | view)) return opened;
  for (std::uint32_t index = 0;; ++index) {
    StoredValue value;
    const long result =
        registry.EnumValueWide(key.handle(), index, &value.name, &value.type, &value.data);
    if (result == platform::kErrorNoMoreItems) break;
    if (result != platform::kErrorSuccess) return result;
    tree->values.push_back(std::move(value));
  }
  for (std::uint32_t index = 0;; ++index) {
    std::string name;
    const long result = registry.EnumKeyWide(key.handle(), index, &name);
    if (result == platform::kErrorNoMoreItems) break;
    if (result != platform::kErrorSuccess) return result;
    subkey_names->push_back(std::move(name));
  }
  return platform::kErrorSuccess;
}

}  // namespace

long ReadKeyTree(platform::Registry& registry, std::uint32_t view, platform::RootKey root,
                 const std::string& path, KeyTree* tree) {
  tree->path = path;
  tree->values.clear();
  tree->subkeys.clear();
  std::vector<std::string> names;
  if (const long result = ReadOneKey(registry, view, root, tree, &names)) return result;
  for (const std::string& name : names) {
    KeyTree subkey;
    const long result = ReadKeyTree(registry, view, root, path + "\\" + name, &subkey);
    tree->subkeys.push_back(std::move(subkey));
    // Any subkey that cannot be read, even one deleted meanwhile, leaves the
    // tree incomplete.
    if (result != platform::kErrorSuccess) return result;
  }
  return platform::kErrorSuccess;
}

}  // namespace ferrolis::uninstall
