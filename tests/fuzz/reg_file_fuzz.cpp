// Builds key trees of arbitrary names, types and data, writes them as a
// registry editor file and reads the file back with a reader of the format:
// every key and value must come back exactly (names, type, bytes), and the
// writer must refuse exactly the trees whose names hold a line break. No
// crash, no hang, no sanitizer report.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/text_codec.h"
#include "uninstall/reg_file.h"

using namespace ferrolis;

namespace {

constexpr char16_t kRoot[] = u"HKEY_LOCAL_MACHINE";

// A key or a value as the file should give it back.
struct Line {
  std::u16string key;   // the key's path below the root
  bool value = false;   // false for the key line itself
  std::u16string name;  // the value's name, empty for the default value
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  bool operator==(const Line&) const = default;
};

uninstall::KeyTree MakeTree(FuzzedDataProvider& in, const std::string& parent, int depth) {
  uninstall::KeyTree tree;
  const std::string name = in.ConsumeRandomLengthString(24);
  tree.path = parent.empty() ? name : parent + "\\" + name;
  const int values = in.ConsumeIntegralInRange(0, 4);
  for (int i = 0; i < values; ++i) {
    uninstall::StoredValue value;
    value.name = in.ConsumeRandomLengthString(24);
    // Mostly the types the writer treats apart, sometimes any number.
    value.type = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::uint32_t>(0, 11)
                                  : in.ConsumeIntegral<std::uint32_t>();
    value.data = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange(0, 120));
    tree.values.push_back(std::move(value));
  }
  const int subkeys = depth < 2 ? in.ConsumeIntegralInRange(0, 2) : 0;
  for (int i = 0; i < subkeys; ++i) tree.subkeys.push_back(MakeTree(in, tree.path, depth + 1));
  return tree;
}

bool HoldsLineBreak(const std::u16string& text) {
  return text.find_first_of(u"\r\n") != std::u16string::npos;
}

// What the trees must read back as, key by key with parents first; false when
// a name holds a line break, which the file cannot carry.
bool Expected(const uninstall::KeyTree& tree, std::vector<Line>& lines) {
  const std::u16string key = platform::Utf8ToUtf16(tree.path);
  if (HoldsLineBreak(key)) return false;
  lines.push_back({key, false, {}, 0, {}});
  for (const uninstall::StoredValue& value : tree.values) {
    const std::u16string name = platform::Utf8ToUtf16(value.name);
    if (HoldsLineBreak(name)) return false;
    lines.push_back({key, true, name, value.type, value.data});
  }
  for (const uninstall::KeyTree& subkey : tree.subkeys) {
    if (!Expected(subkey, lines)) return false;
  }
  return true;
}

// A reader of the file, independent of the writer: quoted texts with \\ and
// \" escapes, dword:, hex: and hex(type): with continued lines.
class Reader {
 public:
  explicit Reader(std::u16string text) : text_(std::move(text)) {}

  std::optional<std::vector<Line>> Read() {
    if (!Take(u"\xFEFFWindows Registry Editor Version 5.00\r\n\r\n")) return std::nullopt;
    std::vector<Line> lines;
    std::u16string key;
    while (pos_ < text_.size()) {
      if (Take(u"\r\n")) continue;
      if (Take(u"[")) {
        // The path runs to the last "]" of its line.
        const std::size_t end = text_.find(u"\r\n", pos_);
        const std::size_t close = text_.rfind(u']', end);
        const std::u16string prefix = std::u16string(kRoot) + u"\\";
        if (end == std::u16string::npos || close == std::u16string::npos || close < pos_ ||
            close + 1 != end || text_.compare(pos_, prefix.size(), prefix) != 0) {
          return std::nullopt;
        }
        key = text_.substr(pos_ + prefix.size(), close - pos_ - prefix.size());
        lines.push_back({key, false, {}, 0, {}});
        pos_ = end + 2;
        continue;
      }
      Line line{key, true, {}, 0, {}};
      if (!Take(u"@")) {
        const auto name = Quoted();
        if (!name || name->empty()) return std::nullopt;
        line.name = *name;
      }
      if (!Take(u"=") || !Data(line)) return std::nullopt;
      lines.push_back(std::move(line));
    }
    return lines;
  }

 private:
  bool Take(std::u16string_view what) {
    if (text_.compare(pos_, what.size(), what) != 0) return false;
    pos_ += what.size();
    return true;
  }

  std::optional<std::u16string> Quoted() {
    if (!Take(u"\"")) return std::nullopt;
    std::u16string out;
    while (pos_ < text_.size()) {
      const char16_t c = text_[pos_++];
      if (c == u'"') return out;
      if (c == u'\r' || c == u'\n') return std::nullopt;
      if (c == u'\\') {
        if (pos_ >= text_.size() || (text_[pos_] != u'\\' && text_[pos_] != u'"'))
          return std::nullopt;
        out += text_[pos_++];
      } else {
        out += c;
      }
    }
    return std::nullopt;
  }

  std::optional<std::uint32_t> HexNumber(std::size_t max_digits) {
    std::uint32_t n = 0;
    std::size_t digits = 0;
    while (pos_ < text_.size() && digits < max_digits) {
      const char16_t c = text_[pos_];
      const int d = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'a' && c <= u'f' ? c - u'a' + 10 : -1;
      if (d < 0) break;
      n = n * 16 + static_cast<std::uint32_t>(d);
      ++pos_;
      ++digits;
    }
    if (digits == 0) return std::nullopt;
    return n;
  }

  bool Data(Line& line) {
    if (Take(u"dword:")) {
      const std::size_t start = pos_;
      const auto n = HexNumber(8);
      if (!n || pos_ - start != 8 || !Take(u"\r\n")) return false;
      line.type = 4;
      line.data = {static_cast<std::uint8_t>(*n), static_cast<std::uint8_t>(*n >> 8),
                   static_cast<std::uint8_t>(*n >> 16), static_cast<std::uint8_t>(*n >> 24)};
      return true;
    }
    if (text_.compare(pos_, 1, u"\"") == 0) {
      const auto text = Quoted();
      if (!text || !Take(u"\r\n")) return false;
      line.type = 1;
      for (const char16_t unit : *text + u'\0') {
        line.data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        line.data.push_back(static_cast<std::uint8_t>(unit >> 8));
      }
      return true;
    }
    if (Take(u"hex:")) {
      line.type = 3;
    } else if (Take(u"hex(")) {
      const auto type = HexNumber(8);
      if (!type || !Take(u"):")) return false;
      line.type = *type;
    } else {
      return false;
    }
    if (Take(u"\r\n")) return true;  // no bytes
    while (true) {
      const std::size_t start = pos_;
      const auto byte = HexNumber(2);
      if (!byte || pos_ - start != 2) return false;
      line.data.push_back(static_cast<std::uint8_t>(*byte));
      if (Take(u"\r\n")) return true;
      if (!Take(u",")) return false;
      if (Take(u"\\\r\n") && !Take(u"  ")) return false;
    }
  }

  std::u16string text_;
  std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::vector<uninstall::KeyTree> trees;
  const int count = in.ConsumeIntegralInRange(0, 3);
  for (int i = 0; i < count; ++i) trees.push_back(MakeTree(in, "", 0));

  std::vector<Line> expected;
  bool writable = true;
  for (const uninstall::KeyTree& tree : trees) writable = writable && Expected(tree, expected);

  const std::optional<std::string> bytes = uninstall::RegFileBytes("HKEY_LOCAL_MACHINE", trees);
  if (bytes.has_value() != writable) __builtin_trap();
  if (!bytes) return 0;
  if (bytes->size() % 2 != 0) __builtin_trap();
  std::u16string text;
  for (std::size_t i = 0; i < bytes->size(); i += 2) {
    text += static_cast<char16_t>(static_cast<unsigned char>((*bytes)[i]) |
                                  (static_cast<unsigned char>((*bytes)[i + 1]) << 8));
  }
  const std::optional<std::vector<Line>> read = Reader(std::move(text)).Read();
  if (!read || *read != expected) __builtin_trap();
  return 0;
}
