#include "registry/reg_file_writer.h"

#include "platform/registry.h"
#include "platform/text_codec.h"

namespace ferrolis::registry {
namespace {

// Long hex data is continued on the next line after this many characters, as
// the registry editor writes it.
constexpr std::size_t kLineWidth = 76;

bool HoldsLineBreak(std::u16string_view text) {
  return text.find_first_of(u"\r\n") != std::u16string_view::npos;
}

std::u16string Quoted(std::u16string_view text) {
  std::u16string out = u"\"";
  for (const char16_t c : text) {
    if (c == u'\\' || c == u'"') out += u'\\';
    out += c;
  }
  out += u'"';
  return out;
}

// The name's part of a value line: @ for the default value.
std::u16string NameField(std::u16string_view name) {
  return name.empty() ? std::u16string(u"@") : Quoted(name);
}

std::u16string Hex(std::uint32_t number, int min_digits) {
  static constexpr char16_t kDigits[] = u"0123456789abcdef";
  std::u16string out;
  do {
    out.insert(out.begin(), kDigits[number & 0xF]);
    number >>= 4;
  } while (number != 0 || static_cast<int>(out.size()) < min_digits);
  return out;
}

std::u16string Utf16Units(const std::vector<std::uint8_t>& data) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    units += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  }
  return units;
}

// REG_SZ data that a quoted text gives back byte for byte: whole UTF-16
// characters ending in the one NUL, with no line break inside.
bool IsPlainText(std::uint32_t type, const std::vector<std::uint8_t>& data) {
  if (type != platform::kRegSz || data.size() < 2 || data.size() % 2 != 0) return false;
  const std::u16string units = Utf16Units(data);
  return units.back() == 0 && units.find(u'\0') == units.size() - 1 && !HoldsLineBreak(units);
}

}  // namespace

RegFileWriter::RegFileWriter() : text_(u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n") {}

bool RegFileWriter::Key(std::string_view root_name, std::string_view path) {
  const std::u16string wide_path = platform::Utf8ToUtf16(path);
  if (HoldsLineBreak(wide_path)) return false;
  // A blank line closes the key before.
  if (in_key_) text_ += u"\r\n";
  text_ += u"[" + platform::Utf8ToUtf16(root_name) + u"\\" + wide_path + u"]\r\n";
  in_key_ = true;
  return true;
}

bool RegFileWriter::Value(std::string_view name, std::uint32_t type,
                          const std::vector<std::uint8_t>& data) {
  const std::u16string wide_name = platform::Utf8ToUtf16(name);
  if (HoldsLineBreak(wide_name)) return false;
  std::u16string line = NameField(wide_name) + u'=';
  if (IsPlainText(type, data)) {
    std::u16string units = Utf16Units(data);
    units.pop_back();
    line += Quoted(units);
  } else if (type == platform::kRegDword && data.size() == 4) {
    const std::uint32_t number =
        data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
    line += u"dword:" + Hex(number, 8);
  } else {
    line += type == platform::kRegBinary ? u"hex:" : u"hex(" + Hex(type, 1) + u"):";
    for (std::size_t i = 0; i < data.size(); ++i) {
      line += Hex(data[i], 2);
      if (i + 1 == data.size()) break;
      line += u',';
      // Continued after a comma: a backslash, the line end, two blanks.
      if (line.size() >= kLineWidth) {
        text_ += line + u"\\\r\n";
        line = u"  ";
      }
    }
  }
  text_ += line + u"\r\n";
  return true;
}

bool RegFileWriter::DeletedValue(std::string_view name) {
  const std::u16string wide_name = platform::Utf8ToUtf16(name);
  if (HoldsLineBreak(wide_name)) return false;
  text_ += NameField(wide_name) + u"=-\r\n";
  return true;
}

std::string RegFileWriter::Bytes() const {
  std::u16string text = text_;
  if (in_key_) text += u"\r\n";
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace ferrolis::registry
