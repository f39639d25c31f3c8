// The Windows shell: its About box, opening documents and links, starting
// programs, choosing a folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/native_handle.h"

namespace ferrolis::platform {

// Show states for ShellExecute and started programs (SW_ values).
inline constexpr int kShowNormal = 1;

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellAbout(owner, app, other, icon): a modal box that returns when closed.
  virtual void ShellAbout(NativeHandle owner, const std::string& app, const std::string& other,
                          NativeHandle icon) = 0;
  // ShellExecute(owner, operation, file, parameters, directory, show): opens a
  // document, a link or a program. Returns the shell's result code: greater
  // than 32 on success, the error code (0 to 32) otherwise. An empty
  // operation, parameters or directory is passed as none.
  virtual std::intptr_t ShellExecute(NativeHandle owner, const std::string& operation,
                                     const std::string& file, const std::string& parameters,
                                     const std::string& directory, int show) = 0;
  // Starts the program file at `path` (its full name, extension included, no
  // arguments; a path in the system directory reaches the native one, as the
  // file searches do) with the given show state; true when the process
  // started.
  virtual bool StartProgram(const std::string& path, int show) = 0;
  // The system's own folder dialog, modal over `owner`, titled `title` and
  // opened in the user's Documents folder: the full path of the folder the
  // user chose, or nothing when they cancelled (or no dialog could be shown).
  virtual std::optional<std::string> PickFolder(NativeHandle owner, const std::string& title) = 0;
};

}  // namespace ferrolis::platform
