// Registry Policy files (Registry.pol): what Group Policy applies from a GPO's
// Machine and User folders, and what LGPO.exe /m and /u import into the local
// policy. The file is the signature "PReg" and the version 1, then one
// [key;value;type;size;data] record per instruction, texts in UTF-16LE with
// their NUL, numbers four bytes little-endian. A key never names its hive: the
// folder the file lies in decides it (Machine: HKEY_LOCAL_MACHINE, User:
// HKEY_CURRENT_USER of each user the policy applies to).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ferrolis::exporting {

struct PolicyRecord {
  std::string key;    // below the hive, names separated by backslashes
  std::string value;  // the value's name, or an instruction such as "**del.NoRun"
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  friend bool operator==(const PolicyRecord&, const PolicyRecord&) = default;
};

// REG_SZ data as the registry holds it: the text in UTF-16LE with its NUL.
std::vector<std::uint8_t> TextData(std::string_view utf8);

// Sets `name` to the REG_DWORD `number`.
PolicyRecord DwordRecord(std::string_view key, std::string_view name, std::uint32_t number);
// Sets `name` to the REG_SZ `text` (UTF-8, stored in UTF-16LE with its NUL).
PolicyRecord TextRecord(std::string_view key, std::string_view name, std::string_view text);
// Deletes the value `name` when the policy is applied: the value "**del.<name>",
// a REG_SZ holding one space, as the Group Policy editor writes it.
PolicyRecord DeletionRecord(std::string_view key, std::string_view name);

// The bytes of the file holding `records`, in their order.
std::string PolicyFileBytes(const std::vector<PolicyRecord>& records);

}  // namespace ferrolis::exporting
