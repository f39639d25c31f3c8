// Loading the main window and the rule that fixes what a user without
// administrator rights may edit.
//
// Setting a control's value from code runs its click or change handler before
// the setting returns; the loading relies on it (selecting IDOP_Current loads
// the check boxes) and undoes the change marks those handlers leave at its end.
#include <string>

#include "about/idbas_system_information.h"
#include "mainwindow/idd_main.h"
#include "mainwindow/main_window_texts.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::mainwindow {
namespace {

// Given administrator credentials at the elevation prompt, a standard user
// runs the program as that administrator: "Utilisateur courant" then means
// the administrator's settings, not those of the user at the desk. Said once,
// when the accounts can be told and differ.
void TellOfAnotherAccount(platform::System& system, ui::Runtime& runtime) {
  const std::string session = system.SessionAccount();
  if (session.empty()) return;
  const std::string program = system.ProgramAccount();
  if (program.empty() || program == session) return;
  runtime.MsgBox(texts::kAnotherAccountBefore + program + texts::kAnotherAccountSession + session +
                     texts::kAnotherAccountMeaning + program + texts::kAnotherAccountEnd,
                 ui::kOkOnly + ui::kInformation, texts::kAnotherAccountTitle);
}

}  // namespace

void IDD_Main::Form_Load() {
  about::IDBAS_SystemInformation information(services_.system, runtime());
  if (information.GetWindowsPlatform() != about::kPlatformWindowsNT) {
    runtime().MsgBox(texts::kWindows9xDetected, ui::kOkOnly, texts::kWindowsVersionErrorTitle);
    runtime().End();
  }

  // The rights are what the Winlogon key allows, whatever it holds: an
  // administrator whose machine never had automatic logon has them too.
  ApplyAdminRights(winlogon_.KeyOpensForWriting());

  IDOP_Current.SetValue(1);
  IDCK_AutoLogin.SetValue(
      autologon::AutoLogonState(winlogon_.Read(autologon::kAutoAdminLogon, "0")));
  IDE_Username.SetText(winlogon_.Read(autologon::kDefaultUserName, ""));
  IDE_Password.SetText(winlogon_.ReadPassword());
  IDE_ReEnterPassword.SetText(IDE_Password.text());
  IDE_Domain.SetText(winlogon_.Read(autologon::kDefaultDomainName, ""));
  LoadRestrictions();
  IDE_Shell.SetText(winlogon_.ReadShellValue());
  IDCK_AutoLogin_Click();

  IDCM_Save.SetEnabled(false);
  LogonChanged = kFalse;
  cmdRefresh_Click();
  TellOfAnotherAccount(services_.system, runtime());
}

void IDD_Main::ApplyAdminRights(bool rights) {
  AdminRights = rights ? kTrue : kFalse;
  if (!rights) IDOP_Current.SetValue(1);
  for (ui::Control* control :
       {&IDOP_All, &IDCK_AutoLogin, &IDE_Domain, &IDL_Domain, &IDE_Password, &IDL_Password,
        &IDE_Username, &IDL_Username, &lstPrograms, &IDL_AddRemove, &cmdDelete, &cmdRefresh}) {
    control->SetEnabled(rights);
  }
  if (IDOP_Current.value() != 0) {
    IDE_Shell.SetEnabled(rights);
    IDL_Shell.SetEnabled(rights);
  }
}

}  // namespace ferrolis::mainwindow
