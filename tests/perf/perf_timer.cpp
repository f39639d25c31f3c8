// ferrolis_perf: times, from inside Wine, what a user waits for.
//
//   ferrolis_perf launch <runs> <title> <command line> [<title> <command line>...]
//       starts each program <runs> times, in turn, and prints for each (one
//       line each) the median time from the start to its visible top-level
//       window titled <title>, in ms.
//   ferrolis_perf run <runs> <command line>
//       the median time from start to exit of a command, in ms.
//   ferrolis_perf main <ferrolis.exe> <password> <lines to delete>
//       opens the access gate, validates the password and times until the
//       main window is shown (its loading has then run, uninstall list
//       included); then selects the first lines of the uninstall list, clicks
//       "Supprimer de la liste" and times until the list is refreshed.
//
// One Wine process measures everything, so that only the programs under test
// pay for their own start.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Search {
  DWORD pid;
  const wchar_t* title;
  HWND found;
};

// A named callback: a lambda has no stdcall conversion on i686.
BOOL CALLBACK MatchShown(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  if ((s->pid == 0 || owner == s->pid) && IsWindowVisible(hwnd) && wcscmp(text, s->title) == 0) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// A visible top-level window of the process with exactly that title.
HWND FindShown(DWORD pid, const wchar_t* title) {
  Search search{pid, title, nullptr};
  EnumWindows(MatchShown, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitShown(DWORD pid, const wchar_t* title, double timeout_ms) {
  const double end = NowMs() + timeout_ms;
  while (NowMs() < end) {
    if (HWND hwnd = FindShown(pid, title)) return hwnd;
    Sleep(2);
  }
  return nullptr;
}

bool Start(std::wstring command, PROCESS_INFORMATION* process) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, process) != 0;
}

void Stop(PROCESS_INFORMATION& process) {
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

HWND ChildOfClass(HWND parent, const wchar_t* cls, int rank) {
  HWND child = nullptr;
  while ((child = FindWindowExW(parent, child, cls, nullptr)) != nullptr) {
    if (rank-- == 0) return child;
  }
  return nullptr;
}

HWND ChildWithText(HWND parent, const wchar_t* text) {
  return FindWindowExW(parent, nullptr, nullptr, text);
}

// Programs measured in turn, one run of each per round, so that the load of a
// shared machine weighs on all of them alike.
int Launch(int runs, int count, wchar_t** pairs) {
  std::vector<std::vector<double>> times(static_cast<std::size_t>(count));
  for (int i = 0; i < runs; ++i) {
    for (int p = 0; p < count; ++p) {
      const wchar_t* title = pairs[2 * p];
      PROCESS_INFORMATION process{};
      const double start = NowMs();
      if (!Start(pairs[2 * p + 1], &process)) return 1;
      HWND shown = WaitShown(process.dwProcessId, title, 60000);
      const double took = NowMs() - start;
      Stop(process);
      if (!shown) return 1;
      times[static_cast<std::size_t>(p)].push_back(took);
      Sleep(300);
    }
  }
  for (const auto& each : times) std::printf("%.0f\n", Median(each));
  return 0;
}

// Starts a command whose output goes nowhere, as a console program's would to NUL.
bool StartQuiet(std::wstring command, PROCESS_INFORMATION* process) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE nul =
      CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = nul;
  startup.hStdError = nul;
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, process);
  CloseHandle(nul);
  return started != 0;
}

int Run(int runs, const wchar_t* command) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    PROCESS_INFORMATION process{};
    const double start = NowMs();
    if (!StartQuiet(command, &process)) return 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    times.push_back(NowMs() - start);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  std::printf("%.0f\n", Median(times));
  return 0;
}

int Main(const wchar_t* exe, const wchar_t* password, int to_delete) {
  PROCESS_INFORMATION process{};
  if (!Start(std::wstring(L"\"") + exe + L"\"", &process)) return 1;
  HWND gate = WaitShown(process.dwProcessId, L"Mot de Passe", 60000);
  HWND edit = gate ? ChildOfClass(gate, L"Edit", 0) : nullptr;
  HWND ok = gate ? ChildWithText(gate, L"&OK") : nullptr;
  if (!edit || !ok) {
    Stop(process);
    return 1;
  }
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(password));
  const double clicked = NowMs();
  PostMessageW(ok, BM_CLICK, 0, 0);
  HWND main = WaitShown(process.dwProcessId, L"Ferrolis", 60000);
  HWND list = main ? ChildOfClass(main, L"ListBox", 0) : nullptr;
  // Shown, and its loading has filled the list.
  while (list && SendMessageW(list, LB_GETCOUNT, 0, 0) == 0 && NowMs() - clicked < 60000) Sleep(2);
  const double loaded = NowMs() - clicked;
  const auto before = list ? static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)) : 0;
  std::printf("load_ms=%.0f lines=%d\n", loaded, before);
  if (!list || to_delete <= 0 || before < to_delete) {
    Stop(process);
    return list ? 0 : 1;
  }
  // The user's selection: the first lines, then the list's own notification.
  SendMessageW(list, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, to_delete - 1));
  SendMessageW(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  HWND remove = ChildWithText(main, L"Supprimer de la liste");
  if (!remove) {
    Stop(process);
    return 1;
  }
  const double start = NowMs();
  PostMessageW(remove, BM_CLICK, 0, 0);
  while (SendMessageW(list, LB_GETCOUNT, 0, 0) > before - to_delete && NowMs() - start < 120000) {
    Sleep(2);
  }
  const auto after = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  std::printf("delete_ms=%.0f lines=%d\n", NowMs() - start, after);
  Stop(process);
  return after == before - to_delete ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"launch" && argc >= 5 && argc % 2 == 1) {
    return Launch(_wtoi(argv[2]), (argc - 3) / 2, argv + 3);
  }
  if (command == L"run" && argc == 4) return Run(_wtoi(argv[2]), argv[3]);
  if (command == L"main" && argc == 5) return Main(argv[2], argv[3], _wtoi(argv[4]));
  std::fprintf(stderr, "usage: ferrolis_perf launch|run|main ...\n");
  return 2;
}
