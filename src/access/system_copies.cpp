// The system copy in force, and the SysWOW64 copy of an earlier 32-bit release
// kept in step with the native one.
#include <string>

#include "access/held_files.h"
#include "access/module1.h"

namespace ferrolis::access {

std::optional<std::string> Module1::FindSystemCopy() {
  const std::string native = SystemCopyPath();
  if (FileExists(native)) return native;
  const std::string wow64 = Wow64CopyPath();
  if (!wow64.empty() && FileExists(wow64)) return wow64;
  return std::nullopt;
}

void Module1::ReadPasswordFile() {
  const std::string path = FindSystemCopy().value_or(SystemCopyPath());
  StoredPassword = Retrying(files_, false, [&] { return DecodePasswordFile(path); });
}

void Module1::WritePasswordFile(const std::string& password) {
  const std::string wow64 = Wow64CopyPath();
  if (wow64.empty() || !FileExists(wow64)) {
    EncodePasswordFile(SystemCopyPath(), password);
    return;
  }
  // Both copies change, or neither: the SysWOW64 copy gets its old bytes back
  // when the native one cannot be written.
  std::string previous;
  {
    const auto file = files_.OpenRecordFile(wow64, false);
    previous = file->Read(0, static_cast<std::size_t>(file->Length()));
  }
  EncodePasswordFile(wow64, password);
  try {
    EncodePasswordFile(SystemCopyPath(), password);
  } catch (...) {
    try {
      ReplaceFile(wow64, previous);
    } catch (const platform::FileError&) {
      // The failure the caller must hear about is the first one.
    }
    throw;
  }
}

}  // namespace ferrolis::access
