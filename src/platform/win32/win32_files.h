// The program's file operations over kernel32's wide functions (and shell32
// for the user's local application data folder).
#pragma once

#include <string>

#include "platform/files.h"

namespace ferrolis::platform::win32 {

// The path as this process must name it to reach the file the program means:
// a path in the system directory leads to the native one, through Sysnative
// for a 32-bit process on 64-bit Windows. Every file operation and every
// program start uses it, so that what is checked is what is opened.
std::wstring PathOnDisk(const std::string& path);

class Win32FileSystem final : public FileSystem {
 public:
  unsigned GetSystemDirectoryA(char* buffer, unsigned size) override;
  std::string Wow64SystemDirectory() override;
  FoundEntry FindEntry(const std::string& path) override;
  void Delete(const std::string& path) override;
  std::unique_ptr<RecordFile> OpenRecordFile(const std::string& path, bool create) override;
  std::unique_ptr<RecordFile> CreateNewRecordFile(const std::string& path) override;
  void Replace(const std::string& from, const std::string& to) override;
  void ClearAttributes(const std::string& path) override;
  void Pause(unsigned milliseconds) override;
  bool PathExists(const std::string& path) override;
  std::string LocalAppDataFolder() override;
  void CreateFolders(const std::string& path) override;
};

}  // namespace ferrolis::platform::win32
