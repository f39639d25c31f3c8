// Libraries looked up at run time, for functions that older Windows lack.
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

}  // namespace ferrolis::platform::win32
