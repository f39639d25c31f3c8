// Quitting and closing. Closing the main window, in any way, ends the whole
// program, unless a save the user asked for at that moment did not complete
// or the closing question was left unanswered.
#include <string>

#include "mainwindow/idd_main.h"
#include "mainwindow/main_window_texts.h"
#include "ui/form.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::mainwindow {

void IDD_Main::IDCM_Exit_Click() {
  // Everything the program writes takes effect at the next start; said every
  // time, whether or not anything was saved.
  runtime().MsgBox(texts::kRestartReminder, ui::kOkOnly + ui::kExclamation, texts::kQuitTitle);
  Unload();
}

void IDD_Main::Mnu_Quitter_Click() { IDCM_Exit_Click(); }

// Closing, in any way, asks first whether to save the unsaved changes; the
// end of the session asks the same question.
void IDD_Main::Form_QueryUnload(int& cancel, int unload_mode) {
  if (IDCM_Save.enabled()) {
    const int answer = runtime().MsgBox(texts::kSaveBeforeQuitQuestion, ui::kYesNo + ui::kQuestion,
                                        texts::kQuitTitle);
    // A save that did not complete has shown why it stopped or what it could
    // not write; an answer that is neither Oui nor Non (Escape, where the box
    // allows it) decides nothing. Either way the window stays with its edits,
    // so the user can correct them, and close again.
    if (answer == ui::kResultYes ? !SaveConfiguration() : answer != ui::kResultNo) {
      cancel = 1;
      return;
    }
  }
  // Another program may still refuse the session's end: the program ends
  // when Windows says the session ends.
  if (unload_mode == ui::kUnloadBySessionEnd) return;
  runtime().End();
}

bool IDD_Main::HasUnsavedChanges() const { return IDCM_Save.enabled(); }

}  // namespace ferrolis::mainwindow
