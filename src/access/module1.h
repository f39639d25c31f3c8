// The password store: the stored password in memory, the encoded password file
// in the system directory, and its copy on the floppy disk in drive A.
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

  // Raises platform::FileError or PasswordFileError; returns the password.
  std::string DecodePasswordFile(const std::string& path);
  // Raises platform::FileError. The old file is replaced only once the new one
  // is completely written: a failure leaves it as it was.
  void EncodePasswordFile(const std::string& path, const std::string& password);

  void ReadPasswordFile();
  void WritePasswordFile(const std::string& password);
  // Asks for the floppy and reads its copy; nothing when the user cancelled
  // or a message has reported a problem.
  std::optional<std::string> ReadFloppyPassword();

  std::string SystemCopyPath();
  static std::string FloppyCopyPath();

 private:
  platform::FileSystem& files_;
  const platform::TextCodec& codec_;
  ui::Runtime& runtime_;
};

}  // namespace ferrolis::access
