// Listing the subkeys of a key, and deleting values and whole key trees.
#include <algorithm>
#include <vector>

#include "registry/idbas_registry.h"
#include "registry/open_key.h"

namespace ferrolis::registry {
namespace {

constexpr long kErrorNotEnoughMemory = 8;
constexpr long kErrorInvalidParameter = 87;

// Far above the registry's limit of 255 characters for a key name.
constexpr std::uint32_t kNameBufferSize = 2000;

// The buffer was filled with NULs before the call: the name ends where the
// first run of four NULs begins, and a buffer without one is taken whole.
std::string NameFromBuffer(const std::vector<char>& buffer) {
  static constexpr char kEnd[4] = {'\0', '\0', '\0', '\0'};
  const auto end = std::search(buffer.begin(), buffer.end(), kEnd, kEnd + 4);
  return std::string(buffer.begin(), end);
}

// The name of subkey `index` of an open key, or nothing when the registry
// answers anything but success (259 past the last subkey).
std::optional<std::string> SubkeyAt(platform::Registry& registry, platform::KeyHandle key,
                                    std::uint32_t index, std::vector<char>& buffer) {
  std::fill(buffer.begin(), buffer.end(), '\0');
  if (registry.EnumKey(key, index, buffer.data(), kNameBufferSize) != platform::kErrorSuccess) {
    return std::nullopt;
  }
  return NameFromBuffer(buffer);
}

// Lists the subkeys of (root, path) taking the path exactly as given. The key
// is opened once for the whole listing; the list ends at the first index the
// registry does not answer.
void ListSubkeys(platform::Registry& registry, std::uint32_t view, platform::RootKey root,
                 const std::string& path, std::vector<std::string>& names,
                 std::vector<bool>* has_subkeys) {
  if (root == 0) return;
  OpenKey key(registry);
  if (key.Open(root, path, platform::kKeyRead | view) != platform::kErrorSuccess) return;
  std::vector<char> buffer(kNameBufferSize);
  for (std::uint32_t index = 0;; ++index) {
    std::optional<std::string> name = SubkeyAt(registry, key.handle(), index, buffer);
    if (!name) break;
    if (has_subkeys) {
      OpenKey child(registry);
      child.Open(root, path.empty() ? *name : path + "\\" + *name, platform::kKeyRead | view);
      has_subkeys->push_back(child.is_open() &&
                             SubkeyAt(registry, child.handle(), 0, buffer).has_value());
    }
    names.push_back(std::move(*name));
  }
}

// A name handed out by the registry is used as it is: a slash is a legal
// character inside a key name and must not turn into a separator here.
std::string ChildPath(const std::string& parent, const std::string& name) {
  if (!parent.empty() && parent.back() == '\\') return parent + name;
  return parent + "\\" + name;
}

}  // namespace

void IDBAS_Registry::EnumRegistryKeys(std::vector<std::string>& SubkeyNames,
                                      std::vector<bool>& HasSubkeys, std::string_view RootName,
                                      std::string& KeyPath, bool WithSubkeyFlags) const {
  SubkeyNames.clear();
  HasSubkeys.clear();
  try {
    KeyPath = BuildKeyPath(KeyPath, {}, {});
    ListSubkeys(registry_, view_, RootKeyFromName(RootName), KeyPath, SubkeyNames,
                WithSubkeyFlags ? &HasSubkeys : nullptr);
  } catch (...) {
    // Out of memory: the lists end where they got to.
  }
}

bool IDBAS_Registry::DeleteRegistryEntry(std::string_view SubKey1, std::string_view SubKey2,
                                         std::string_view ValueName, platform::RootKey RootKey,
                                         std::string_view BasePath) {
  try {
    if (!ValueName.empty()) {
      return DeleteRegistryValue(SubKey1, SubKey2, ValueName, RootKey, BasePath) ==
             ValueDeletion::Deleted;
    }
    return DeleteKeyTree(RootKey, BuildKeyPath(BasePath, SubKey1, SubKey2));
  } catch (...) {
    return false;
  }
}

std::string IDBAS_Registry::SubkeyPath(std::string_view KeyPath, std::string_view Name) {
  return ChildPath(BuildKeyPath(KeyPath, {}, {}), std::string(Name));
}

long IDBAS_Registry::DeleteSubkeyTree(platform::RootKey RootKey, std::string_view KeyPath,
                                      std::string_view Name) {
  // Without a name the path would be the parent's own.
  if (Name.empty()) return kErrorInvalidParameter;
  try {
    return DeleteTreeAt(RootKey, SubkeyPath(KeyPath, Name));
  } catch (...) {
    return kErrorNotEnoughMemory;
  }
}

bool IDBAS_Registry::DeleteKeyTree(platform::RootKey root, const std::string& path) {
  return DeleteTreeAt(root, path) == platform::kErrorSuccess;
}

// Deletes a key and everything below it, depth first: each key is first simply
// deleted; a refusal with 5 is taken to mean it still has subkeys, which are
// listed and deleted in list order before the key is tried once more. Only the
// top key's own answer counts: a branch that stays makes it 5. The walk keeps
// its own stack of levels instead of recursing, so a very deep tree cannot
// exhaust the call stack.
long IDBAS_Registry::DeleteTreeAt(platform::RootKey root, const std::string& path) {
  // A path without a key name would address the root itself.
  if (path.find_first_not_of('\\') == std::string::npos) return kErrorInvalidParameter;

  const long first = registry_.DeleteKey(root, path, view_);
  if (first != platform::kErrorAccessDenied) return first;

  // Subkeys are listed under the root's name, as a caller would; a root with
  // no name lists nothing.
  const bool listable = !RootKeyName(root).empty();
  struct Level {
    std::string path;
    std::vector<std::string> children;
    std::size_t next = 0;
  };
  std::vector<Level> levels;
  levels.push_back({path, {}});
  if (listable) ListSubkeys(registry_, view_, root, path, levels.back().children, nullptr);

  while (true) {
    Level& level = levels.back();
    if (level.next < level.children.size()) {
      std::string child = ChildPath(level.path, level.children[level.next++]);
      // The result of a subkey's deletion is not looked at: a branch that
      // stays makes its parent's second attempt fail instead.
      if (registry_.DeleteKey(root, child, view_) == platform::kErrorAccessDenied) {
        Level below{std::move(child), {}};
        if (listable) ListSubkeys(registry_, view_, root, below.path, below.children, nullptr);
        levels.push_back(std::move(below));
      }
      continue;
    }
    const long result = registry_.DeleteKey(root, level.path, view_);
    levels.pop_back();
    if (levels.empty()) return result;
  }
}

}  // namespace ferrolis::registry
