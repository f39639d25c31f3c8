// Switches one shell restriction row through the program's own modules, for
// checks that compare the result with Wine's `reg query`.
//   ferrolis_restriction_switch <index 0-11> on|off [user|machine]
// Prints the row's state as read back ("on" or "off").
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/win32/win32_registry.h"
#include "registry/idbas_registry.h"
#include "restrictions/disable_system_functions.h"

int main(int argc, char** argv) {
  using namespace ferrolis;
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: %s <index 0-11> on|off [user|machine]\n", argv[0]);
    return 2;
  }
  char* end = nullptr;
  const long index = std::strtol(argv[1], &end, 10);
  const bool on = std::strcmp(argv[2], "on") == 0;
  const bool machine = argc == 4 && std::strcmp(argv[3], "machine") == 0;
  if (*end != '\0' || index < 0 || index > 11 || (!on && std::strcmp(argv[2], "off") != 0) ||
      (argc == 4 && !machine && std::strcmp(argv[3], "user") != 0)) {
    std::fprintf(stderr, "bad arguments\n");
    return 2;
  }

  platform::win32::Win32Registry registry;
  registry::IDBAS_Registry layer(registry);
  restrictions::IDBAS_DisableSystemFunctions module(layer);
  module.PolicyRoot = machine ? platform::kHkeyLocalMachine : platform::kHkeyCurrentUser;
  module.SetShellRestriction(static_cast<int>(index), on);
  const bool now = module.GetShellRestriction(static_cast<int>(index));
  std::printf("%s\n", now ? "on" : "off");
  return now == on ? 0 : 1;
}
