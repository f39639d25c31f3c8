// A shell that records what the program asks of it, with answers a test sets.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace ferrolis::testing {

class FakeShell final : public platform::Shell {
 public:
  struct AboutCall {
    platform::NativeHandle owner;
    std::string app;
    std::string other;
    platform::NativeHandle icon;
  };
  struct ExecuteCall {
    platform::NativeHandle owner;
    std::string operation;
    std::string file;
    std::string parameters;
    std::string directory;
    int show;
  };
  struct StartCall {
    std::string path;
    int show;
  };

  std::vector<AboutCall> abouts;
  std::vector<ExecuteCall> executes;
  std::vector<StartCall> starts;
  // What ShellExecute returns (above 32: success).
  std::intptr_t execute_result = 42;
  // Whether StartProgram succeeds.
  bool start_succeeds = true;
  // The folder the next folder dialogs give, nothing for Cancel; the titles asked for.
  std::optional<std::string> picked_folder;
  std::vector<std::string> folder_dialogs;

  void ShellAbout(platform::NativeHandle owner, const std::string& app, const std::string& other,
                  platform::NativeHandle icon) override {
    abouts.push_back({owner, app, other, icon});
  }
  std::intptr_t ShellExecute(platform::NativeHandle owner, const std::string& operation,
                             const std::string& file, const std::string& parameters,
                             const std::string& directory, int show) override {
    executes.push_back({owner, operation, file, parameters, directory, show});
    return execute_result;
  }
  bool StartProgram(const std::string& path, int show) override {
    starts.push_back({path, show});
    return start_succeeds;
  }
  std::optional<std::string> PickFolder(platform::NativeHandle, const std::string& title) override {
    folder_dialogs.push_back(title);
    return picked_folder;
  }
};

}  // namespace ferrolis::testing
