// The backup written before entries are deleted: one file per deletion, in a
// folder of the user's local application data, that the registry editor
// imports to bring the entries back.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "uninstall/key_tree.h"

namespace ferrolis::uninstall {

// <local application data>\Ferrolis\Sauvegardes; empty when the system cannot
// name the local application data folder.
std::string BackupFolder(platform::FileSystem& files);

struct Backup {
  bool written = false;
  std::string folder;  // where the file was to go, for the user
  std::string file;    // the full path of the file, once written
  // The first subkey whose tree holds a name that the file cannot carry (a
  // line break, or a name the registry hands out only as U+FFFD); nothing was
  // written.
  std::optional<ViewedKey> unwritable;
};

// Reads the whole tree of every subkey of (root, base_path) in `subkeys`, each
// in its registry view, and writes them all into one new file of the backup
// folder, named by the date and time `now` ("2024-03-05 14-07-09.reg", with
// " (2)" and up when that name is taken). Each key is named as the registry
// editor reaches it: a key of the 32-bit view of 64-bit Windows under
// SOFTWARE\WOW6432Node. A subkey that is no longer there has nothing to save
// and is left out. `written` is true only when every other tree was read whole
// and the complete file is in place; otherwise no backup file is left behind.
// A tree that the file cannot carry is found before anything is written.
Backup BackUpKeys(platform::Registry& registry, platform::FileSystem& files, platform::RootKey root,
                  const std::string& base_path, const std::vector<ViewedKey>& subkeys,
                  const platform::LocalTime& now);

}  // namespace ferrolis::uninstall
