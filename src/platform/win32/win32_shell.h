// The Windows shell, through shell32.
#pragma once

#include "platform/shell.h"
#include "platform/text_codec.h"

namespace ferrolis::platform::win32 {

class Win32Shell final : public Shell {
 public:
  // `ansi` converts the texts for the shell's ANSI entry points.
  explicit Win32Shell(const TextCodec& ansi) : ansi_(ansi) {}

  void ShellAbout(NativeHandle owner, const std::string& app, const std::string& other,
                  NativeHandle icon) override;

 private:
  const TextCodec& ansi_;
};

}  // namespace ferrolis::platform::win32
