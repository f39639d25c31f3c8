#include "restrictions/disable_system_functions.h"

#include <algorithm>
#include <string>

namespace ferrolis::restrictions {
namespace {

const ShellRestriction* RowOf(int index) {
  if (index < 0 || index >= static_cast<int>(kShellRestrictions.size())) return nullptr;
  return &kShellRestrictions[static_cast<std::size_t>(index)];
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool IsRestrictionOn(const registry::RegistryValue& value) {
  if (value.IsNumber()) return value.Number() != 0;
  const std::string owned = value.Text();
  std::string_view text = owned;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) return false;
  return text.find_first_not_of('0') != std::string_view::npos;
}

bool IDBAS_DisableSystemFunctions::GetShellRestriction(int Index) const {
  const ShellRestriction* row = RowOf(Index);
  if (!row) return false;
  // Opened for reading only; anything missing or unreadable gives "0".
  const registry::RegistryValue value =
      registry_.GetRegistryValue(kPolicySubKey1, kPolicySubKey2, row->ValueNames().front(), "0",
                                 PolicyRoot, kPolicyBasePath, false);
  return IsRestrictionOn(value);
}

void IDBAS_DisableSystemFunctions::SetShellRestriction(int Index, bool On) {
  const ShellRestriction* row = RowOf(Index);
  if (!row) return;
  // Every value of the row gets its call, whatever the earlier ones gave.
  for (const std::string_view name : row->ValueNames()) {
    if (On) {
      registry_.SetRegistryValue(kPolicySubKey1, kPolicySubKey2, name, "1", PolicyRoot,
                                 kPolicyBasePath, platform::kRegDword);
    } else {
      registry_.DeleteRegistryEntry(kPolicySubKey1, kPolicySubKey2, name, PolicyRoot,
                                    kPolicyBasePath);
    }
  }
}

}  // namespace ferrolis::restrictions
