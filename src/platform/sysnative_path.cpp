#include "platform/ascii.h"
#include "platform/files.h"

namespace ferrolis::platform {
std::string SysnativePath(const std::string& path, const std::string& system_directory) {
  std::string_view directory = system_directory;
  while (!directory.empty() && directory.back() == '\\') directory.remove_suffix(1);
  const auto parent = directory.find_last_of('\\');
  if (parent == std::string_view::npos || path.size() < directory.size() ||
      !EqualIgnoringCase(std::string_view(path).substr(0, directory.size()), directory)) {
    return path;
  }
  const std::string_view rest = std::string_view(path).substr(directory.size());
  if (!rest.empty() && rest.front() != '\\') return path;  // "system32x" is another folder
  return path.substr(0, parent) + "\\Sysnative" + std::string(rest);
}

}  // namespace ferrolis::platform
