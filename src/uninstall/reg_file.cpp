#include "uninstall/reg_file.h"

#include "platform/text_codec.h"

namespace ferrolis::uninstall {
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
bool IsPlainText(const StoredValue& value) {
  if (value.type != platform::kRegSz || value.data.size() < 2 || value.data.size() % 2 != 0)
    return false;
  const std::u16string units = Utf16Units(value.data);
  return units.back() == 0 && units.find(u'\0') == units.size() - 1 && !HoldsLineBreak(units);
}

void AppendValue(std::u16string& out, const StoredValue& value, std::u16string_view name) {
  std::u16string line = value.name.empty() ? std::u16string(u"@") : Quoted(name);
  line += u'=';
  if (IsPlainText(value)) {
    std::u16string units = Utf16Units(value.data);
    units.pop_back();
    line += Quoted(units);
  } else if (value.type == platform::kRegDword && value.data.size() == 4) {
    const std::uint32_t number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                                 (static_cast<std::uint32_t>(value.data[3]) << 24);
    line += u"dword:" + Hex(number, 8);
  } else {
    line += value.type == platform::kRegBinary ? u"hex:" : u"hex(" + Hex(value.type, 1) + u"):";
    for (std::size_t i = 0; i < value.data.size(); ++i) {
      line += Hex(value.data[i], 2);
      if (i + 1 == value.data.size()) break;
      line += u',';
      // Continued after a comma: a backslash, the line end, two blanks.
      if (line.size() >= kLineWidth) {
        out += line + u"\\\r\n";
        line = u"  ";
      }
    }
  }
  out += line + u"\r\n";
}

bool AppendTree(std::u16string& out, std::u16string_view root, const KeyTree& tree) {
  const std::u16string path = platform::Utf8ToUtf16(tree.path);
  if (HoldsLineBreak(path)) return false;
  out += u"[" + std::u16string(root) + u"\\" + path + u"]\r\n";
  for (const StoredValue& value : tree.values) {
    const std::u16string name = platform::Utf8ToUtf16(value.name);
    if (HoldsLineBreak(name)) return false;
    AppendValue(out, value, name);
  }
  out += u"\r\n";
  for (const KeyTree& subkey : tree.subkeys) {
    if (!AppendTree(out, root, subkey)) return false;
  }
  return true;
}

}  // namespace

bool HoldsNameWithLineBreak(const KeyTree& tree) {
  const auto breaks = [](const std::string& name) {
    return name.find_first_of("\r\n") != std::string::npos;
  };
  if (breaks(tree.path)) return true;
  for (const StoredValue& value : tree.values) {
    if (breaks(value.name)) return true;
  }
  for (const KeyTree& subkey : tree.subkeys) {
    if (HoldsNameWithLineBreak(subkey)) return true;
  }
  return false;
}

std::optional<std::string> RegFileBytes(std::string_view root_name,
                                        const std::vector<KeyTree>& trees) {
  std::u16string text = u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n";
  const std::u16string root = platform::Utf8ToUtf16(root_name);
  for (const KeyTree& tree : trees) {
    if (!AppendTree(text, root, tree)) return std::nullopt;
  }
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

}  // namespace ferrolis::uninstall
