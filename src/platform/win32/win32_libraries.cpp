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

}  // namespace ferrolis::platform::win32
