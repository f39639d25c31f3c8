#include "about/idbas_about.h"

#include "ui/form.h"

namespace ferrolis::about {

IDBAS_About::IDBAS_About(platform::Shell& shell, platform::System& system)
    : shell_(shell), system_(system) {}

void IDBAS_About::ShowShellAbout(platform::NativeHandle owner, const std::string& text,
                                 platform::NativeHandle icon) {
  shell_.ShellAbout(owner, system_.ProgramTitle(), text, icon);
}

std::string IDBAS_About::AboutText(const platform::ProgramVersion& version) {
  return "Ferrolis, outil d'administration du poste de travail, par l'équipe Ferrolis, "
         "décembre 2026 - version " +
         platform::VersionText(version);
}

void IDBAS_About::ShowAboutFor(const ui::Form& owner) {
  ShowShellAbout(owner.hwnd(), AboutText(system_.Version()), owner.icon_handle());
}

}  // namespace ferrolis::about
