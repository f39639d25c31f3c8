// The Windows platform the program runs on. Only the Windows NT family is
// supported; the main window asks here before it does anything else.
#pragma once

#include <cstdint>

#include "platform/system.h"

namespace ferrolis::ui {
class Runtime;
}

namespace ferrolis::about {

inline constexpr std::int32_t kPlatformWin32s = 0;
inline constexpr std::int32_t kPlatformWindows9x = 1;
inline constexpr std::int32_t kPlatformWindowsNT = 2;

class IDBAS_SystemInformation {
 public:
  IDBAS_SystemInformation(platform::System& system, ui::Runtime& runtime);

  // Asks Windows for its version and returns PlatformCode. When the version
  // cannot be read it says so and ends the program.
  std::int32_t GetWindowsPlatform();

  // 0 at start; set from the platform id of the version record (0, 1 or 2);
  // an id outside these leaves it unchanged.
  std::int32_t PlatformCode = 0;

 private:
  platform::System& system_;
  ui::Runtime& runtime_;
};

}  // namespace ferrolis::about
