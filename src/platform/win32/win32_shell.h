// The Windows shell, through shell32 and kernel32.
#pragma once

#include "platform/shell.h"
#include "platform/text_codec.h"

namespace ferrolis::platform::win32 {

class Win32Shell final : public Shell {
 public:
  // `ansi` converts the texts for the shell's ANSI About box.
  explicit Win32Shell(const TextCodec& ansi) : ansi_(ansi) {}

  void ShellAbout(NativeHandle owner, const std::string& app, const std::string& other,
                  NativeHandle icon) override;
  // The wide entry points: file names and links keep every character.
  std::intptr_t ShellExecute(NativeHandle owner, const std::string& operation,
                             const std::string& file, const std::string& parameters,
                             const std::string& directory, int show) override;
  bool StartProgram(const std::string& path, int show) override;

 private:
  const TextCodec& ansi_;
};

}  // namespace ferrolis::platform::win32
