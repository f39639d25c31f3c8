#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <cstring>

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

}  // namespace ferrolis::platform::win32
