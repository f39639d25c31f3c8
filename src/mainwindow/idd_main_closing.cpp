// Quitting and closing. Closing the main window, in any way, ends the whole
// program, unless a save the user asked for at that moment did not complete.
#include <string>

#include "mainwindow/idd_main.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::mainwindow {

void IDD_Main::IDCM_Exit_Click() {
  // Everything the program writes takes effect at the next start; said every
  // time, whether or not anything was saved.
  runtime().MsgBox(std::string("Vous devez redémarrer le micro-ordinateur") + ui::kLineBreak +
                       "pour que les modifications soient prises en compte !",
                   ui::kOkOnly + ui::kExclamation, "Quitter Ferrolis");
  Unload();
}

void IDD_Main::Mnu_Quitter_Click() { IDCM_Exit_Click(); }

void IDD_Main::Form_QueryUnload(int& cancel, int /*unload_mode*/) {
  if (IDCM_Save.enabled() &&
      runtime().MsgBox("Voulez vous enregistrer les modifications ?", ui::kYesNo + ui::kQuestion,
                       "Quitter Ferrolis") == ui::kResultYes &&
      !SaveConfiguration()) {
    // The save has shown why it stopped or what it could not write; the
    // window stays so the user can correct the edits they asked to keep, and
    // close again.
    cancel = 1;
    return;
  }
  runtime().End();
}

}  // namespace ferrolis::mainwindow
