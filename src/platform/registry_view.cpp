#include <algorithm>

#include "platform/ascii.h"
#include "platform/registry.h"

namespace ferrolis::platform {
namespace {

// The first name of the path, in upper case.
std::string FirstName(const std::string& path, std::size_t* end) {
  *end = std::min(path.find('\\'), path.size());
  return AsciiUppercase(std::string_view(path).substr(0, *end));
}

}  // namespace

std::string SixtyFourBitViewPath(RootKey root, const std::string& path) {
  std::size_t end = 0;
  if (root != kHkeyLocalMachine || FirstName(path, &end) != "SOFTWARE") return path;
  std::size_t next = 0;
  const std::string rest = end < path.size() ? path.substr(end + 1) : std::string();
  if (FirstName(rest, &next) == "WOW6432NODE") return path;
  return path.substr(0, end) + "\\WOW6432Node" + (rest.empty() ? "" : "\\" + rest);
}

std::string EditorPath(bool sixty_four_bit_windows, std::uint32_t view, RootKey root,
                       const std::string& path) {
  const bool thirty_two_bit_view = sixty_four_bit_windows && (view & kKeyWow64_32Key) != 0;
  return thirty_two_bit_view ? SixtyFourBitViewPath(root, path) : path;
}

}  // namespace ferrolis::platform
