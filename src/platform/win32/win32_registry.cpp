#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <cstring>
#include <string_view>
#include <vector>

namespace ferrolis::platform::win32 {
namespace {

// Predefined keys are 32-bit values sign-extended to the pointer width
// (HKEY_CURRENT_USER is 0xFFFFFFFF80000001 on Win64).
HKEY RootHandle(RootKey root) {
  return reinterpret_cast<HKEY>(
      static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(root))));
}

HKEY KeyOf(KeyHandle key) { return reinterpret_cast<HKEY>(key); }

KeyHandle HandleOf(HKEY key) { return reinterpret_cast<KeyHandle>(key); }

// A UTF-16 name in UTF-8, refused when the conversion would change it (an
// unpaired surrogate), since a changed name would reach another key.
long ExactUtf8(std::wstring_view wide, std::string* utf8) {
  std::string converted = Narrow(wide);
  if (Widen(converted) != wide) return ERROR_NO_UNICODE_TRANSLATION;
  *utf8 = std::move(converted);
  return ERROR_SUCCESS;
}

}  // namespace

long Win32Registry::OpenKey(RootKey root, const std::string& path, std::uint32_t access,
                            KeyHandle* key) {
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyExA(RootHandle(root), codec_.ToAnsi(path).c_str(), 0,
                                    static_cast<REGSAM>(access), &opened);
  *key = result == ERROR_SUCCESS ? HandleOf(opened) : 0;
  return result;
}

long Win32Registry::CreateKey(RootKey root, const std::string& path, std::uint32_t access,
                              KeyHandle* key) {
  HKEY created = nullptr;
  const LONG result = RegCreateKeyExA(RootHandle(root), codec_.ToAnsi(path).c_str(), 0, nullptr,
                                      REG_OPTION_NON_VOLATILE, static_cast<REGSAM>(access), nullptr,
                                      &created, nullptr);
  *key = result == ERROR_SUCCESS ? HandleOf(created) : 0;
  return result;
}

long Win32Registry::QueryValue(KeyHandle key, const std::string& name, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* size) {
  DWORD value_type = 0;
  DWORD value_size = size ? *size : 0;
  const LONG result = RegQueryValueExA(KeyOf(key), codec_.ToAnsi(name).c_str(), nullptr,
                                       &value_type, data, size ? &value_size : nullptr);
  if (type) *type = value_type;
  if (size) *size = value_size;
  return result;
}

long Win32Registry::SetValue(KeyHandle key, const std::string& name, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(KeyOf(key), codec_.ToAnsi(name).c_str(), 0, type, data, size);
}

long Win32Registry::DeleteValue(KeyHandle key, const std::string& name) {
  return RegDeleteValueA(KeyOf(key), codec_.ToAnsi(name).c_str());
}

long Win32Registry::DeleteKey(RootKey root, const std::string& path) {
  return RegDeleteKeyA(RootHandle(root), codec_.ToAnsi(path).c_str());
}

long Win32Registry::EnumKey(KeyHandle key, std::uint32_t index, char* buffer, std::uint32_t size) {
  // The name comes back in the ANSI code page; the caller wants UTF-8, which
  // may be longer, so it goes through a buffer of our own.
  char ansi[1024] = {};  // 255 characters, two bytes each in a DBCS code page
  const LONG result = RegEnumKeyA(KeyOf(key), index, ansi, sizeof ansi);
  if (result != ERROR_SUCCESS) return result;
  const std::string name = codec_.FromAnsi(ansi);
  if (name.size() + 1 > size) return ERROR_MORE_DATA;
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  return ERROR_SUCCESS;
}

long Win32Registry::CloseKey(KeyHandle key) { return RegCloseKey(KeyOf(key)); }

long Win32Registry::OpenKeyWide(RootKey root, const std::string& path, std::uint32_t access,
                                KeyHandle* key) {
  HKEY opened = nullptr;
  const LONG result =
      RegOpenKeyExW(RootHandle(root), Widen(path).c_str(), 0, static_cast<REGSAM>(access), &opened);
  *key = result == ERROR_SUCCESS ? HandleOf(opened) : 0;
  return result;
}

long Win32Registry::EnumKeyWide(KeyHandle key, std::uint32_t index, std::string* name) {
  wchar_t buffer[256];  // a key name has at most 255 characters
  DWORD length = 256;
  const LONG result =
      RegEnumKeyExW(KeyOf(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  if (result != ERROR_SUCCESS) return result;
  return ExactUtf8(std::wstring_view(buffer, length), name);
}

long Win32Registry::EnumValueWide(KeyHandle key, std::uint32_t index, std::string* name,
                                  std::uint32_t* type, std::vector<std::uint8_t>* data) {
  std::vector<wchar_t> buffer(16384);  // a value name has at most 16,383 characters
  // The size is asked first; a value that grows in between is asked again.
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD length = static_cast<DWORD>(buffer.size());
    DWORD value_type = 0;
    DWORD size = 0;
    LONG result = RegEnumValueW(KeyOf(key), index, buffer.data(), &length, nullptr, &value_type,
                                nullptr, &size);
    if (result != ERROR_SUCCESS) return result;
    std::vector<std::uint8_t> bytes(size + 1);
    length = static_cast<DWORD>(buffer.size());
    DWORD got = size + 1;
    result = RegEnumValueW(KeyOf(key), index, buffer.data(), &length, nullptr, &value_type,
                           bytes.data(), &got);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) return result;
    bytes.resize(got);
    const long converted = ExactUtf8(std::wstring_view(buffer.data(), length), name);
    if (converted != ERROR_SUCCESS) return converted;
    *type = value_type;
    *data = std::move(bytes);
    return ERROR_SUCCESS;
  }
  return ERROR_MORE_DATA;
}

std::string Win32Registry::EditorPath(RootKey root, const std::string& path) {
  // Looked up at run time: Windows releases before XP SP2 lack the function
  // and run no 32-bit program on a 64-bit system anyway.
  static const bool wow64 = [] {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto is_wow64 = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
    BOOL result = FALSE;
    return is_wow64 != nullptr && is_wow64(GetCurrentProcess(), &result) && result;
  }();
  return wow64 ? SixtyFourBitViewPath(root, path) : path;
}

}  // namespace ferrolis::platform::win32
