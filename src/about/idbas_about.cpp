#include "about/idbas_about.h"

#include "about/about_texts.h"
#include "ui/form.h"

namespace ferrolis::about {

IDBAS_About::IDBAS_About(platform::Shell& shell, platform::System& system)
    : shell_(shell), system_(system) {}

void IDBAS_About::ShowShellAbout(platform::NativeHandle owner, const std::string& text,
                                 platform::NativeHandle icon) {
  shell_.ShellAbout(owner, system_.ProgramTitle(), text, icon);
}

std::string IDBAS_About::AboutText(const platform::ProgramVersion& version) {
  // The shell's box shows one line of it, about 48 characters wide: the
  // version at its end must stay in sight. The team's name names the product.
  return texts::kShellAboutBefore + platform::VersionText(version);
}

void IDBAS_About::ShowAboutFor(const ui::Form& owner) {
  ShowShellAbout(owner.hwnd(), AboutText(system_.Version()), owner.icon_handle());
}

}  // namespace ferrolis::about
