// The Windows shell, through shell32 and kernel32.
#pragma once

#include <optional>
#include <string>

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
  // The Vista folder picker, or the older folder dialog where the picker's
  // COM class cannot be created (win32_folder_dialog.cpp).
  std::optional<std::string> PickFolder(NativeHandle owner, const std::string& title) override;
};

// The two folder dialogs behind PickFolder, each on its own so that both can
// be tested: the file dialog in folder mode (IFileOpenDialog with
// FOS_PICKFOLDERS) and SHBrowseForFolderW. `shown` is false when the dialog
// could not be brought up at all; `folder` is the chosen folder's full path,
// nothing when the user cancelled. Each opens in `start` when it is a folder.
enum class FolderDialogKind { Picker, Browser };
struct FolderDialogResult {
  bool shown = false;
  std::optional<std::string> folder;
};
FolderDialogResult ShowFolderDialog(FolderDialogKind kind, NativeHandle owner,
                                    const std::string& title, const std::string& start);

// The user's Documents folder (CSIDL_PERSONAL), without a trailing backslash;
// empty when the system cannot name it.
std::string DocumentsFolder();

}  // namespace ferrolis::platform::win32
