// Where the password file's copies are: the system directory, SysWOW64, the
// floppy disk.
#include <string>

#include "access/module1.h"

namespace ferrolis::access {

std::string Module1::GetSystemDir() {
  constexpr unsigned kBufferSize = 255;
  std::string buffer(kBufferSize, ' ');
  const unsigned count = files_.GetSystemDirectoryA(buffer.data(), kBufferSize);
  // A count beyond the buffer means the call did not fit and wrote nothing.
  if (count == 0 || count > kBufferSize) return {};
  return codec_.FromAnsi(std::string_view(buffer).substr(0, count));
}

std::string Module1::AddTrailingBackslash(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path;
  return path + "\\";
}

bool Module1::FileExists(const std::string& path) { return files_.FindNormalFile(path); }

std::string Module1::SystemCopyPath() {
  return AddTrailingBackslash(GetSystemDir()) + kPasswordFileName;
}

std::string Module1::Wow64CopyPath() {
  const std::string directory = files_.Wow64SystemDirectory();
  return directory.empty() ? std::string() : AddTrailingBackslash(directory) + kPasswordFileName;
}

std::string Module1::FloppyCopyPath() { return std::string(kFloppyRoot) + kPasswordFileName; }

}  // namespace ferrolis::access
