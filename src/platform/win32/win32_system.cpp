#include "platform/win32/win32_system.h"

#include <utility>
#include <vector>

#include "platform/win32/win32_text.h"

namespace ferrolis::platform::win32 {
namespace {

// The user of a process's token as DOMAIN\name, or empty text.
std::string TokenAccount(HANDLE process) {
  HANDLE opened = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &opened)) return {};
  const OwnedKernelHandle token(opened);
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> user(size);
  if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size)) return {};
  const PSID sid = reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
  wchar_t name[256] = {};
  wchar_t domain[256] = {};
  DWORD name_size = 256;
  DWORD domain_size = 256;
  SID_NAME_USE use;
  if (!LookupAccountSidW(nullptr, sid, name, &name_size, domain, &domain_size, &use)) return {};
  return Narrow(std::wstring(domain) + L"\\" + name);
}

// The account of the process `process_id`, or empty text.
std::string ProcessAccount(DWORD process_id) {
  const OwnedKernelHandle process(
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  return process ? TokenAccount(process) : std::string();
}

// Enables the debug privilege of this process, which administrators hold but
// is off until asked for, for as long as it lives.
class DebugPrivilege {
 public:
  DebugPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
      return;
    }
    token_.reset(token);
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    DWORD size = sizeof(previous_);
    enabled_ = LookupPrivilegeValueW(nullptr, SE_DEBUG_NAME, &wanted.Privileges[0].Luid) &&
               AdjustTokenPrivileges(token_, FALSE, &wanted, sizeof(previous_), &previous_,
                                     &size) &&
               GetLastError() == ERROR_SUCCESS;  // ERROR_NOT_ALL_ASSIGNED: not held
  }
  ~DebugPrivilege() {
    if (enabled_) AdjustTokenPrivileges(token_, FALSE, &previous_, 0, nullptr, nullptr);
  }
  DebugPrivilege(const DebugPrivilege&) = delete;
  DebugPrivilege& operator=(const DebugPrivilege&) = delete;
  bool enabled() const { return enabled_; }

 private:
  OwnedKernelHandle token_;
  TOKEN_PRIVILEGES previous_{};
  bool enabled_ = false;
};

}  // namespace

void SetQuietErrorMode() {
  const UINT inherited = SetErrorMode(0);
  SetErrorMode(inherited | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

Win32System::Win32System(std::wstring instance_mutex)
    : instance_mutex_name_(std::move(instance_mutex)) {}

Win32System::~Win32System() = default;

// The first copy creates the mutex and holds it until it ends; a later copy
// finds it already there.
bool Win32System::AnotherInstanceRunning() {
  if (checked_) return another_running_;
  checked_ = true;
  SetLastError(ERROR_SUCCESS);
  HANDLE mutex = CreateMutexW(nullptr, FALSE, instance_mutex_name_.c_str());
  const DWORD error = GetLastError();
  instance_mutex_.reset(mutex);
  // A mutex we may not open (another user's) is another copy all the same.
  another_running_ =
      error == ERROR_ALREADY_EXISTS || (mutex == nullptr && error == ERROR_ACCESS_DENIED);
  return another_running_;
}

std::string Win32System::ProgramTitle() const { return "Ferrolis"; }

ProgramVersion Win32System::Version() const { return {}; }

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
  // The delay counts for each top-level window in turn, so it is kept short:
  // a window that is slow or hung (skipped at once) holds the save up no more
  // than this.
  constexpr UINT kTimeoutMs = 150;
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Policy"),
                      SMTO_ABORTIFHUNG | SMTO_NORMAL, kTimeoutMs, &result);
}

std::string Win32System::ProgramAccount() { return TokenAccount(GetCurrentProcess()); }

std::string Win32System::SessionAccount() {
  const HWND shell = GetShellWindow();
  DWORD process_id = 0;
  if (shell == nullptr || GetWindowThreadProcessId(shell, &process_id) == 0 || process_id == 0) {
    return {};
  }
  std::string account = ProcessAccount(process_id);
  if (account.empty()) {
    // Windows lets a process open another account's process token only with
    // the debug privilege on: an administrator's process may turn it on.
    const DebugPrivilege privilege;
    if (privilege.enabled()) account = ProcessAccount(process_id);
  }
  return account;
}

void Win32System::ExitProcess(int code) { ::ExitProcess(static_cast<UINT>(code)); }

LocalTime Win32System::Now() const {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace ferrolis::platform::win32
