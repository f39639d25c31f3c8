// An in-memory file system with Windows' rules where the password store relies
// on them: names without regard to case, hidden and system attributes, drives
// that cannot be read, a disk that fills up, a folder that refuses writes.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/files.h"

namespace ferrolis::testing {

class MemoryFiles final : public platform::FileSystem {
 public:
  struct Entry {
    std::string bytes;
    bool hidden = false;
    bool system = false;
    bool read_only = false;
    bool directory = false;
  };

  // What GetSystemDirectoryA gives (ANSI); empty makes the call fail.
  std::string system_directory = "C:\\WINDOWS\\system32";
  // What Wow64SystemDirectory gives: empty plays 32-bit Windows. The double
  // plays the file system as a 64-bit program sees it: no folder redirected.
  std::string wow64_system_directory;
  // What LocalAppDataFolder gives; empty plays a system that cannot name it.
  std::string local_app_data = "C:\\Users\\admin\\AppData\\Local";
  // Drive letters ("A") whose disk is missing or unreadable.
  std::set<char> unreadable_drives;
  // Writes fail once the disk holds this many more bytes.
  std::optional<std::uint64_t> free_space;
  // Folders (with trailing backslash) in which nothing may be created,
  // replaced or deleted.
  std::set<std::string> read_only_folders;

  // Path (as the program spells it) to the number of its next openings or
  // replacements that fail with a sharing violation, as another program
  // holding the file makes them fail.
  std::map<std::string, int> held;
  // Every Pause asked for, in milliseconds; the double does not wait.
  std::vector<unsigned> pauses;

  void Put(const std::string& path, const std::string& bytes);
  Entry* Find(const std::string& path);
  bool Has(const std::string& path) { return Find(path) != nullptr; }
  std::string Bytes(const std::string& path);
  std::size_t FileCount() const { return entries_.size(); }
  // The files (not folders) directly in `folder` (no trailing backslash), as
  // full paths in lower case, in name order.
  std::vector<std::string> FilesIn(const std::string& folder) const;

  // platform::FileSystem
  unsigned GetSystemDirectoryA(char* buffer, unsigned size) override;
  std::string Wow64SystemDirectory() override { return wow64_system_directory; }
  platform::FoundEntry FindEntry(const std::string& path) override;
  void Delete(const std::string& path) override;
  std::unique_ptr<platform::RecordFile> OpenRecordFile(const std::string& path,
                                                       bool create) override;
  std::unique_ptr<platform::RecordFile> CreateNewRecordFile(const std::string& path) override;
  void Replace(const std::string& from, const std::string& to) override;
  void ClearAttributes(const std::string& path) override;
  void Pause(unsigned milliseconds) override { pauses.push_back(milliseconds); }
  bool PathExists(const std::string& path) override;
  std::string LocalAppDataFolder() override { return local_app_data; }
  void CreateFolders(const std::string& path) override;

 private:
  class File;
  static std::string Key(const std::string& path);
  void CheckDrive(const std::string& path) const;
  void CheckWritable(const std::string& path) const;
  void CheckHeld(const std::string& path);

  std::map<std::string, std::shared_ptr<Entry>> entries_;
};

}  // namespace ferrolis::testing
