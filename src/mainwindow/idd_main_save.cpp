// The save: every value the window shows, changed or not, in a fixed order.
// It runs from the save button, from the closing question and from the scope
// question.
#include <string>
#include <string_view>
#include <vector>

#include "autologon/autologon_texts.h"
#include "mainwindow/idd_main.h"
#include "mainwindow/main_window_texts.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::mainwindow {
namespace {

// The settings the registry refused, one a line, each by the name the user
// knows it by: a restriction's caption, a Winlogon value's name.
std::string RefusedMessage(const std::vector<std::string>& refused) {
  std::string text = texts::kRefusedSettings;
  for (const std::string& name : refused) {
    text += ui::kLineBreak;
    text += texts::kRefusedBullet + name;
  }
  return text + ui::kLineBreak + texts::kRefusedSettingsKept;
}

}  // namespace

void IDD_Main::IDCM_Save_Click() { SaveConfiguration(); }

bool IDD_Main::SaveConfiguration() {
  // Exact comparison: case, spaces and all. Checked whatever the logon
  // group's state, and before anything is written.
  if (IDE_Password.text() != IDE_ReEnterPassword.text()) {
    runtime().MsgBox(texts::kPasswordsDiffer, ui::kOkOnly + ui::kCritical,
                     texts::kPasswordsDifferTitle);
    IDE_Password.SetFocus();
    return false;
  }
  // The first write is the rights test: a Winlogon key the user may not write
  // stops the save before anything else is written.
  if (!winlogon_.Write(autologon::kPowerdownAfterShutdown, "1")) {
    runtime().MsgBox(texts::kNoAdministratorRights, ui::kOkOnly + ui::kCritical,
                     texts::kSaveErrorTitle);
    return false;
  }
  // Past it, a refusal (a value that an ACL or Group Policy protects) stops
  // nothing: everything else is written, and what was not is named at the end.
  std::vector<std::string> refused;
  const auto logon = [&](std::string_view name, const std::string& text) {
    if (!winlogon_.Write(name, text)) refused.emplace_back(name);
  };
  logon(autologon::kAutoAdminLogon, IDCK_AutoLogin.value() == 0 ? "0" : "1");
  logon(autologon::kDefaultUserName, IDE_Username.text());
  const autologon::PasswordWrite password = winlogon_.WritePassword(IDE_Password.text());
  if (password == autologon::PasswordWrite::Refused)
    refused.emplace_back(autologon::kDefaultPassword);
  logon(autologon::kDefaultDomainName, IDE_Domain.text());

  for (const int index : restrictions::kReadWriteOrder) {
    const auto row = static_cast<std::size_t>(index);
    if (!restrictions_.SetShellRestriction(index, IDCK_Disable[row]->value() != 0)) {
      refused.emplace_back(restrictions::kShellRestrictions[row].Caption);
    }
  }

  // Written even while the field is disabled; what was stored before tells
  // whether a text left unwritten is worth a word.
  const std::string shell = IDE_Shell.text();
  const std::string stored_shell = winlogon_.ReadShellValue();
  const autologon::ShellWrite shell_write = winlogon_.WriteShellValue(shell);
  if (shell_write == autologon::ShellWrite::Refused) refused.emplace_back(autologon::kShell);

  // A save with refusals is not complete: the window stays modified, so that
  // closing still asks and the user may try again with other rights.
  const bool restrictions_edited = RestrictionsChanged != kFalse;
  if (refused.empty()) {
    LogonChanged = kFalse;
    RestrictionsChanged = kFalse;
    IDCM_Save.SetEnabled(false);
  }

  // Explorer applies some policies at once when told they changed.
  if (restrictions_edited) services_.system.NotifyPolicyChange();
  // Written, but where every user can read it: said once, whatever else the
  // save has to say.
  if (password == autologon::PasswordWrite::ClearText) {
    runtime().MsgBox(autologon::texts::kClearTextPasswordMessage, ui::kOkOnly + ui::kExclamation,
                     texts::kSaveTitle);
  }
  const std::string shell_message =
      autologon::ShellNotWrittenMessage(shell_write, shell, stored_shell);
  if (!shell_message.empty()) {
    runtime().MsgBox(shell_message, ui::kOkOnly + ui::kExclamation,
                     autologon::texts::kShellMessageTitle);
  }
  if (!refused.empty()) {
    runtime().MsgBox(RefusedMessage(refused), ui::kOkOnly + ui::kExclamation, texts::kSaveTitle);
    return false;
  }
  return true;
}

}  // namespace ferrolis::mainwindow
