#include "platform/files.h"

namespace ferrolis::platform {
namespace {

// How many temporary names beside a file are tried before giving up.
constexpr int kTemporaryNames = 9;

// A new empty file beside `path`, under the first free temporary name.
std::unique_ptr<RecordFile> CreateTemporaryBeside(FileSystem& files, const std::string& path,
                                                  std::string* temporary) {
  for (int n = 1;; ++n) {
    *temporary = path + "." + std::to_string(n) + ".tmp";
    // A file of that name is a leftover of an earlier change that failed:
    // cleared when it can be, else the next name is tried.
    try {
      if (files.PathExists(*temporary)) {
        files.ClearAttributes(*temporary);
        files.Delete(*temporary);
      }
    } catch (const FileError&) {
    }
    try {
      return files.CreateNewRecordFile(*temporary);
    } catch (const FileError& error) {
      if (error.code() != kFileExists || n == kTemporaryNames) throw;
    }
  }
}

}  // namespace

void ReplaceWholeFile(
    FileSystem& files, const std::string& path, const std::string& bytes,
    const std::function<void(const std::string& from, const std::string& to)>& move) {
  std::string temporary;
  std::unique_ptr<RecordFile> file = CreateTemporaryBeside(files, path, &temporary);
  try {
    file->Write(0, bytes);
    file->Flush();
    if (file->Length() != bytes.size()) throw FileError("short write: " + temporary, 0);
    file.reset();
    if (move) {
      move(temporary, path);
    } else {
      files.Replace(temporary, path);
    }
  } catch (...) {
    file.reset();
    try {
      if (files.PathExists(temporary)) files.Delete(temporary);
    } catch (const FileError&) {
      // The original failure is the one the caller must hear about; what is
      // left is a .tmp file, which nothing opens.
    }
    throw;
  }
}

}  // namespace ferrolis::platform
