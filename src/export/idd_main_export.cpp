// The "Fichier" menu of the main window: the configuration of this machine
// exported for Group Policy, LGPO.exe, `reg import` and the tools that run
// them on many machines. Reading is enough: it is offered whatever the
// user's rights.
#include <optional>
#include <string>
#include <vector>

#include "export/configuration_export.h"
#include "export/export_texts.h"
#include "mainwindow/idd_main.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::mainwindow {

void IDD_Main::Mnu_Exporter_Click() {
  const std::string title(exporting::texts::kExportTitle);
  // What is exported is what the registry holds: unsaved edits are saved
  // first, or left out, as the user says.
  if (IDCM_Save.enabled()) {
    const int answer = runtime().MsgBox(exporting::texts::kSaveFirstQuestion,
                                        ui::kYesNoCancel + ui::kQuestion, title);
    if (answer == ui::kResultYes) {
      // The save has said why it could not complete.
      if (!SaveConfiguration()) return;
    } else if (answer != ui::kResultNo) {
      return;
    }
  }
  const std::optional<std::string> folder =
      services_.shell.PickFolder(hwnd(), exporting::texts::kFolderDialogTitle);
  if (!folder) return;

  const std::vector<exporting::ExportFile> files =
      exporting::ExportFiles(exporting::ReadConfiguration(registry_, winlogon_));
  const std::vector<std::string> existing =
      exporting::ExistingFiles(services_.files, *folder, files);
  if (!existing.empty() &&
      runtime().MsgBox(exporting::ReplaceQuestion(*folder, existing), ui::kYesNo + ui::kExclamation,
                       title) != ui::kResultYes) {
    return;
  }
  const exporting::WriteOutcome outcome =
      exporting::WriteExportFiles(services_.files, *folder, files);
  if (outcome.failed) {
    runtime().MsgBox(exporting::FailureMessage(*folder, outcome), ui::kOkOnly + ui::kCritical,
                     title);
    return;
  }
  runtime().MsgBox(exporting::DoneMessage(*folder, outcome.written), ui::kOkOnly + ui::kInformation,
                   title);
}

}  // namespace ferrolis::mainwindow
