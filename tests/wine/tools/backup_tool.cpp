// Helper of tests/wine/check_backup_reg.sh, which checks that a backup file
// brings a deleted key tree back byte for byte:
//   ferrolis_backup_tool seed     writes a tree of every value type and awkward
//                                 names under HKLM\SOFTWARE\FerrolisBackupTest
//   ferrolis_backup_tool dump     prints that tree as the registry holds it
//   ferrolis_backup_tool backup   writes the backup of its subkey "Entry" as the
//                                 program does and prints the file's path
// The dump reads with advapi32 directly, independently of the program's own
// reader: one line per key and per value (name, type, bytes in hex), in name
// order so that two dumps compare line by line.
// Text data without its terminating NUL is left out: the backup file keeps
// its exact bytes, but Wine's regedit adds the NUL when it imports them.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_text.h"
#include "uninstall/backup.h"

namespace {

using ferrolis::platform::win32::Narrow;

const wchar_t kBase[] = L"SOFTWARE\\FerrolisBackupTest";

std::vector<BYTE> Bytes(const void* data, std::size_t size) {
  const auto* p = static_cast<const BYTE*>(data);
  return std::vector<BYTE>(p, p + size);
}
// Text data with its terminating NUL, as the registry stores a REG_SZ.
std::vector<BYTE> Text(const std::wstring& text) {
  return Bytes(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

// Creates the key below the base, and the value when one is named.
bool Set(const std::wstring& key, const wchar_t* name = nullptr, DWORD type = REG_NONE,
         const std::vector<BYTE>& data = {}) {
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(kBase) + L"\\" + key).c_str(), 0, nullptr,
                      0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return false;
  const LONG result = name == nullptr ? ERROR_SUCCESS
                                      : RegSetValueExW(handle, name, 0, type, data.data(),
                                                       static_cast<DWORD>(data.size()));
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

int Seed() {
  std::vector<BYTE> binary(300);
  for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<BYTE>(i * 7);
  const ULONGLONG qword = 0x8877665544332211ull;
  const DWORD dword = 0xDEADBEEF;
  const wchar_t multi[] = L"un\0deux \u00FC\0\0";
  const wchar_t lines[] = L"a\r\nb";
  bool ok = true;
  ok &= Set(L"Entry", L"", REG_SZ, Text(L"d\u00E9faut \u2603"));
  ok &= Set(L"Entry", L"Quote\"Back\\slash", REG_SZ, Text(L"a\"b\\c"));
  ok &=
      Set(L"Entry", L"\u03A9m\u00E9ga \u65E5\u672C", REG_EXPAND_SZ, Text(L"%SystemRoot%\\\u00F1"));
  ok &= Set(L"Entry", L"Multi", REG_MULTI_SZ, Bytes(multi, sizeof multi));
  ok &= Set(L"Entry", L"Dword", REG_DWORD, Bytes(&dword, 4));
  ok &= Set(L"Entry", L"Short dword", REG_DWORD, Bytes(&dword, 2));
  ok &= Set(L"Entry", L"Big endian", REG_DWORD_BIG_ENDIAN, Bytes(&dword, 4));
  ok &= Set(L"Entry", L"Qword", REG_QWORD, Bytes(&qword, 8));
  ok &= Set(L"Entry", L"None", REG_NONE, {1, 2});
  ok &= Set(L"Entry", L"Empty none", REG_NONE, {});
  ok &= Set(L"Entry", L"Empty text", REG_SZ, {});
  ok &= Set(L"Entry", L"Empty binary", REG_BINARY, {});
  ok &= Set(L"Entry", L"Empty multi", REG_MULTI_SZ, {0, 0});
  ok &= Set(L"Entry", L"Binary", REG_BINARY, binary);
  ok &= Set(L"Entry", L"Two lines", REG_SZ, Bytes(lines, sizeof lines));
  ok &= Set(L"Entry", L"Type 1234", 1234, {9, 8, 7});
  ok &= Set(L"Entry\\Sub \u00FC\"[x]", L"Inner", REG_SZ, Text(L"x"));
  ok &= Set(L"Entry\\Sub \u00FC\"[x]\\Deeper \u03A9", L"", REG_DWORD, Bytes(&dword, 4));
  ok &= Set(L"Entry\\Empty key");
  if (!ok) std::fprintf(stderr, "seeding failed\n");
  return ok ? 0 : 1;
}

std::string Hex(const BYTE* data, std::size_t size) {
  std::string out;
  char pair[4];
  for (std::size_t i = 0; i < size; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", data[i]);
    out += pair;
  }
  return out;
}

bool Dump(const std::wstring& path, std::vector<std::string>& out) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  out.push_back("key " + Narrow(path));
  std::vector<std::string> values;
  std::vector<std::wstring> subkeys;
  std::vector<wchar_t> name(16384);
  std::vector<BYTE> data(1 << 16);
  for (DWORD i = 0;; ++i) {
    DWORD name_size = static_cast<DWORD>(name.size());
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    if (RegEnumValueW(key, i, name.data(), &name_size, nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS)
      break;
    values.push_back("  value \"" + Narrow(std::wstring(name.data(), name_size)) + "\" type " +
                     std::to_string(type) + " bytes " + Hex(data.data(), size));
  }
  for (DWORD i = 0;; ++i) {
    DWORD name_size = static_cast<DWORD>(name.size());
    if (RegEnumKeyExW(key, i, name.data(), &name_size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    subkeys.emplace_back(name.data(), name_size);
  }
  RegCloseKey(key);
  std::sort(values.begin(), values.end());
  std::sort(subkeys.begin(), subkeys.end());
  out.insert(out.end(), values.begin(), values.end());
  for (const std::wstring& subkey : subkeys) {
    if (!Dump(path + L"\\" + subkey, out)) return false;
  }
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // The dump is UTF-8 for the script; the console's own code page would
  // replace what it lacks.
  SetConsoleOutputCP(CP_UTF8);
  const std::wstring command = argc == 2 ? argv[1] : L"";
  if (command == L"seed") return Seed();
  if (command == L"dump") {
    std::vector<std::string> lines;
    if (!Dump(kBase, lines)) return 1;
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
    return 0;
  }
  if (command == L"backup") {
    ferrolis::platform::win32::Win32Registry registry;
    ferrolis::platform::win32::Win32FileSystem files;
    ferrolis::platform::win32::Win32System system(L"Local\\FerrolisBackupTool");
    const auto backup =
        ferrolis::uninstall::BackUpKeys(registry, files, ferrolis::platform::kHkeyLocalMachine,
                                        Narrow(kBase), {{0, "Entry"}}, system.Now());
    if (!backup.written) {
      std::fprintf(stderr, "no backup written in %s\n", backup.folder.c_str());
      return 1;
    }
    std::printf("%s\n", backup.file.c_str());
    return 0;
  }
  std::fprintf(stderr, "usage: ferrolis_backup_tool seed|dump|backup\n");
  return 2;
}
