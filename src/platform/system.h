// Facts about the running program and the machine.
#pragma once

#include <cstdint>
#include <string>

#include "ferrolis_version.h"

namespace ferrolis::platform {

// The program's version numbers, from the project version.
struct ProgramVersion {
  int major = FERROLIS_VERSION_MAJOR;
  int minor = FERROLIS_VERSION_MINOR;
  int revision = FERROLIS_VERSION_REVISION;
};

// Major, minor and revision joined by ".", without leading zeros: "1.1.0".
inline std::string VersionText(const ProgramVersion& version) {
  return std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
         std::to_string(version.revision);
}

// A moment of the local clock.
struct LocalTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class System {
 public:
  virtual ~System() = default;

  // Whether another copy of this program is already running. The first call
  // claims the program's instance marker for the life of the process.
  virtual bool AnotherInstanceRunning() = 0;

  // The program's title ("Ferrolis") and version numbers.
  virtual std::string ProgramTitle() const = 0;
  virtual ProgramVersion Version() const = 0;
  // The folder the program was started from, without a trailing backslash.
  virtual std::string ProgramFolder() const = 0;

  // GetVersionExA with the record size 148: true and the platform id on
  // success, false when the call fails.
  virtual bool GetVersionPlatformId(std::uint32_t* platform_id) = 0;

  // GetLocalTime: the date and time of the machine's clock, in local time.
  virtual LocalTime Now() const = 0;

  // Tells the running programs that the policies changed (WM_SETTINGCHANGE
  // with "Policy"), so that Explorer applies what it can at once. A window
  // that does not answer within a short delay is not waited for.
  virtual void NotifyPolicyChange() = 0;

  // The account this process runs under, as DOMAIN\name; empty when it
  // cannot be told.
  virtual std::string ProgramAccount() = 0;
  // The account that owns the desktop, as DOMAIN\name: the owner of the
  // process of the shell's window (Explorer's desktop). Empty when there is
  // no shell window or when it cannot be told.
  virtual std::string SessionAccount() = 0;

  // Ends the process at once with the given exit code. On Windows it does not
  // return; a test double records the call and returns.
  virtual void ExitProcess(int code) = 0;
};

}  // namespace ferrolis::platform
