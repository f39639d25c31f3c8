// The uninstall panel with 2,000 entries in the uninstall key: how long a
// refresh takes, and a click on "Supprimer de la liste" with 50 lines
// selected (backup, deletions and the refresh after them). Natively the main
// window runs headless on the registry and file doubles; on Windows (under
// Wine) it runs with its real windows, the real registry and the real files.
// Run by tests/bench/uninstall_bench.sh, which also times `reg query /s` of the
// same key; not a test.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "access/module1.h"
#include "mainwindow/idd_main.h"
#include "program/services.h"
#include "registry/idbas_registry.h"
#include "support/memory_secrets.h"
#include "ui/runtime.h"
#include "uninstall/uninstall_list.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_renderer.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_text.h"
#include "support/headless_renderer.h"
#else
#include "support/fake_shell.h"
#include "support/fake_system.h"
#include "support/headless_renderer.h"
#include "support/memory_files.h"
#include "support/memory_registry.h"
#endif

namespace {

using namespace ferrolis;
using Clock = std::chrono::steady_clock;

constexpr int kEntries = 2000;
constexpr int kDeleted = 50;

struct Platform {
#ifdef _WIN32
  platform::win32::Win32System system{L"Local\\FerrolisUninstallBench"};
  platform::win32::Win32TextCodec ansi;
  platform::win32::Win32FileSystem files;
  platform::win32::Win32Registry registry;
  platform::win32::Win32Shell shell;
  ui::Runtime runtime{program::HostOf(system)};
  // With --headless the window has no native controls: the registry and the
  // panel's logic alone.
  std::unique_ptr<ui::Renderer> renderer;
  explicit Platform(bool headless) {
    if (headless) {
      renderer = std::make_unique<testing::HeadlessRenderer>(runtime);
    } else {
      renderer =
          std::make_unique<platform::win32::Win32Renderer>(runtime, GetModuleHandleW(nullptr));
      runtime.SetRenderer(*renderer);
    }
  }
#else
  testing::FakeSystem system;
  platform::Cp1252Codec ansi;
  testing::MemoryFiles files;
  testing::MemoryRegistry registry;
  testing::FakeShell shell;
  ui::Runtime runtime{program::HostOf(system)};
  testing::HeadlessRenderer renderer{runtime};
  explicit Platform(bool) { registry.RecordCalls(false); }
#endif
  // The bench never saves the automatic logon password.
  testing::MemorySecrets secrets;
  program::Services services{runtime, system, registry, files, shell, ansi, secrets};
  registry::IDBAS_Registry layer{registry};
};

std::string Subkey(int i) {
  char name[48];
  std::snprintf(name, sizeof name, "{FE0B%04d-0000-4000-8000-BENCHMARK000}", i);
  return name;
}

// Entries shaped like an installer's: a name, a version, a publisher, the
// commands and a size.
void Fill(Platform& p) {
  for (int i = 0; i < kEntries; ++i) {
    const std::string subkey = Subkey(i);
    const auto set = [&](const char* name, const std::string& data, std::uint32_t type) {
      p.layer.SetRegistryValue({}, subkey, name, data, uninstall::kUninstallRoot,
                               uninstall::kUninstallPath, type);
    };
    set("DisplayName", "Programme de test " + std::to_string(i), platform::kRegSz);
    set("DisplayVersion", "1.0." + std::to_string(i), platform::kRegSz);
    set("Publisher", "Ferrolis", platform::kRegSz);
    set("UninstallString", "C:\\Programmes\\Test" + std::to_string(i) + "\\uninst.exe",
        platform::kRegSz);
    set("InstallLocation", "C:\\Programmes\\Test" + std::to_string(i), platform::kRegSz);
    set("EstimatedSize", std::to_string(1000 + i), platform::kRegDword);
  }
}

void RemoveAll(Platform& p) {
  for (int i = 0; i < kEntries; ++i) {
    p.layer.DeleteRegistryEntry({}, Subkey(i), {}, uninstall::kUninstallRoot,
                                uninstall::kUninstallPath);
  }
}

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  const bool headless = argc > 1 && std::string(argv[1]) == "--headless";
#else
  const bool headless = true;
#endif
  Platform p(headless);
  // FERROLIS_BENCH_KEEP=1 only writes the entries (for timing other tools on
  // them); FERROLIS_BENCH_CLEAN=1 only removes them.
  if (std::getenv("FERROLIS_BENCH_KEEP") || std::getenv("FERROLIS_BENCH_CLEAN")) {
    RemoveAll(p);
    if (std::getenv("FERROLIS_BENCH_KEEP")) Fill(p);
    return 0;
  }
  access::Module1 module1(p.files, p.ansi, p.runtime);
  mainwindow::IDD_Main window(p.services, module1);
  RemoveAll(p);
  Fill(p);
  window.Show(false);  // the user acts on a window on screen
  window.cmdDelete.SetEnabled(true);

  // FERROLIS_BENCH_ROUNDS: how many rounds (5 by default).
  const char* rounds_text = std::getenv("FERROLIS_BENCH_ROUNDS");
  const int kRounds = rounds_text ? std::max(1, std::atoi(rounds_text)) : 5;
  std::vector<double> refresh;
  std::vector<double> list_only;
  std::vector<double> deletion;
  for (int round = 0; round < kRounds; ++round) {
    auto start = Clock::now();
    p.runtime.UserClick(window.cmdRefresh);
    refresh.push_back(Seconds(start));

    start = Clock::now();
    const std::vector<std::string> lines = uninstall::ListedDisplayNames(p.layer);
    list_only.push_back(Seconds(start));

    const int listed = window.lstPrograms.ListCount();
    if (listed < kEntries) {
      std::fprintf(stderr, "only %d of %d entries listed\n", listed, kEntries);
      return 1;
    }
    // Fifty lines spread over the list, chosen as a user would.
    std::vector<bool> chosen(static_cast<std::size_t>(listed), false);
    for (int k = 0; k < kDeleted; ++k)
      chosen[static_cast<std::size_t>(k * (listed / kDeleted))] = true;
    p.runtime.UserSelectedLines(window.lstPrograms, chosen);
    start = Clock::now();
    p.runtime.UserClick(window.cmdDelete);
    deletion.push_back(Seconds(start));
    if (window.lstPrograms.ListCount() != listed - kDeleted) {
      std::fprintf(stderr, "%d lines left after deleting %d of %d\n",
                   window.lstPrograms.ListCount(), kDeleted, listed);
      return 1;
    }
    Fill(p);  // the deleted entries back for the next round
  }
  RemoveAll(p);

  std::printf("entries: %d, rounds: %d (medians), %s\n", kEntries, kRounds,
              headless ? "headless window" : "real window");
  std::printf("refresh (registry and list):          %8.1f ms\n", Median(refresh) * 1e3);
  std::printf("  of which reading the registry:      %8.1f ms\n", Median(list_only) * 1e3);
  std::printf("delete %d selected lines and refresh: %8.1f ms\n", kDeleted, Median(deletion) * 1e3);
  return 0;
}
