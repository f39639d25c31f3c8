// The save: every value the window shows, changed or not, in a fixed order.
// It runs from the save button, from the closing question and from the scope
// question.
#include <string>

#include "mainwindow/idd_main.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::mainwindow {
namespace {

// The restriction rows in the order they are written.
constexpr int kWriteOrder[] = {10, 11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

}  // namespace

void IDD_Main::IDCM_Save_Click() { SaveConfiguration(); }

bool IDD_Main::SaveConfiguration() {
  // Exact comparison: case, spaces and all. Checked whatever the logon
  // group's state, and before anything is written.
  if (IDE_Password.text() != IDE_ReEnterPassword.text()) {
    runtime().MsgBox("Mot de passe incorrect !", ui::kOkOnly + ui::kCritical, "Erreur");
    IDE_Password.SetFocus();
    return false;
  }
  // The first write is the rights test; the layer refuses only what it cannot
  // convert, so in practice it goes on.
  if (!winlogon_.Write(autologon::kPowerdownAfterShutdown, "1")) {
    runtime().MsgBox(
        "Vous n'avez pas les droits administrateur pour modifier cette section du regsitre !",
        ui::kOkOnly + ui::kCritical, "Erreur de sauvegarde");
    return false;
  }
  winlogon_.Write(autologon::kAutoAdminLogon, IDCK_AutoLogin.value() == 0 ? "0" : "1");
  winlogon_.Write(autologon::kDefaultUserName, IDE_Username.text());
  winlogon_.Write(autologon::kDefaultPassword, IDE_Password.text());
  winlogon_.Write(autologon::kDefaultDomainName, IDE_Domain.text());

  for (const int index : kWriteOrder) {
    restrictions_.SetShellRestriction(index,
                                      IDCK_Disable[static_cast<std::size_t>(index)]->value() != 0);
  }

  // Written even while the field is disabled; what was stored before tells
  // whether a text left unwritten is worth a word.
  const std::string shell = IDE_Shell.text();
  const std::string stored_shell = winlogon_.ReadShellValue();
  const autologon::ShellWrite shell_write = winlogon_.WriteShellValue(shell);

  const bool restrictions_edited = RestrictionsChanged != kFalse;
  LogonChanged = kFalse;
  RestrictionsChanged = kFalse;
  IDCM_Save.SetEnabled(false);

  // Explorer applies some policies at once when told they changed.
  if (restrictions_edited) services_.system.NotifyPolicyChange();
  const std::string shell_message =
      autologon::ShellNotWrittenMessage(shell_write, shell, stored_shell);
  if (!shell_message.empty()) {
    runtime().MsgBox(shell_message, ui::kOkOnly + ui::kExclamation,
                     std::string(autologon::kShellMessageTitle));
  }
  return true;
}

}  // namespace ferrolis::mainwindow
