// The password store: the stored password in memory, the encoded password file
// in the system directory, and its copy on the floppy disk in drive A.
//
// One password file serves the machine: the one in the native system
// directory, which 32-bit and 64-bit builds alike reach. On 64-bit Windows,
// earlier 32-bit releases kept theirs in SysWOW64: that copy is read when the
// native one is missing, and kept in step with it when it is there.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "platform/files.h"
#include "platform/text_codec.h"

namespace ferrolis::ui {
class Runtime;
}

namespace ferrolis::access {

inline constexpr const char* kPasswordFileName = "FRLS.PW";
inline constexpr const char* kFloppyRoot = "A:\\";

// A password file that exists but does not decode: a length that is not a
// whole number of records, an overflowing number or a character code outside
// 0 to 255.
class PasswordFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Module1 {
 public:
  Module1(platform::FileSystem& files, const platform::TextCodec& codec, ui::Runtime& runtime);

  // The access password of this run; empty until read or set.
  std::string StoredPassword;

  // Whether a typed password is the stored one, character by character and
  // case-sensitive. StoredPassword is text decoded from the file's codes
  // through the code page, so a typed character the code page lacks (or a
  // look-alike it would be folded to) never matches.
  bool Matches(const std::string& typed) const;

  std::string GetSystemDir();
  static std::string AddTrailingBackslash(const std::string& path);
  // A normal file at exactly this path; raises platform::FileError for a drive
  // that cannot be read.
  bool FileExists(const std::string& path);

  // The first character of `password` (a whole UTF-8 sequence) that the
  // password file cannot hold, since it stores codes of the ANSI code page;
  // empty when it can hold them all.
  std::string UnstorableCharacter(const std::string& password) const;

  // Raises platform::FileError or PasswordFileError; returns the password.
  std::string DecodePasswordFile(const std::string& path);
  // Raises platform::FileError. The old file is replaced only once the new one
  // is completely written: a failure leaves it as it was. A replacement the
  // file system refuses because the old file is held (sharing, lock or access
  // conflict) is tried again a few times first.
  void EncodePasswordFile(const std::string& path, const std::string& password);

  // The system copy in force: the native one, or else the SysWOW64 copy of an
  // earlier 32-bit release; nothing at first use. Raises platform::FileError.
  std::optional<std::string> FindSystemCopy();
  // Decodes the system copy in force. A file held for a moment by another
  // program (sharing or lock conflict) is read again a few times before its
  // failure is raised.
  void ReadPasswordFile();
  // Writes the native system copy, and the SysWOW64 copy where there is one.
  // Raises platform::FileError; both copies then hold what they held before.
  void WritePasswordFile(const std::string& password);
  // Asks for the floppy and reads its copy; nothing when the user cancelled
  // or a message has reported a problem.
  std::optional<std::string> ReadFloppyPassword();

  std::string SystemCopyPath();
  // The SysWOW64 copy; empty on 32-bit Windows.
  std::string Wow64CopyPath();
  static std::string FloppyCopyPath();

 private:
  // Replaces the file at `path` by one holding `bytes` through
  // platform::ReplaceWholeFile, its final move tried again while the old file
  // is held; raises platform::FileError and leaves the old file as it was.
  void ReplaceFile(const std::string& path, const std::string& bytes);

  platform::FileSystem& files_;
  const platform::TextCodec& codec_;
  ui::Runtime& runtime_;
};

}  // namespace ferrolis::access
