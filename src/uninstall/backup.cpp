#include "uninstall/backup.h"

#include <cstdio>
#include <new>
#include <optional>

#include "registry/idbas_registry.h"
#include "uninstall/key_tree.h"
#include "uninstall/reg_file.h"

namespace ferrolis::uninstall {
namespace {

std::string FileStem(const platform::LocalTime& now) {
  char stem[64];
  std::snprintf(stem, sizeof stem, "%04d-%02d-%02d %02d-%02d-%02d", now.year, now.month, now.day,
                now.hour, now.minute, now.second);
  return stem;
}

// Gives the tree and its subkeys the paths under which the registry editor
// reaches them.
void MoveTo(KeyTree& tree, std::size_t old_length, const std::string& path) {
  tree.path = path + tree.path.substr(old_length);
  for (KeyTree& subkey : tree.subkeys) MoveTo(subkey, old_length, path);
}

// The trees of the subkeys that are there, named as the registry editor
// reaches them; nothing when one cannot be read or the file cannot carry it
// (that subkey is then in `unwritable`).
std::optional<std::vector<KeyTree>> ReadTrees(platform::Registry& registry, platform::RootKey root,
                                              const std::string& base_path,
                                              const std::vector<ViewedKey>& subkeys,
                                              std::optional<ViewedKey>* unwritable) {
  const bool sixty_four_bit_windows = registry.SixtyFourBitWindows();
  std::vector<KeyTree> trees;
  for (const ViewedKey& subkey : subkeys) {
    KeyTree tree;
    // The name as listed, a slash included.
    const long result =
        ReadKeyTree(registry, subkey.view, root,
                    registry::IDBAS_Registry::SubkeyPath(base_path, subkey.name), &tree);
    if (result == platform::kErrorFileNotFound && tree.values.empty() && tree.subkeys.empty())
      continue;
    if (result == platform::kErrorNoUnicodeTranslation ||
        (result == platform::kErrorSuccess && HoldsNameWithLineBreak(tree))) {
      *unwritable = subkey;
      return std::nullopt;
    }
    if (result != platform::kErrorSuccess) return std::nullopt;
    const std::size_t length = tree.path.size();
    MoveTo(tree, length,
           platform::EditorPath(sixty_four_bit_windows, subkey.view, root, tree.path));
    trees.push_back(std::move(tree));
  }
  return trees;
}

// The file goes to the first free name, written whole under a temporary name
// of its own first, so that a file with the backup's name is always whole.
bool WriteWholeFile(platform::FileSystem& files, const std::string& folder, const std::string& stem,
                    const std::string& bytes, std::string* written) {
  try {
    files.CreateFolders(folder);
    std::string path = folder + "\\" + stem + ".reg";
    for (int n = 2; files.PathExists(path); ++n) {
      path = folder + "\\" + stem + " (" + std::to_string(n) + ").reg";
    }
    platform::ReplaceWholeFile(files, path, bytes);
    *written = path;
    return true;
  } catch (const platform::FileError&) {
    return false;
  }
}

}  // namespace

std::string BackupFolder(platform::FileSystem& files) {
  const std::string base = files.LocalAppDataFolder();
  return base.empty() ? std::string() : base + "\\Ferrolis\\Sauvegardes";
}

Backup BackUpKeys(platform::Registry& registry, platform::FileSystem& files, platform::RootKey root,
                  const std::string& base_path, const std::vector<ViewedKey>& subkeys,
                  const platform::LocalTime& now) {
  Backup backup;
  try {
    backup.folder = BackupFolder(files);
    if (backup.folder.empty()) return backup;
    const std::optional<std::vector<KeyTree>> trees =
        ReadTrees(registry, root, base_path, subkeys, &backup.unwritable);
    if (!trees) return backup;
    const std::optional<std::string> bytes =
        RegFileBytes(registry::IDBAS_Registry::RootKeyName(root), *trees);
    if (!bytes) return backup;
    backup.written = WriteWholeFile(files, backup.folder, FileStem(now), *bytes, &backup.file);
  } catch (const platform::FileError&) {
    backup.written = false;
  } catch (const std::bad_alloc&) {
    backup.written = false;
  }
  return backup;
}

}  // namespace ferrolis::uninstall
