#include "platform/win32/win32_system.h"

#include <utility>

#include "platform/win32/win32_text.h"

namespace ferrolis::platform::win32 {

void SetQuietErrorMode() {
  const UINT inherited = SetErrorMode(0);
  SetErrorMode(inherited | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

Win32System::Win32System(std::wstring instance_mutex)
    : instance_mutex_name_(std::move(instance_mutex)) {}

Win32System::~Win32System() {
  if (instance_mutex_) CloseHandle(instance_mutex_);
}

// The first copy creates the mutex and holds it until it ends; a later copy
// finds it already there.
bool Win32System::AnotherInstanceRunning() {
  if (checked_) return another_running_;
  checked_ = true;
  SetLastError(ERROR_SUCCESS);
  instance_mutex_ = CreateMutexW(nullptr, FALSE, instance_mutex_name_.c_str());
  const DWORD error = GetLastError();
  // A mutex we may not open (another user's) is another copy all the same.
  another_running_ =
      error == ERROR_ALREADY_EXISTS || (instance_mutex_ == nullptr && error == ERROR_ACCESS_DENIED);
  return another_running_;
}

std::string Win32System::ProgramTitle() const { return "Ferrolis"; }

ProgramVersion Win32System::Version() const { return {1, 1, 0}; }

std::string Win32System::ProgramFolder() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // truncated: long path
  }
  const auto slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  path.resize(slash);
  return Narrow(path);
}

bool Win32System::GetVersionPlatformId(std::uint32_t* platform_id) {
  static_assert(sizeof(OSVERSIONINFOA) == 148, "the record GetVersionExA expects");
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = 148;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const BOOL ok = GetVersionExA(&info);
#pragma GCC diagnostic pop
  if (!ok) return false;
  *platform_id = info.dwPlatformId;
  return true;
}

void Win32System::NotifyPolicyChange() {
  // Each top-level window gets at most this long to answer; a hung one is
  // skipped, so the save never stalls on it.
  constexpr UINT kTimeoutMs = 1000;
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Policy"),
                      SMTO_ABORTIFHUNG | SMTO_NORMAL, kTimeoutMs, &result);
}

void Win32System::ExitProcess(int code) { ::ExitProcess(static_cast<UINT>(code)); }

LocalTime Win32System::Now() const {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace ferrolis::platform::win32
