#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "platform/win32/win32_text.h"

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

// The 64-bit view unless the caller asked for the 32-bit one: a 32-bit build
// on 64-bit Windows then reaches the keys that Windows itself reads. Harmless
// for a 64-bit build and on 32-bit Windows.
REGSAM WithView(std::uint32_t access) {
  if ((access & (KEY_WOW64_64KEY | KEY_WOW64_32KEY)) != 0) return static_cast<REGSAM>(access);
  return static_cast<REGSAM>(access) | KEY_WOW64_64KEY;
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// A UTF-16 name in UTF-8, refused when the conversion would change it (an
// unpaired surrogate), since a changed name would reach another key.
long ExactUtf8(std::wstring_view wide, std::string* utf8) {
  std::string converted = Narrow(wide);
  if (Widen(converted) != wide) return ERROR_NO_UNICODE_TRANSLATION;
  *utf8 = std::move(converted);
  return ERROR_SUCCESS;
}

// The value's type and data as stored. Most values fit the first buffer, so a
// read is usually one call; a value that grows in between is read again.
LONG ReadStored(HKEY key, const wchar_t* name, DWORD* type, std::vector<BYTE>* data) {
  data->resize(256);
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD size = static_cast<DWORD>(data->size());
    const LONG result = RegQueryValueExW(key, name, nullptr, type, data->data(), &size);
    if (result == ERROR_MORE_DATA) {
      data->resize(size > data->size() ? size : data->size() * 2);
      continue;
    }
    if (result == ERROR_SUCCESS) data->resize(size);
    return result;
  }
  return ERROR_MORE_DATA;
}

// Stored UTF-16 text data in UTF-8. An odd last byte is half a code unit: it
// stands as U+FFFD, as an unpaired surrogate does, so that the whole
// characters before it stay whole when a reader drops the last character
// (the terminator it expects).
std::string TextOf(const std::vector<BYTE>& stored) {
  std::wstring units(stored.size() / 2, L'\0');
  if (!units.empty()) std::memcpy(units.data(), stored.data(), units.size() * sizeof(wchar_t));
  if (stored.size() % 2 != 0) units.push_back(L'\xFFFD');
  return Narrow(units);
}

}  // namespace

long Win32Registry::OpenKey(RootKey root, const std::string& path, std::uint32_t access,
                            KeyHandle* key) {
  *key = 0;
  std::wstring wide;
  if (!WidenExactly(path, &wide)) return ERROR_NO_UNICODE_TRANSLATION;
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyExW(RootHandle(root), wide.c_str(), 0, WithView(access), &opened);
  if (result == ERROR_SUCCESS) *key = HandleOf(opened);
  return result;
}

long Win32Registry::CreateKey(RootKey root, const std::string& path, std::uint32_t access,
                              KeyHandle* key) {
  *key = 0;
  std::wstring wide;
  if (!WidenExactly(path, &wide)) return ERROR_NO_UNICODE_TRANSLATION;
  HKEY created = nullptr;
  const LONG result =
      RegCreateKeyExW(RootHandle(root), wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      WithView(access), nullptr, &created, nullptr);
  if (result == ERROR_SUCCESS) *key = HandleOf(created);
  return result;
}

long Win32Registry::QueryValue(KeyHandle key, const std::string& name, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* size) {
  std::wstring wide_name;
  if (!WidenExactly(name, &wide_name)) return ERROR_NO_UNICODE_TRANSLATION;
  DWORD stored_type = 0;
  std::vector<BYTE> stored;
  const LONG result = ReadStored(KeyOf(key), wide_name.c_str(), &stored_type, &stored);
  if (result != ERROR_SUCCESS) return result;

  std::string text;
  const BYTE* bytes = stored.data();
  std::size_t count = stored.size();
  if (IsText(stored_type)) {
    text = TextOf(stored);
    bytes = reinterpret_cast<const BYTE*>(text.data());
    count = text.size();
  }
  if (count > std::numeric_limits<std::uint32_t>::max()) return ERROR_MORE_DATA;
  if (type) *type = stored_type;
  if (size == nullptr) return data == nullptr ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
  const bool fits = *size >= count;
  *size = static_cast<std::uint32_t>(count);
  if (data == nullptr) return ERROR_SUCCESS;
  if (!fits) return ERROR_MORE_DATA;
  if (count > 0) std::memcpy(data, bytes, count);
  return ERROR_SUCCESS;
}

long Win32Registry::SetValue(KeyHandle key, const std::string& name, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size) {
  std::wstring wide_name;
  if (!WidenExactly(name, &wide_name)) return ERROR_NO_UNICODE_TRANSLATION;
  if (!IsText(type)) return RegSetValueExW(KeyOf(key), wide_name.c_str(), 0, type, data, size);
  std::wstring text;
  const std::string_view utf8(reinterpret_cast<const char*>(data), data ? size : 0);
  if (!WidenExactly(utf8, &text)) return ERROR_NO_UNICODE_TRANSLATION;
  return RegSetValueExW(KeyOf(key), wide_name.c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

long Win32Registry::DeleteValue(KeyHandle key, const std::string& name) {
  std::wstring wide_name;
  if (!WidenExactly(name, &wide_name)) return ERROR_NO_UNICODE_TRANSLATION;
  return RegDeleteValueW(KeyOf(key), wide_name.c_str());
}

long Win32Registry::DeleteKey(RootKey root, const std::string& path, std::uint32_t view) {
  std::wstring wide;
  if (!WidenExactly(path, &wide)) return ERROR_NO_UNICODE_TRANSLATION;
  return RegDeleteKeyExW(RootHandle(root), wide.c_str(), WithView(view), 0);
}

long Win32Registry::EnumKey(KeyHandle key, std::uint32_t index, char* buffer, std::uint32_t size) {
  wchar_t wide[256];  // a key name has at most 255 characters
  DWORD length = 256;
  const LONG result =
      RegEnumKeyExW(KeyOf(key), index, wide, &length, nullptr, nullptr, nullptr, nullptr);
  if (result != ERROR_SUCCESS) return result;
  const std::string name = Narrow(std::wstring_view(wide, length));
  if (name.size() + 1 > size) return ERROR_MORE_DATA;
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  return ERROR_SUCCESS;
}

long Win32Registry::CloseKey(KeyHandle key) { return RegCloseKey(KeyOf(key)); }

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

bool Win32Registry::SixtyFourBitWindows() {
#if defined(_WIN64)
  return true;
#else
  // A 32-bit process on 64-bit Windows runs under WOW64.
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

}  // namespace ferrolis::platform::win32
