// Handlers not built yet. Each subsystem moves its own out of this file into
// its folder when it builds them; the file goes once it is empty.
#include "mainwindow/idd_main.h"

namespace ferrolis::mainwindow {

// mainwindow/
void IDD_Main::Form_Load() {}
void IDD_Main::ApplyAdminRights(bool rights) {}
void IDD_Main::IDCM_Exit_Click() {}
void IDD_Main::Mnu_Quitter_Click() {}
void IDD_Main::IDE_Username_Change() {}
void IDD_Main::IDE_Password_Change() {}
void IDD_Main::IDE_ReEnterPassword_Change() {}
void IDD_Main::IDE_Domain_Change() {}
void IDD_Main::IDE_Shell_Change() {}
void IDD_Main::IDCK_Disable_Click(int index) {}
void IDD_Main::IDE_Username_GotFocus() {}
void IDD_Main::IDE_Password_GotFocus() {}
void IDD_Main::IDE_ReEnterPassword_GotFocus() {}
void IDD_Main::IDE_Domain_GotFocus() {}
void IDD_Main::IDE_Shell_GotFocus() {}
void IDD_Main::IDCM_Save_Click() {}

// restrictions/
void IDD_Main::LoadRestrictions() {}
void IDD_Main::IDOP_Current_Click() {}
void IDD_Main::IDOP_All_Click() {}

// autologon/
void IDD_Main::IDCK_AutoLogin_Click() {}

// about/

}  // namespace ferrolis::mainwindow
