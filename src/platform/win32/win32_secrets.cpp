#include "platform/win32/win32_secrets.h"

// clang-format off
#include <windows.h>
#include <ntsecapi.h>
// clang-format on

#include <string>

#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_text.h"

namespace ferrolis::platform::win32 {
namespace {

struct PolicyCloser {
  void operator()(LSA_HANDLE policy) const noexcept { LsaClose(policy); }
};
using Policy = Owned<LSA_HANDLE, PolicyCloser>;

// The local machine's policy opened with `access`; empty when Windows refuses
// it (a user without administrator rights).
Policy OpenPolicy(ACCESS_MASK access) {
  LSA_OBJECT_ATTRIBUTES attributes{};  // reserved: all zeros
  LSA_HANDLE policy = nullptr;
  if (LsaOpenPolicy(nullptr, &attributes, access, &policy) != 0) return Policy();
  return Policy(policy);
}

// A counted UTF-16 string over `text`, which must outlive it; false when the
// text is too long for one (the lengths are 16-bit byte counts).
bool Counted(std::wstring& text, LSA_UNICODE_STRING* counted) {
  const std::size_t bytes = text.size() * sizeof(wchar_t);
  if (bytes + sizeof(wchar_t) > 0xFFFF) return false;
  counted->Buffer = text.data();
  counted->Length = static_cast<USHORT>(bytes);
  counted->MaximumLength = static_cast<USHORT>(bytes + sizeof(wchar_t));
  return true;
}

// LsaStorePrivateData of `data` under `name`; a null `data` deletes. The
// Win32 error code of Windows' answer: ERROR_SUCCESS only for STATUS_SUCCESS.
ULONG StorePrivateData(const std::string& name, const LSA_UNICODE_STRING* data) {
  // POLICY_CREATE_SECRET lets the store create the secret when it is new.
  const Policy policy = OpenPolicy(POLICY_CREATE_SECRET);
  if (!policy) return ERROR_ACCESS_DENIED;
  std::wstring wide_name = Widen(name);
  LSA_UNICODE_STRING key{};
  if (!Counted(wide_name, &key)) return ERROR_INVALID_PARAMETER;
  const NTSTATUS status = LsaStorePrivateData(policy, &key, const_cast<LSA_UNICODE_STRING*>(data));
  if (status == 0) return ERROR_SUCCESS;
  const ULONG error = LsaNtStatusToWinError(status);
  return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
}

}  // namespace

std::optional<std::string> Win32SecretStore::Retrieve(const std::string& name) {
  const Policy policy = OpenPolicy(POLICY_GET_PRIVATE_INFORMATION);
  if (!policy) return std::nullopt;
  std::wstring wide_name = Widen(name);
  LSA_UNICODE_STRING key{};
  if (!Counted(wide_name, &key)) return std::nullopt;
  LSA_UNICODE_STRING* data = nullptr;
  if (LsaRetrievePrivateData(policy, &key, &data) != 0 || data == nullptr) return std::nullopt;
  std::optional<std::string> text;
  if (data->Buffer != nullptr) {
    text = Narrow(std::wstring_view(data->Buffer, data->Length / sizeof(wchar_t)));
    SecureZeroMemory(data->Buffer, data->Length);
  } else {
    text.emplace();
  }
  LsaFreeMemory(data);
  return text;
}

bool Win32SecretStore::Store(const std::string& name, const std::string& text) {
  std::wstring wide;
  LSA_UNICODE_STRING data{};
  // Only Windows' STATUS_SUCCESS counts as stored. Wine's LSA answers "not
  // found" here, without storing anything.
  const bool stored = WidenExactly(text, &wide) && Counted(wide, &data) &&
                      StorePrivateData(name, &data) == ERROR_SUCCESS;
  SecureZeroMemory(wide.data(), wide.size() * sizeof(wchar_t));
  return stored;
}

bool Win32SecretStore::Delete(const std::string& name) {
  // A secret that does not exist answers STATUS_OBJECT_NAME_NOT_FOUND: nothing
  // is left under the name either way.
  const ULONG error = StorePrivateData(name, nullptr);
  return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND;
}

}  // namespace ferrolis::platform::win32
