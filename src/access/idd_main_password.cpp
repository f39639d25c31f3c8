// The access password frame of the main window (Frame1). It works in two
// stages: the old password is validated first, typed or read from the floppy
// copy; only then are the new-password controls shown, and they stay shown
// until the program ends.
//
// Typing in Text1 or Text2 is no configuration change: no handler is bound to
// their edits, so they never enable the save button.
#include <exception>
#include <string>

#include "access/access_texts.h"
#include "mainwindow/idd_main.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::mainwindow {
namespace {

// The new password, in memory and in the system copy. When the copy cannot
// be written, the password in force is still the old one (the old file is
// replaced only once the new one is complete): StoredPassword is put back to
// match it, the user is told, and the answer is false.
bool StorePassword(access::Module1& module, ui::Runtime& runtime, const std::string& password) {
  const std::string previous = module.StoredPassword;
  module.StoredPassword = password;
  try {
    module.WritePasswordFile(module.StoredPassword);
    return true;
  } catch (const std::exception&) {
    module.StoredPassword = previous;
  }
  runtime.MsgBox(access::texts::kSystemCopyNotWritten, ui::kOkOnly + ui::kExclamation,
                 access::texts::kPasswordNotChangedTitle);
  return false;
}

// The password file holds codes of the ANSI code page only: a password with a
// character outside it would be stored as something else ("?" or a
// look-alike) and never match what the user types. It is refused instead.
bool RefuseUnstorable(access::Module1& module, ui::Runtime& runtime, ui::Control& box) {
  const std::string character = module.UnstorableCharacter(box.text());
  if (character.empty()) return false;
  runtime.MsgBox(access::texts::kUnstorableCharacterBefore + ui::QuoteForBox(character) +
                     access::texts::kUnstorableCharacterAfter,
                 ui::kOkOnly + ui::kExclamation, access::texts::kPasswordRefusedTitle);
  box.SetFocus();
  return true;
}

// The new-password handlers act only at the frame's second stage, once the old
// password has been validated and their controls shown: whatever asks for
// them before (a click sent to a hidden button by another program) changes
// nothing. Nothing hides those controls again, so their visibility is the
// stage.
bool SecondStage(const ui::Control& new_password) { return new_password.visible(); }

}  // namespace

// "Valider": checks the old password.
void IDD_Main::Command1_Click() {
  if (!module1_.Matches(Text1.text())) {
    runtime().MsgBox(access::texts::kWrongPassword, ui::kOkOnly + ui::kExclamation,
                     access::texts::kWrongPasswordTitle);
    Text1.SetFocus();
    Text1.SetText("");
    return;
  }
  Text2.SetVisible(true);
  Command3.SetVisible(true);
  Command4.SetVisible(true);
  Label2.SetVisible(true);
  Text2.SetFocus();
}

// Floppy picture: the old password from the floppy copy, then validated.
void IDD_Main::Command2_Click() {
  const auto password = module1_.ReadFloppyPassword();
  if (!password) return;
  Text1.SetText(*password);
  Command1_Click();
}

// "Valider && Enregistrer": the new password, in memory and in the system copy.
void IDD_Main::Command3_Click() {
  if (!SecondStage(Text2)) return;
  if (RefuseUnstorable(module1_, runtime(), Text2)) return;
  StorePassword(module1_, runtime(), Text2.text());
}

// Stack of floppies: SaveFloppyPassword. The new password in memory, in the
// system copy, then on the floppy. A floppy that fails leaves the new password
// in force: it is already in memory and in the system copy.
void IDD_Main::Command4_Click() {
  if (!SecondStage(Text2)) return;
  // Refused before the floppy is asked for: nothing would be written to it.
  if (RefuseUnstorable(module1_, runtime(), Text2)) return;
  if (runtime().MsgBox(access::texts::kInsertFloppy, ui::kOkCancel,
                       access::texts::kFloppySaveTitle) != ui::kResultOk) {
    return;
  }
  // Nothing goes to the floppy when the system copy failed: its copy would
  // hold a password that does not open the program.
  if (!StorePassword(module1_, runtime(), Text2.text())) return;

  try {
    module1_.EncodePasswordFile(access::Module1::FloppyCopyPath(), module1_.StoredPassword);
  } catch (const std::exception&) {
    runtime().MsgBox(access::texts::kFloppyWriteFailed, ui::kOkOnly + ui::kExclamation,
                     access::texts::kErrorTitle);
  }
}

}  // namespace ferrolis::mainwindow
