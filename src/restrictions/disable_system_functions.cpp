#include "restrictions/disable_system_functions.h"

#include <algorithm>
#include <string>

#include "platform/ascii.h"

namespace ferrolis::restrictions {
namespace {

const ShellRestriction* RowOf(int index) {
  if (index < 0 || index >= static_cast<int>(kShellRestrictions.size())) return nullptr;
  return &kShellRestrictions[static_cast<std::size_t>(index)];
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string ValueNamesText(const ShellRestriction& row) {
  std::string text;
  for (const std::string_view name : row.ValueNames()) {
    if (!text.empty()) text += ", ";
    text += name;
  }
  return text;
}

bool IsRestrictionOn(const registry::RegistryValue& value) {
  if (value.IsNumber()) return value.Number() != 0;
  // A text counts when the whole of it, blanks around aside, is a decimal
  // number: an optional sign, digits with at most one point, an optional
  // exponent. It is on when that number is not zero. Anything else (letters,
  // the hexadecimal pairs of a binary value) reads as off.
  const std::string owned = value.Text();
  // Spaces and tabs around the number are blanks here.
  const std::string_view text = platform::TrimBlanks(owned, " \t");
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool digits = false;
  bool non_zero = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      digits = true;
      non_zero = non_zero || text[i] != '0';
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t first = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == first) return false;
  }
  return i == text.size() && non_zero;
}

bool IDBAS_DisableSystemFunctions::GetShellRestriction(int Index) const {
  const ShellRestriction* row = RowOf(Index);
  return row && GetPolicyValue(row->ValueNames().front());
}

bool IDBAS_DisableSystemFunctions::GetPolicyValue(std::string_view ValueName) const {
  // Opened for reading only; anything missing or unreadable gives "0".
  const registry::RegistryValue value = registry_.GetRegistryValue(
      kPolicySubKey1, kPolicySubKey2, ValueName, "0", PolicyRoot, kPolicyBasePath, false);
  return IsRestrictionOn(value);
}

bool IDBAS_DisableSystemFunctions::SetShellRestriction(int Index, bool On) {
  const ShellRestriction* row = RowOf(Index);
  if (!row) return true;
  // Every value of the row gets its call, whatever the earlier ones gave.
  bool done = true;
  for (const std::string_view name : row->ValueNames()) {
    if (On) {
      done &= registry_.SetRegistryValue(kPolicySubKey1, kPolicySubKey2, name, "1", PolicyRoot,
                                         kPolicyBasePath, platform::kRegDword);
    } else {
      done &= registry_.DeleteRegistryValue(kPolicySubKey1, kPolicySubKey2, name, PolicyRoot,
                                            kPolicyBasePath) !=
              registry::IDBAS_Registry::ValueDeletion::Refused;
    }
  }
  return done;
}

}  // namespace ferrolis::restrictions
