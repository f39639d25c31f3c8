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

// A password file that exists but does not decode: an overflowing number or a
// character code outside 0 to 255.
class PasswordFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Module1 {
 public:
  Module1(platform::FileSystem& files, const platform::TextCodec& codec, ui::Runtime& runtime);

  // The access password of this run; empty until read or set.
  std::string StoredPassword;

  // Whether a typed password is the stored one. Both are taken as the
  // password file holds them, in the ANSI code page, so that a character the
  // code page lacks compares as it will be stored.
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
  // is completely written: a failure leaves it as it was.
  void EncodePasswordFile(const std::string& path, const std::string& password);

  // The system copy in force: the native one, or else the SysWOW64 copy of an
  // earlier 32-bit release; nothing at first use. Raises platform::FileError.
  std::optional<std::string> FindSystemCopy();
  // Decodes the system copy in force.
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
  // Replaces the file at `path` by one holding `bytes`, written beside it
  // first; raises platform::FileError and leaves the old file as it was.
  void ReplaceFile(const std::string& path, const std::string& bytes);

  platform::FileSystem& files_;
  const platform::TextCodec& codec_;
  ui::Runtime& runtime_;
};

}  // namespace ferrolis::access
