// Started by the Wine tests: writes the command line it was given, in UTF-8,
// to "command_line.txt" in its own folder, so that a test can tell which copy
// ran and how it was named.
#include <windows.h>

#include <string>

int main() {
  wchar_t self[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  std::wstring folder(self, length);
  folder.resize(folder.find_last_of(L'\\') + 1);
  const wchar_t* line = GetCommandLineW();
  char utf8[4096] = {};
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8, sizeof(utf8), nullptr, nullptr);
  const HANDLE file = CreateFileW((folder + L"command_line.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE || bytes <= 0) return 1;
  DWORD written = 0;
  WriteFile(file, utf8, static_cast<DWORD>(bytes - 1), &written, nullptr);
  CloseHandle(file);
  return 0;
}
