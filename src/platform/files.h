// The file operations the password store and the uninstall backups need. Paths are UTF-8. Failures
// of the file system (no disk, unformatted disk, denied access, full disk) are raised as FileError,
// never turned into a plain "not found".
//
// A path in the system directory reaches the native one, the directory 64-bit Windows itself
// uses, whatever the program's bitness: a 32-bit build on 64-bit Windows, which Windows would
// send to SysWOW64, goes through the Sysnative alias (see SysnativePath).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace ferrolis::platform {

// The Win32 error codes the logic tells apart.
inline constexpr unsigned long kFileAccessDenied = 5;
inline constexpr unsigned long kFileSharingViolation = 32;
inline constexpr unsigned long kFileLockViolation = 33;
inline constexpr unsigned long kFileExists = 80;

class FileError : public std::runtime_error {
 public:
  FileError(const std::string& what, unsigned long code) : std::runtime_error(what), code_(code) {}
  // The Win32 error code behind the failure (0 when there is none).
  unsigned long code() const { return code_; }

 private:
  unsigned long code_;
};

// A file opened for fixed-length record access; closed when destroyed.
class RecordFile {
 public:
  virtual ~RecordFile() = default;
  virtual std::uint64_t Length() = 0;
  // Reads `count` bytes at `offset`; fewer only at the end of the file.
  virtual std::string Read(std::uint64_t offset, std::size_t count) = 0;
  virtual void Write(std::uint64_t offset, const std::string& bytes) = 0;
  // Makes every written byte durable before the file is relied on.
  virtual void Flush() = 0;
};

// What a file search finds.
enum class FoundEntry {
  Nothing,
  NormalFile,
  OtherEntry,  // only hidden or system files, or directories
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // GetSystemDirectoryA: writes the directory into `buffer` (capacity `size`
  // bytes, ANSI) and returns the number of characters written without the
  // terminator, or 0 on failure.
  virtual unsigned GetSystemDirectoryA(char* buffer, unsigned size) = 0;

  // GetSystemWow64DirectoryW: the folder where 64-bit Windows keeps the
  // system files of 32-bit programs (C:\Windows\SysWOW64), without a trailing
  // backslash; empty on 32-bit Windows.
  virtual std::string Wow64SystemDirectory() = 0;

  // What a directory search for exactly `path` finds (wildcards match as in
  // any search): NormalFile when an entry is a normal file (read-only and
  // archive files count), OtherEntry when there are entries but each is
  // hidden, a system file or a directory, Nothing when there is none (a
  // missing folder included). A drive that cannot be read (no disk,
  // unformatted, missing drive) raises FileError.
  virtual FoundEntry FindEntry(const std::string& path) = 0;

  // True when the search above finds a normal file.
  bool FindNormalFile(const std::string& path) { return FindEntry(path) == FoundEntry::NormalFile; }

  virtual void Delete(const std::string& path) = 0;

  // Opens `path` for record access. With `create` the file is created, or
  // emptied when it exists; without it the file must exist.
  virtual std::unique_ptr<RecordFile> OpenRecordFile(const std::string& path, bool create) = 0;

  // Creates `path` as a new empty file with no attribute of its own (never
  // one that was there) and opens it for record access. Raises FileError,
  // with ERROR_FILE_EXISTS when anything already is at `path`.
  virtual std::unique_ptr<RecordFile> CreateNewRecordFile(const std::string& path) = 0;

  // Moves `from` over `to` in one step, replacing `to` when it exists.
  virtual void Replace(const std::string& from, const std::string& to) = 0;

  // Takes the read-only, hidden and system attributes off the file at
  // `path`, so that it can be deleted. Raises FileError.
  virtual void ClearAttributes(const std::string& path) = 0;

  // Waits this many milliseconds before an operation is tried again.
  virtual void Pause(unsigned milliseconds) = 0;

  // Whether anything (file or folder, whatever its attributes) is at `path`.
  virtual bool PathExists(const std::string& path) = 0;

  // The user's local application data folder (SHGetFolderPathW with
  // CSIDL_LOCAL_APPDATA), without a trailing backslash; empty when the system
  // cannot name it.
  virtual std::string LocalAppDataFolder() = 0;

  // Creates the folder `path` and every missing folder above it. A folder
  // that is already there is fine; anything that stops the creation raises
  // FileError.
  virtual void CreateFolders(const std::string& path) = 0;
};

// Replaces the file at `path` by one holding exactly `bytes`. They are written
// first to a new file of their own beside it (path.1.tmp, path.2.tmp, ...: the
// first name that can be created new, a leftover of that name cleared on the
// way), flushed, and that file then moves over `path` in one step (same folder),
// so a file at `path` is always whole. `move` makes that move (FileSystem::Replace
// when empty), for a caller that tries it again. Raises FileError; `path` then
// is as it was and the temporary file is deleted where it can be.
void ReplaceWholeFile(
    FileSystem& files, const std::string& path, const std::string& bytes,
    const std::function<void(const std::string& from, const std::string& to)>& move = {});

// For a 32-bit program on 64-bit Windows: the path through the Sysnative
// alias (C:\Windows\Sysnative\...) that reaches `path` in the native system
// directory when `path` lies in `system_directory` (compared without regard
// to case), the path unchanged otherwise.
std::string SysnativePath(const std::string& path, const std::string& system_directory);

}  // namespace ferrolis::platform
