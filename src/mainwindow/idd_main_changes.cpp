// Change tracking: the enabled save button is the one mark of unsaved edits.
// No handler compares the new content with the stored one. The edit boxes
// select their whole text when they get the focus.
#include "mainwindow/idd_main.h"

namespace ferrolis::mainwindow {
namespace {

void SelectAll(ui::Control& box) { box.SetSelection(0, box.TextLength()); }

}  // namespace

void IDD_Main::IDE_Username_Change() {
  IDCM_Save.SetEnabled(true);
  LogonChanged = kTrue;
}

void IDD_Main::IDE_Password_Change() {
  IDCM_Save.SetEnabled(true);
  LogonChanged = kTrue;
}

void IDD_Main::IDE_ReEnterPassword_Change() {
  IDCM_Save.SetEnabled(true);
  LogonChanged = kTrue;
}

void IDD_Main::IDE_Domain_Change() {
  IDCM_Save.SetEnabled(true);
  LogonChanged = kTrue;
}

void IDD_Main::IDCK_Disable_Click(int /*index*/) {
  IDCM_Save.SetEnabled(true);
  RestrictionsChanged = kTrue;
}

void IDD_Main::IDE_Username_GotFocus() { SelectAll(IDE_Username); }
void IDD_Main::IDE_Password_GotFocus() { SelectAll(IDE_Password); }
void IDD_Main::IDE_ReEnterPassword_GotFocus() { SelectAll(IDE_ReEnterPassword); }
void IDD_Main::IDE_Domain_GotFocus() { SelectAll(IDE_Domain); }

}  // namespace ferrolis::mainwindow
