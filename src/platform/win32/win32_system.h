// The running program and the machine, through kernel32.
#pragma once

#include <windows.h>

#include <string>

#include "platform/system.h"
#include "platform/win32/win32_handle.h"

namespace ferrolis::platform::win32 {

// Serious errors (drive A: with no disk in it, a file the system cannot find)
// come back to the program as failed calls, which it reports in its own words,
// instead of a system box asking to cancel, try again or continue. Called
// first thing at start; what the process inherited stays set.
void SetQuietErrorMode();

class Win32System final : public System {
 public:
  // The instance marker is a named mutex of the whole machine (the global
  // namespace), so that two users' sessions (fast user switching, Remote
  // Desktop) cannot each run a copy on the one password file; tests pass a
  // name of their own.
  explicit Win32System(std::wstring instance_mutex = L"Global\\Ferrolis.SingleInstance");
  ~Win32System() override;
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;

  bool AnotherInstanceRunning() override;
  std::string ProgramTitle() const override;
  ProgramVersion Version() const override;
  std::string ProgramFolder() const override;
  bool GetVersionPlatformId(std::uint32_t* platform_id) override;
  LocalTime Now() const override;
  void NotifyPolicyChange() override;
  std::string ProgramAccount() override;
  std::string SessionAccount() override;
  void ExitProcess(int code) override;

 private:
  std::wstring instance_mutex_name_;
  OwnedKernelHandle instance_mutex_;
  bool checked_ = false;
  bool another_running_ = false;
};

}  // namespace ferrolis::platform::win32
