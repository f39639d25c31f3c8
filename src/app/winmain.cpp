// The program's entry: the Win32 platform, the form runtime and its renderer,
// then the access gate, which is the start-up form.
#include <windows.h>

#include <memory>

#include "access/frm_mdp.h"
#include "access/module1.h"
#include "mainwindow/idd_main.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_libraries.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_renderer.h"
#include "platform/win32/win32_secrets.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_text.h"
#include "program/services.h"
#include "ui/runtime.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace ferrolis;
  // First of all: the window libraries are bound at their first call, and
  // must be found in the system directory only.
  platform::win32::RestrictDllSearch();
  platform::win32::SetQuietErrorMode();
  platform::win32::Win32System system;
  platform::win32::Win32TextCodec ansi;
  platform::win32::Win32FileSystem files;
  platform::win32::Win32Registry registry;
  platform::win32::Win32Shell shell;
  platform::win32::Win32SecretStore secrets;

  ui::Runtime runtime(program::HostOf(system));
  platform::win32::Win32Renderer renderer(runtime, instance);
  runtime.SetRenderer(renderer);
  program::Services services{runtime, system, registry, files, shell, ansi, secrets};

  access::Module1 module1(files, ansi, runtime);
  // Nothing of the main window is created before the password is accepted.
  std::unique_ptr<mainwindow::IDD_Main> main_window;
  access::FrmMDP gate(services, module1, [&]() -> ui::Form& {
    if (!main_window) main_window = std::make_unique<mainwindow::IDD_Main>(services, module1);
    return *main_window;
  });
  runtime.Run(gate);
  return 0;
}
