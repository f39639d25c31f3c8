// Libraries looked up at run time, for functions that older Windows lack, and
// the library search of the process.
#pragma once

#include <windows.h>

namespace ferrolis::platform::win32 {

// Loads the library `name` (such as L"uxtheme.dll") from the system directory
// by its full path, never by its bare name: a bare name is searched for in the
// program's folder first, where a planted copy would run with the program's
// rights. Null when it cannot be loaded. The library stays loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The function `name` of the system library `library`, or null when either is
// missing.
template <class Fn>
Fn SystemFunction(const wchar_t* library, const char* name) {
  const HMODULE module = LoadSystemLibrary(library);
  return module != nullptr
             ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
             : nullptr;
}

// What the process's library search was left with.
enum class DllSearch {
  // The system directory only, for every library loaded from then on and for
  // what each of them imports (the libraries Windows keeps as KnownDLLs and
  // those a manifest redirects are taken from their own places, as always).
  kSystemDirectoryOnly,
  // Windows 7 without update KB2533623: the current directory is out of the
  // search, and the libraries that the version 6 common controls and the
  // visual styles load by name are already loaded from the system directory;
  // any other library loaded by its bare name is still looked for in the
  // program's folder first.
  kWithoutCurrentDirectory,
};

// The calls RestrictDllSearch makes; a test may replace them.
struct DllSearchCalls {
  // SetDefaultDllDirectories, looked up at run time: null where Windows lacks it.
  BOOL(WINAPI* set_default_dll_directories)(DWORD directories);
  BOOL(WINAPI* set_dll_directory)(LPCWSTR path);
  // Loads a library from the system directory by its full path.
  HMODULE (*load_system_library)(const wchar_t* name);
};
DllSearchCalls SystemDllSearchCalls();

// Called first in wWinMain, before any library that Windows does not take
// from the system directory by itself is loaded: from then on only the system
// directory is searched, so that a DLL planted beside the program (in
// Downloads, say) never runs in it.
DllSearch RestrictDllSearch(const DllSearchCalls& calls = SystemDllSearchCalls());

}  // namespace ferrolis::platform::win32
