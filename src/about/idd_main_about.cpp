// The "A Propos" menu of the main window.
#include "about/frm_about.h"
#include "about/idbas_about.h"
#include "mainwindow/idd_main.h"

namespace ferrolis::mainwindow {

// "Information système": the Windows shell's About box.
void IDD_Main::IDM_About_Click() {
  about::IDBAS_About(services_.shell, services_.system).ShowAboutFor(*this);
}

// "Auteur": the program's own About window, modal. It keeps nothing between
// two showings, each of which loads it afresh, so it lives only as long as it
// is shown.
void IDD_Main::Mnu_Auteur_Click() {
  about::frmAbout window(services_);
  window.Show(true);
}

}  // namespace ferrolis::mainwindow
