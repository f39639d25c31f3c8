// The Win32 system layer under Wine: the single-instance marker, the
// program's folder and the platform id.
#include "platform/win32/win32_system.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_libraries.h"
#include "platform/win32/win32_text.h"

namespace ferrolis::platform::win32 {
namespace {

std::wstring UniqueMutexName() {
  return L"Local\\Ferrolis.Test." + std::to_wstring(GetCurrentProcessId()) + L"." +
         std::to_wstring(GetTickCount());
}

TEST(Win32System, TheFirstCopyHoldsTheInstanceMarkerForItsLife) {
  const std::wstring name = UniqueMutexName();
  {
    Win32System first(name);
    EXPECT_FALSE(first.AnotherInstanceRunning());
    EXPECT_FALSE(first.AnotherInstanceRunning()) << "asking again changes nothing";
    Win32System second(name);
    EXPECT_TRUE(second.AnotherInstanceRunning());
  }
  Win32System after(name);
  EXPECT_FALSE(after.AnotherInstanceRunning()) << "the marker goes with its holder";
}

TEST(Win32System, ProgramFolderIsWhereTheExecutableIs) {
  Win32System system(UniqueMutexName());
  const std::string folder = system.ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  const std::wstring exe = Widen(folder) + L"\\ferrolis_wine_tests.exe";
  EXPECT_NE(GetFileAttributesW(exe.c_str()), INVALID_FILE_ATTRIBUTES) << Narrow(exe);
}

TEST(Win32System, TitleVersionAndPlatform) {
  Win32System system(UniqueMutexName());
  EXPECT_EQ(system.ProgramTitle(), "Ferrolis");
  const ProgramVersion version = system.Version();
  EXPECT_EQ(version.major, 1);
  EXPECT_EQ(version.minor, 1);
  EXPECT_EQ(version.revision, 0);
  std::uint32_t platform_id = 0;
  ASSERT_TRUE(system.GetVersionPlatformId(&platform_id));
  EXPECT_EQ(platform_id, static_cast<std::uint32_t>(VER_PLATFORM_WIN32_NT));
}

TEST(Win32System, AccountsAreDomainAndNameOfTheUserAndOfTheSessionWhenItHasAShell) {
  Win32System system(UniqueMutexName());
  const std::string program = system.ProgramAccount();
  wchar_t user[256] = {};
  DWORD size = 256;
  ASSERT_TRUE(GetUserNameW(user, &size));
  const auto slash = program.find('\\');
  EXPECT_TRUE(slash > 0 && slash != std::string::npos && program.substr(slash + 1) == Narrow(user))
      << program;
  // One user here: the session's account, when there is a shell window.
  const std::string session = system.SessionAccount();
  EXPECT_TRUE(GetShellWindow() == nullptr ? session.empty() : session == program) << session;
}

TEST(Win32Libraries, ComeFromTheSystemDirectoryNeverFromTheProgramsFolder) {
  ASSERT_NE(LoadSystemLibrary(L"uxtheme.dll"), nullptr);
  // A library planted beside the program, which a bare name would load.
  wchar_t self[MAX_PATH] = {};
  std::wstring here(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  here.resize(here.find_last_of(L'\\') + 1);
  const std::wstring plant = here + L"ferrolis_plant.dll";
  ASSERT_TRUE(CopyFileW((here + L"ferrolis_command_line_probe.exe").c_str(), plant.c_str(), FALSE));
  const HMODULE planted = LoadLibraryW(L"ferrolis_plant.dll");
  EXPECT_NE(planted, nullptr) << "the bare name finds the plant";
  EXPECT_EQ(LoadSystemLibrary(L"ferrolis_plant.dll"), nullptr);
  if (planted != nullptr) FreeLibrary(planted);
  DeleteFileW(plant.c_str());
}

// Windows 7 without KB2533623 has no SetDefaultDllDirectories: the calls
// RestrictDllSearch makes instead, in order.
std::wstring search_calls;
BOOL WINAPI RecordedSetDllDirectory(LPCWSTR path) {
  search_calls += L"directory [" + std::wstring(path) + L"];";
  return TRUE;
}
HMODULE RecordedLoad(const wchar_t* name) {
  search_calls += std::wstring(name) + L";";
  return nullptr;
}

TEST(Win32Libraries, WithoutSetDefaultDllDirectoriesTheThemeLibrariesComeFromTheSystemDirectory) {
  EXPECT_EQ(RestrictDllSearch({nullptr, &RecordedSetDllDirectory, &RecordedLoad}),
            DllSearch::kWithoutCurrentDirectory);
  EXPECT_EQ(search_calls, L"directory [];version.dll;dwmapi.dll;uxtheme.dll;");
}

TEST(Win32System, TheStartUpErrorModeLeavesDiskErrorsToTheProgram) {
  SetErrorMode(SEM_NOGPFAULTERRORBOX);  // as a parent process may hand it down
  SetQuietErrorMode();
  EXPECT_EQ(GetErrorMode(), static_cast<UINT>(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX |
                                              SEM_NOGPFAULTERRORBOX));
}

}  // namespace
}  // namespace ferrolis::platform::win32

namespace ferrolis::platform::win32 {
namespace {

std::wstring g_setting_seen;

LRESULT CALLBACK SettingListener(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_SETTINGCHANGE && lparam != 0) {
    g_setting_seen = reinterpret_cast<const wchar_t*>(lparam);
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

TEST(Win32System, PolicyChangeReachesTopLevelWindows) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &SettingListener;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"FerrolisSettingListener";
  RegisterClassW(&wc);
  HWND listener = CreateWindowExW(0, wc.lpszClassName, L"listener", WS_OVERLAPPED, 0, 0, 10, 10,
                                  nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(listener, nullptr);
  g_setting_seen.clear();
  Win32System system(L"Local\\Ferrolis.Test.Policy");
  system.NotifyPolicyChange();
  EXPECT_EQ(g_setting_seen, L"Policy");
  DestroyWindow(listener);
}

}  // namespace
}  // namespace ferrolis::platform::win32
