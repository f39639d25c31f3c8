#include "platform/win32/win32_libraries.h"

#include <string>

namespace ferrolis::platform::win32 {

HMODULE LoadSystemLibrary(const wchar_t* name) {
  // LoadLibraryExW's LOAD_LIBRARY_SEARCH_SYSTEM32 would do the same, but
  // Windows 7 without update KB2533623 refuses the flag; a full path works
  // everywhere. For a 32-bit process on 64-bit Windows the system directory
  // is redirected to SysWOW64, where its 32-bit libraries are.
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  std::wstring path(folder, length);
  if (path.back() != L'\\') path += L'\\';
  return LoadLibraryW((path + name).c_str());
}

DllSearchCalls SystemDllSearchCalls() {
  using SetDefaultFn = BOOL(WINAPI*)(DWORD);
  // kernel32 is loaded in every process, from the system directory.
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  return {reinterpret_cast<SetDefaultFn>(
              reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories"))),
          &SetDllDirectoryW, &LoadSystemLibrary};
}

DllSearch RestrictDllSearch(const DllSearchCalls& calls) {
  if (calls.set_default_dll_directories != nullptr &&
      calls.set_default_dll_directories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    return DllSearch::kSystemDirectoryOnly;
  }
  // The empty folder takes the current directory out of the search; the
  // program's folder stays first in it. The libraries that the common
  // controls and the visual styles load by name are loaded now by their full
  // path, each after those it may import, so that those later requests find
  // them loaded and search no folder.
  calls.set_dll_directory(L"");
  for (const wchar_t* name : {L"version.dll", L"dwmapi.dll", L"uxtheme.dll"}) {
    calls.load_system_library(name);
  }
  return DllSearch::kWithoutCurrentDirectory;
}

}  // namespace ferrolis::platform::win32
