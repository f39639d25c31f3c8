// The Windows shell: its About box.
#pragma once

#include <cstdint>
#include <string>

namespace ferrolis::platform {

// A native window or icon handle, opaque to the logic.
using NativeHandle = std::uintptr_t;

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellAboutA(owner, app, other, icon): a modal box that returns when closed.
  virtual void ShellAbout(NativeHandle owner, const std::string& app, const std::string& other,
                          NativeHandle icon) = 0;
};

}  // namespace ferrolis::platform
