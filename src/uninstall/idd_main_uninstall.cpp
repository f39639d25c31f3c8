// The uninstall panel of the main window: the list of the entries that
// Windows shows for adding and removing programs, and their deletion from the
// registry. Deleting removes registry keys only: no uninstaller runs and no
// file is touched. Every key tree is first saved to a backup file that the
// registry editor imports.
#include <string>
#include <vector>

#include "mainwindow/idd_main.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"
#include "uninstall/backup.h"
#include "uninstall/uninstall_list.h"

namespace ferrolis::mainwindow {

void IDD_Main::cmdRefresh_Click() {
  // Clearing the list also clears its selection; cmdDelete is left as it is.
  lstPrograms.Clear();
  for (const std::string& line : uninstall::ListedDisplayNames(registry_)) {
    lstPrograms.AddItem(line);
  }
}

void IDD_Main::lstPrograms_Click() { cmdDelete.SetEnabled(lstPrograms.SelCount() > 0); }

void IDD_Main::cmdDelete_Click() {
  std::vector<std::string> lines;
  for (int i = 0; i < lstPrograms.ListCount(); ++i) {
    if (lstPrograms.Selected(i)) lines.push_back(lstPrograms.List(i));
  }
  // Every entry that carries a selected line's display name goes, whether the
  // list shows it or not.
  const std::vector<uninstall::ViewedKey> subkeys = uninstall::SubkeysCarrying(registry_, lines);
  if (!subkeys.empty()) {
    const uninstall::Backup backup =
        uninstall::BackUpKeys(services_.registry, services_.files, uninstall::kUninstallRoot,
                              uninstall::kUninstallPath, subkeys, services_.system.Now());
    if (!backup.written) {
      // Nothing is deleted without its backup; the list and its selection stay
      // as they are, so the user can try again.
      const std::string folder = backup.folder.empty()
                                     ? std::string("(dossier des données locales introuvable)")
                                     : backup.folder;
      services_.runtime.MsgBox(
          std::string("La sauvegarde des entrées à supprimer n'a pas pu être écrite dans le "
                      "dossier :") +
              ui::kLineBreak + folder + ui::kLineBreak + ui::kLineBreak +
              "Aucune entrée n'a été supprimée.",
          ui::kOkOnly | ui::kExclamation, "Supprimer de la liste");
      return;
    }
    for (const uninstall::ViewedKey& subkey : subkeys) {
      registry::IDBAS_Registry(services_.registry, subkey.view)
          .DeleteRegistryEntry({}, subkey.name, {}, uninstall::kUninstallRoot,
                               uninstall::kUninstallPath);
    }
  }
  cmdRefresh_Click();
}

}  // namespace ferrolis::mainwindow
