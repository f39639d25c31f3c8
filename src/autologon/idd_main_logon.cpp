// The automatic logon group of the main window. The check box decides whether
// "AutoAdminLogon" is saved as "1" or "0" and whether the group's fields can
// be used; the user name, password and domain are saved whatever its state.
// Below it, the box of the Winlogon Shell value, the program started as the
// shell at logon.
#include "mainwindow/idd_main.h"

namespace ferrolis::mainwindow {

void IDD_Main::IDCK_AutoLogin_Click() {
  IDCM_Save.SetEnabled(true);
  LogonChanged = kTrue;
  // Without administrator rights the group stays disabled, whatever the box
  // shows.
  const bool usable = AdminRights != kFalse && IDCK_AutoLogin.value() != 0;
  for (ui::Control* control : {&IDL_Username, &IDL_Password, &IDL_ReEnterPassword, &IDL_Domain,
                               &IDE_Username, &IDE_Password, &IDE_ReEnterPassword, &IDE_Domain}) {
    control->SetEnabled(usable);
  }
}

// The Shell value is machine-wide but not part of the logon group: a scope
// switch that reloads the check boxes clears the mark it leaves.
void IDD_Main::IDE_Shell_Change() { IDCM_Save.SetEnabled(true); }

// As the logon group's boxes, it selects its whole text when it gets the focus.
void IDD_Main::IDE_Shell_GotFocus() { IDE_Shell.SetSelection(0, IDE_Shell.TextLength()); }

}  // namespace ferrolis::mainwindow
