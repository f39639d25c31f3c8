#include "platform/win32/win32_shell.h"

#include <windows.h>
// shellapi.h turns ShellAbout into a macro: included after our own header.
#include <shellapi.h>
#undef ShellAbout

namespace ferrolis::platform::win32 {

void Win32Shell::ShellAbout(NativeHandle owner, const std::string& app, const std::string& other,
                            NativeHandle icon) {
  const std::string app_ansi = ansi_.ToAnsi(app);
  const std::string other_ansi = ansi_.ToAnsi(other);
  ShellAboutA(reinterpret_cast<HWND>(owner), app_ansi.c_str(), other_ansi.c_str(),
              reinterpret_cast<HICON>(icon));
}

}  // namespace ferrolis::platform::win32
