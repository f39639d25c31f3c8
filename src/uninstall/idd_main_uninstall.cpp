// The uninstall panel of the main window: the list of the entries that
// Windows shows for adding and removing programs, and their deletion from the
// registry. Deleting removes registry keys only: no uninstaller runs and no
// file is touched. Every key tree is first saved to a backup file that the
// registry editor imports.
#include <algorithm>
#include <string>
#include <vector>

#include "mainwindow/idd_main.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"
#include "uninstall/backup.h"
#include "uninstall/uninstall_list.h"
#include "uninstall/uninstall_texts.h"

namespace ferrolis::mainwindow {

void IDD_Main::cmdRefresh_Click() {
  // Clearing the list also clears its selection; cmdDelete is left as it is.
  lstPrograms.Clear();
  for (const std::string& line : uninstall::ListedDisplayNames(registry_)) {
    lstPrograms.AddItem(line);
  }
}

void IDD_Main::lstPrograms_Click() { cmdDelete.SetEnabled(lstPrograms.SelCount() > 0); }

namespace {

// Why nothing was deleted: a name that the backup file cannot hold, or a
// backup that could not be written into its folder.
std::string BackupFailure(platform::Registry& registry, const uninstall::Backup& backup) {
  const std::string nothing_deleted =
      std::string(1, ui::kLineBreak) + ui::kLineBreak + uninstall::texts::kNothingDeleted;
  if (backup.unwritable) {
    return uninstall::texts::kUnwritableEntryBefore +
           ui::QuoteForBox(uninstall::DisplayNameOf(registry, *backup.unwritable)) +
           uninstall::texts::kUnwritableEntryAfter + nothing_deleted;
  }
  const std::string folder =
      backup.folder.empty() ? std::string(uninstall::texts::kNoLocalDataFolder) : backup.folder;
  return uninstall::texts::kBackupNotWritten + std::string(1, ui::kLineBreak) + folder +
         nothing_deleted;
}

}  // namespace

void IDD_Main::cmdDelete_Click() {
  std::vector<std::string> lines;
  for (int i = 0; i < lstPrograms.ListCount(); ++i) {
    if (lstPrograms.Selected(i)) lines.push_back(lstPrograms.List(i));
  }
  // Every entry that carries a selected line's display name goes, whether the
  // list shows it or not.
  const std::vector<uninstall::ViewedKey> subkeys = uninstall::SubkeysCarrying(registry_, lines);
  std::vector<std::string> refused;
  std::string backup_file;
  if (!subkeys.empty()) {
    const uninstall::Backup backup =
        uninstall::BackUpKeys(services_.registry, services_.files, uninstall::kUninstallRoot,
                              uninstall::kUninstallPath, subkeys, services_.system.Now());
    if (!backup.written) {
      // Nothing is deleted without its backup; the list and its selection stay
      // as they are, so the user can try again.
      services_.runtime.MsgBox(BackupFailure(services_.registry, backup),
                               ui::kOkOnly | ui::kExclamation, uninstall::texts::kDeleteTitle);
      return;
    }
    backup_file = backup.file;
    for (const uninstall::ViewedKey& subkey : subkeys) {
      const long result =
          registry::IDBAS_Registry(services_.registry, subkey.view)
              .DeleteSubkeyTree(uninstall::kUninstallRoot, uninstall::kUninstallPath, subkey.name);
      // A key that is already gone is no refusal.
      if (result == platform::kErrorSuccess || result == platform::kErrorFileNotFound) continue;
      std::string name = uninstall::DisplayNameOf(services_.registry, subkey);
      if (name.empty()) name = subkey.name;
      if (std::find(refused.begin(), refused.end(), name) == refused.end())
        refused.push_back(std::move(name));
    }
  }
  cmdRefresh_Click();
  if (refused.empty()) return;
  // What was deleted below a refused entry stays deleted; the backup holds it.
  std::string prompt = uninstall::texts::kDeletionsRefused;
  for (const std::string& name : refused) prompt += ui::kLineBreak + ui::QuoteForBox(name);
  prompt += std::string(1, ui::kLineBreak) + ui::kLineBreak + uninstall::texts::kBackupIsIn +
            ui::kLineBreak + backup_file;
  services_.runtime.MsgBox(prompt, ui::kOkOnly | ui::kExclamation, uninstall::texts::kDeleteTitle);
}

}  // namespace ferrolis::mainwindow
