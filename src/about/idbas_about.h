// The Windows shell's About box for the program.
#pragma once

#include <string>

#include "platform/shell.h"
#include "platform/system.h"

namespace ferrolis::ui {
class Form;
}

namespace ferrolis::about {

class IDBAS_About {
 public:
  IDBAS_About(platform::Shell& shell, platform::System& system);

  // The shell's About box with the program's title as the application text.
  void ShowShellAbout(platform::NativeHandle owner, const std::string& text,
                      platform::NativeHandle icon);

  // The author line, ending with "version" and the version number.
  static std::string AboutText(const platform::ProgramVersion& version);

  // What the "Information système" menu item does: the box for `owner`, with
  // its icon.
  void ShowAboutFor(const ui::Form& owner);

 private:
  platform::Shell& shell_;
  platform::System& system_;
};

}  // namespace ferrolis::about
