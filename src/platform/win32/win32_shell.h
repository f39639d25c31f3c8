// The Windows shell, through shell32 and kernel32.
#pragma once

#include "platform/shell.h"

namespace ferrolis::platform::win32 {

class Win32Shell final : public Shell {
 public:
  void ShellAbout(NativeHandle owner, const std::string& app, const std::string& other,
                  NativeHandle icon) override;
  // The wide entry points: file names and links keep every character.
  std::intptr_t ShellExecute(NativeHandle owner, const std::string& operation,
                             const std::string& file, const std::string& parameters,
                             const std::string& directory, int show) override;
  bool StartProgram(const std::string& path, int show) override;
};

}  // namespace ferrolis::platform::win32
