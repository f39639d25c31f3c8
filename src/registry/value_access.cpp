// Reading and writing single registry values.
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <limits>
#include <vector>

#include "platform/ascii.h"
#include "platform/utf8.h"
#include "registry/idbas_registry.h"
#include "registry/open_key.h"

namespace ferrolis::registry {
namespace {

// "01 00 FF": two upper-case digits per byte, one blank between bytes.
std::string HexPairs(const std::uint8_t* data, std::size_t size) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  if (size == 0) return text;
  text.resize(size * 3 - 1, ' ');
  for (std::size_t i = 0; i < size; ++i) {
    text[i * 3] = kDigits[data[i] >> 4];
    text[i * 3 + 1] = kDigits[data[i] & 0x0F];
  }
  return text;
}

// The text less its last character, whatever it is: the stored size counts
// the terminating NUL. A character is a whole UTF-8 sequence.
std::string_view WithoutLastCharacter(std::string_view text) {
  return text.substr(0, platform::LastCharacterOffset(text));
}

// The value a read gives for data of `type` (nothing for a type the program
// does not read).
std::optional<RegistryValue> Decode(std::uint32_t type, const std::uint8_t* data,
                                    std::uint32_t size) {
  switch (type) {
    case platform::kRegBinary:
      return RegistryValue(HexPairs(data, size));
    case platform::kRegSz:
    case platform::kRegExpandSz: {
      // Environment references stay unexpanded.
      const std::string_view text(reinterpret_cast<const char*>(data), size);
      return RegistryValue(std::string(WithoutLastCharacter(text)));
    }
    case platform::kRegDword:
    case platform::kRegDwordBigEndian: {
      // Four bytes at most: data longer than a number does not fit and reads
      // as nothing; shorter data fills the low bytes.
      if (size > 4) return std::nullopt;
      std::uint8_t bytes[4] = {0, 0, 0, 0};
      std::copy(data, data + size, bytes);
      // Little-endian for both types: big-endian data is not swapped.
      const std::uint32_t raw = std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) |
                                (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
      return RegistryValue(static_cast<std::int32_t>(raw));
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<std::int32_t> ParseDwordText(std::string_view text) {
  // from_chars takes a '-' but no '+'; a sign must be followed by a digit.
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  constexpr std::uint64_t kMaxPositive = std::numeric_limits<std::int32_t>::max();
  if (magnitude > kMaxPositive + (negative ? 1 : 0)) return std::nullopt;
  const auto value = static_cast<std::int64_t>(magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::optional<RegistryValue> IDBAS_Registry::ReadValueData(platform::KeyHandle key,
                                                           std::string_view ValueName) const {
  const std::string name(ValueName);
  // Most values fit a small buffer, and one call reads them: under Wine every
  // call is a round trip to the server.
  std::uint32_t type = 0;
  std::uint8_t small[256];
  std::uint32_t size = sizeof small;
  const long first = registry_.QueryValue(key, name, &type, small, &size);
  if (first == platform::kErrorSuccess) {
    return Decode(type, small, std::min<std::uint32_t>(size, sizeof small));
  }
  if (first != platform::kErrorMoreData) return std::nullopt;

  // Larger data: its type and size, then the data.
  if (registry_.QueryValue(key, name, &type, nullptr, &size) != platform::kErrorSuccess) {
    return std::nullopt;
  }
  if (type != platform::kRegSz && type != platform::kRegExpandSz && type != platform::kRegBinary) {
    return std::nullopt;  // a number never needs more than four bytes
  }
  std::vector<std::uint8_t> buffer;
  try {
    buffer.resize(size);
  } catch (...) {
    return std::nullopt;  // more data than memory: read as nothing
  }
  std::uint32_t got = size;
  if (registry_.QueryValue(key, name, &type, buffer.data(), &got) != platform::kErrorSuccess) {
    return std::nullopt;
  }
  // The second answer counts what was really returned; the first may
  // overstate string data.
  return Decode(type, buffer.data(), std::min(got, size));
}

std::optional<IDBAS_Registry::RawValue> IDBAS_Registry::ReadRawValue(platform::RootKey RootKey,
                                                                     const std::string& Path,
                                                                     std::string_view ValueName,
                                                                     std::uint32_t Limit) const {
  OpenKey key(registry_);
  if (key.Open(RootKey, Path, platform::kKeyRead | view_) != platform::kErrorSuccess) {
    return std::nullopt;
  }
  RawValue value;
  value.data.assign(Limit, 0);
  std::uint32_t size = Limit;
  if (registry_.QueryValue(key.handle(), std::string(ValueName), &value.type, value.data.data(),
                           &size) != platform::kErrorSuccess) {
    return std::nullopt;
  }
  value.data.resize(std::min(size, Limit));
  return value;
}

bool IDBAS_Registry::WriteValueData(platform::KeyHandle key, std::string_view ValueName,
                                    std::uint32_t ValueType, std::string_view ValueData) {
  const std::string name(ValueName);
  switch (ValueType) {
    case platform::kRegSz:
    case platform::kRegExpandSz: {
      std::string bytes(ValueData);
      bytes += '\0';
      if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) return false;
      return key != 0 && registry_.SetValue(key, name, ValueType,
                                            reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                            static_cast<std::uint32_t>(bytes.size())) ==
                             platform::kErrorSuccess;
    }
    case platform::kRegDword:
    case platform::kRegDwordBigEndian: {
      const std::optional<std::int32_t> number = ParseDwordText(ValueData);
      if (!number) return false;
      const auto raw = static_cast<std::uint32_t>(*number);
      const std::uint8_t bytes[4] = {
          static_cast<std::uint8_t>(raw), static_cast<std::uint8_t>(raw >> 8),
          static_cast<std::uint8_t>(raw >> 16), static_cast<std::uint8_t>(raw >> 24)};
      return key != 0 &&
             registry_.SetValue(key, name, ValueType, bytes, 4) == platform::kErrorSuccess;
    }
    default:
      // REG_BINARY and every other type: the program never writes them.
      return true;
  }
}

RegistryValue IDBAS_Registry::GetRegistryValue(std::string_view SubKey1, std::string_view SubKey2,
                                               std::string_view ValueName,
                                               std::string_view DefaultValue,
                                               platform::RootKey RootKey, std::string_view BasePath,
                                               bool FullAccess) const {
  std::vector<RegistryValue> values =
      GetRegistryValues(SubKey1, SubKey2, {ValueName}, DefaultValue, RootKey, BasePath, FullAccess);
  if (values.empty()) return RegistryValue(std::string(DefaultValue));
  return std::move(values.front());
}

std::vector<RegistryValue> IDBAS_Registry::GetRegistryValues(
    std::string_view SubKey1, std::string_view SubKey2,
    std::initializer_list<std::string_view> ValueNames, std::string_view DefaultValue,
    platform::RootKey RootKey, std::string_view BasePath, bool FullAccess) const {
  try {
    return ReadValuesAt(RootKey, BuildKeyPath(BasePath, SubKey1, SubKey2), ValueNames, DefaultValue,
                        FullAccess);
  } catch (...) {
    return {};  // out of memory for the path: the caller's default
  }
}

std::vector<RegistryValue> IDBAS_Registry::GetSubkeyValues(
    std::string_view KeyPath, std::string_view Name,
    std::initializer_list<std::string_view> ValueNames, std::string_view DefaultValue,
    platform::RootKey RootKey, bool FullAccess) const {
  try {
    return ReadValuesAt(RootKey, SubkeyPath(KeyPath, Name), ValueNames, DefaultValue, FullAccess);
  } catch (...) {
    return {};
  }
}

std::vector<RegistryValue> IDBAS_Registry::ReadValuesAt(
    platform::RootKey RootKey, const std::string& path,
    std::initializer_list<std::string_view> ValueNames, std::string_view DefaultValue,
    bool FullAccess) const {
  std::vector<RegistryValue> values;
  try {
    values.assign(ValueNames.size(), RegistryValue(std::string(DefaultValue)));
    OpenKey key(registry_);
    key.Open(RootKey, path,
             (FullAccess ? platform::kKeyAllSpecificRights : platform::kKeyRead) | view_);
    if (!key.is_open()) return values;
    auto read = values.begin();
    for (const std::string_view name : ValueNames) {
      std::optional<RegistryValue> value = ReadValueData(key.handle(), name);
      // A blank text counts as missing; a number never does, not even 0.
      if (value && (value->IsNumber() || !platform::IsBlank(value->Text())))
        *read = std::move(*value);
      ++read;
    }
  } catch (...) {
    // Out of memory: what was not read keeps the default.
  }
  return values;
}

bool IDBAS_Registry::SetRegistryValue(std::string_view SubKey1, std::string_view SubKey2,
                                      std::string_view ValueName, std::string_view ValueData,
                                      platform::RootKey RootKey, std::string_view BasePath,
                                      std::uint32_t ValueType) {
  try {
    OpenKey key(registry_);
    const std::string path = BuildKeyPath(BasePath, SubKey1, SubKey2);
    // Levels created on the way stay, whatever the write then gives. A
    // refused creation is a refusal for every type, those never written too.
    key.Create(RootKey, path, platform::kKeyAllSpecificRights | view_);
    const bool stored = WriteValueData(key.handle(), ValueName, ValueType, ValueData);
    return stored && key.is_open();
  } catch (...) {
    return false;
  }
}

IDBAS_Registry::ValueDeletion IDBAS_Registry::DeleteRegistryValue(std::string_view SubKey1,
                                                                  std::string_view SubKey2,
                                                                  std::string_view ValueName,
                                                                  platform::RootKey RootKey,
                                                                  std::string_view BasePath) {
  try {
    const std::string path = BuildKeyPath(BasePath, SubKey1, SubKey2);
    const std::string name(ValueName);
    // The key is created when missing, so switching off a value that was never
    // there leaves an empty key behind.
    OpenKey key(registry_);
    key.Create(RootKey, path, platform::kKeyAllSpecificRights | view_);
    if (key.is_open()) {
      const long result = registry_.DeleteValue(key.handle(), name);
      if (result == platform::kErrorSuccess) return ValueDeletion::Deleted;
      return result == platform::kErrorFileNotFound ? ValueDeletion::Missing
                                                    : ValueDeletion::Refused;
    }
    // The key may not be written (a standard user's policy key): the deletion
    // is refused only if there is a value to delete.
    const long opened = key.Open(RootKey, path, platform::kKeyRead | view_);
    if (opened == platform::kErrorFileNotFound) return ValueDeletion::Missing;
    if (!key.is_open()) return ValueDeletion::Refused;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    return registry_.QueryValue(key.handle(), name, &type, nullptr, &size) ==
                   platform::kErrorFileNotFound
               ? ValueDeletion::Missing
               : ValueDeletion::Refused;
  } catch (...) {
    return ValueDeletion::Refused;
  }
}

}  // namespace ferrolis::registry
