#include "platform/win32/win32_shell.h"

#include <windows.h>
// shellapi.h turns ShellAbout and ShellExecute into macros: included after our
// own header.
#include <shellapi.h>
#undef ShellAbout
#undef ShellExecute

#include <string>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_text.h"

namespace ferrolis::platform::win32 {
namespace {

// An empty text is passed as none (a null pointer).
const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

void Win32Shell::ShellAbout(NativeHandle owner, const std::string& app, const std::string& other,
                            NativeHandle icon) {
  // The wide entry point: the ANSI one would lose every character the code
  // page lacks ("É", "é" on a system whose code page is not 1252).
  ShellAboutW(reinterpret_cast<HWND>(owner), Widen(app).c_str(), Widen(other).c_str(),
              reinterpret_cast<HICON>(icon));
}

std::intptr_t Win32Shell::ShellExecute(NativeHandle owner, const std::string& operation,
                                       const std::string& file, const std::string& parameters,
                                       const std::string& directory, int show) {
  const std::wstring op = Widen(operation);
  const std::wstring target = Widen(file);
  const std::wstring params = Widen(parameters);
  const std::wstring dir = Widen(directory);
  HINSTANCE result = ShellExecuteW(reinterpret_cast<HWND>(owner), OrNull(op), target.c_str(),
                                   OrNull(params), OrNull(dir), show);
  return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Shell::StartProgram(const std::string& path, int show) {
  // The file the program checked is the one started: named as the module,
  // with no search, and quoted on the command line, whose first word the
  // started program reads as its own name. Unquoted, "C:\Program Files\x.exe"
  // would first start a "C:\Program.exe".
  const std::wstring program = PathOnDisk(path);
  std::wstring command = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  // The program runs on by itself: its handles are not kept.
  const OwnedKernelHandle thread(process.hThread), started(process.hProcess);
  return true;
}

}  // namespace ferrolis::platform::win32
