#include "export/policy_file.h"

#include "platform/registry.h"
#include "platform/text_codec.h"

namespace ferrolis::exporting {
namespace {

void AppendUnit(std::string& out, char16_t unit) {
  out += static_cast<char>(unit & 0xFF);
  out += static_cast<char>(unit >> 8);
}

// A text with its terminating NUL, in UTF-16LE.
void AppendText(std::string& out, std::string_view utf8) {
  for (const char16_t unit : platform::Utf8ToUtf16(utf8)) AppendUnit(out, unit);
  AppendUnit(out, u'\0');
}

void AppendNumber(std::string& out, std::uint32_t number) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((number >> shift) & 0xFF);
}

}  // namespace

std::vector<std::uint8_t> TextData(std::string_view utf8) {
  std::string bytes;
  AppendText(bytes, utf8);
  return {bytes.begin(), bytes.end()};
}

PolicyRecord DwordRecord(std::string_view key, std::string_view name, std::uint32_t number) {
  std::string bytes;
  AppendNumber(bytes, number);
  return {std::string(key), std::string(name), platform::kRegDword, {bytes.begin(), bytes.end()}};
}

PolicyRecord TextRecord(std::string_view key, std::string_view name, std::string_view text) {
  return {std::string(key), std::string(name), platform::kRegSz, TextData(text)};
}

PolicyRecord DeletionRecord(std::string_view key, std::string_view name) {
  return {std::string(key), "**del." + std::string(name), platform::kRegSz, TextData(" ")};
}

std::string PolicyFileBytes(const std::vector<PolicyRecord>& records) {
  std::string out = "PReg";
  AppendNumber(out, 1);
  for (const PolicyRecord& record : records) {
    AppendUnit(out, u'[');
    AppendText(out, record.key);
    AppendUnit(out, u';');
    AppendText(out, record.value);
    AppendUnit(out, u';');
    AppendNumber(out, record.type);
    AppendUnit(out, u';');
    AppendNumber(out, static_cast<std::uint32_t>(record.data.size()));
    AppendUnit(out, u';');
    out.append(record.data.begin(), record.data.end());
    AppendUnit(out, u']');
  }
  return out;
}

}  // namespace ferrolis::exporting
