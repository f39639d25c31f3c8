#include "about/idbas_system_information.h"

#include "about/about_texts.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::about {

IDBAS_SystemInformation::IDBAS_SystemInformation(platform::System& system, ui::Runtime& runtime)
    : system_(system), runtime_(runtime) {}

std::int32_t IDBAS_SystemInformation::GetWindowsPlatform() {
  std::uint32_t platform_id = 0;
  if (!system_.GetVersionPlatformId(&platform_id)) {
    runtime_.MsgBox(texts::kWindowsVersionUnreadable, ui::kOkOnly, system_.ProgramTitle());
    runtime_.End();
  }
  switch (platform_id) {
    case 0:
      PlatformCode = kPlatformWin32s;
      break;
    case 1:
      PlatformCode = kPlatformWindows9x;
      break;
    case 2:
      PlatformCode = kPlatformWindowsNT;
      break;
    default:
      break;
  }
  return PlatformCode;
}

}  // namespace ferrolis::about
