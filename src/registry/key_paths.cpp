// Root key names and the joining of subkey paths.
#include <array>
#include <cstddef>

#include "platform/ascii.h"
#include "registry/idbas_registry.h"

namespace ferrolis::registry {
namespace {

struct RootRow {
  std::string_view name;
  platform::RootKey handle;
};

// Looked up in this order, both ways.
constexpr std::array<RootRow, 5> kRoots = {{
    {"HKEY_CURRENT_USER", platform::kHkeyCurrentUser},
    {"HKEY_LOCAL_MACHINE", platform::kHkeyLocalMachine},
    {"HKEY_USERS", platform::kHkeyUsers},
    {"HKEY_CLASSES_ROOT", platform::kHkeyClassesRoot},
    {"HKEY_CURRENT_CONFIG", platform::kHkeyCurrentConfig},
}};

}  // namespace

platform::RootKey IDBAS_Registry::RootKeyFromName(std::string_view name) {
  const std::string upper = platform::AsciiUppercase(name);
  for (const RootRow& row : kRoots) {
    if (upper == row.name) return row.handle;
  }
  return 0;
}

std::string IDBAS_Registry::RootKeyName(platform::RootKey root) {
  for (const RootRow& row : kRoots) {
    if (row.handle == root) return std::string(row.name);
  }
  return {};
}

std::string IDBAS_Registry::BuildKeyPath(std::string_view BasePath, std::string_view SubKey1,
                                         std::string_view SubKey2) {
  std::string joined(BasePath);
  for (const std::string_view piece : {SubKey1, SubKey2}) {
    if (piece.empty()) continue;
    if (!joined.empty()) joined += '\\';
    joined += piece;
  }

  // Collapse every run of backslashes to one, in a single pass.
  std::string path;
  path.reserve(joined.size());
  for (const char c : joined) {
    if (c == '\\' && !path.empty() && path.back() == '\\') continue;
    path += c;
  }
  // Slashes become backslashes afterwards, so "a//b" ends as two backslashes.
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

}  // namespace ferrolis::registry
