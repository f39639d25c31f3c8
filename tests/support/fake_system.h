// A programmable stand-in for the running program and the machine.
#pragma once

#include <vector>

#include "platform/system.h"

namespace ferrolis::testing {

class FakeSystem final : public platform::System {
 public:
  bool another_instance = false;
  bool version_fails = false;
  std::uint32_t platform_id = 2;
  std::vector<int> exits;
  platform::LocalTime now{2024, 3, 5, 14, 7, 9};
  int policy_notifications = 0;
  std::string program_account = "POSTE\\admin";
  std::string session_account = "POSTE\\admin";

  bool AnotherInstanceRunning() override { return another_instance; }
  std::string ProgramTitle() const override { return "Ferrolis"; }
  platform::ProgramVersion Version() const override { return {1, 1, 0}; }
  std::string ProgramFolder() const override { return "C:\\Program Files\\Ferrolis"; }
  bool GetVersionPlatformId(std::uint32_t* id) override {
    if (version_fails) return false;
    *id = platform_id;
    return true;
  }
  platform::LocalTime Now() const override { return now; }
  void NotifyPolicyChange() override { ++policy_notifications; }
  std::string ProgramAccount() override { return program_account; }
  std::string SessionAccount() override { return session_account; }
  void ExitProcess(int code) override { exits.push_back(code); }
};

}  // namespace ferrolis::testing
