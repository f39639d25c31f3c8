// The restriction panel of the main window: the twelve check boxes filled
// from the current scope, and the two scope option buttons. A switch offers to
// save pending restriction edits into the scope being left, then reloads the
// boxes from the new one. The Shell field is machine-wide, so it is usable in
// the all-users scope only.
#include <string_view>

#include "mainwindow/idd_main.h"
#include "restrictions/restrictions_texts.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::mainwindow {

struct IDD_Main::Scope {
  std::string_view question;
  platform::RootKey root;
  ui::Control& other;  // selected again when the switch is called off
  bool all_users;
};

void IDD_Main::LoadRestrictions() {
  // Each box that changes runs its click handler, which marks the window as
  // changed; the marks are undone once all twelve are set.
  for (const int index : restrictions::kReadWriteOrder) {
    IDCK_Disable[static_cast<std::size_t>(index)]->SetValue(
        restrictions_.GetShellRestriction(index) ? 1 : 0);
  }
  RestrictionsChanged = kFalse;
  if (LogonChanged == kFalse) IDCM_Save.SetEnabled(false);
}

void IDD_Main::IDOP_All_Click() {
  ScopeClick({restrictions::texts::kSaveCurrentUserQuestion, platform::kHkeyLocalMachine,
              IDOP_Current, true});
}

void IDD_Main::IDOP_Current_Click() {
  ScopeClick(
      {restrictions::texts::kSaveAllUsersQuestion, platform::kHkeyCurrentUser, IDOP_All, false});
}

void IDD_Main::ScopeClick(const Scope& scope) {
  if (ScopeReverting != kFalse) {
    // The nested run of a called-off switch: the old scope is back.
    SetShellControlsFor(scope);
    return;
  }
  if (RestrictionsChanged != kFalse) {
    const int answer =
        runtime().MsgBox(std::string(scope.question), ui::kYesNoCancel + ui::kQuestion,
                         restrictions::texts::kScopeQuestionTitle);
    // PolicyRoot still names the scope being left, so Yes saves the edits
    // there. A save that does not complete (mismatched passwords, a refused
    // write) calls the switch off as Cancel does, so the edits the user wanted
    // kept are not reloaded away.
    const bool saved = answer == ui::kResultYes && SaveConfiguration();
    if (answer == ui::kResultCancel || (answer == ui::kResultYes && !saved)) {
      ScopeReverting = kTrue;
      scope.other.SetValue(1);
      return;
    }
    RestrictionsChanged = kFalse;
    if (LogonChanged == kFalse) IDCM_Save.SetEnabled(false);
  }
  restrictions_.PolicyRoot = scope.root;
  LoadRestrictions();
  SetShellControlsFor(scope);
}

void IDD_Main::SetShellControlsFor(const Scope& scope) {
  ScopeReverting = kFalse;
  if (!scope.all_users) {
    IDE_Shell.SetEnabled(false);
    IDL_Shell.SetEnabled(false);
  } else if (AdminRights != kFalse) {
    IDE_Shell.SetEnabled(true);
    IDL_Shell.SetEnabled(true);
  }
}

}  // namespace ferrolis::mainwindow
