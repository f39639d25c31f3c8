// The backup file format: what the registry editor reads back. That it
// imports every type byte for byte, long data continued over several lines
// included, is checked under Wine with its own regedit
// (tests/wine/check_backup_reg.sh).
#include "uninstall/reg_file.h"

#include <gtest/gtest.h>

#include "platform/text_codec.h"

namespace ferrolis::uninstall {
namespace {

using namespace std::string_literals;

using Bytes = std::vector<std::uint8_t>;

Bytes Wide(const std::u16string& text) {
  Bytes bytes;
  for (const char16_t c : text) {
    bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return bytes;
}

std::string Utf8Of(const std::string& file) {
  EXPECT_EQ(file.substr(0, 2), "\xFF\xFE");  // UTF-16LE byte order mark
  std::u16string units;
  for (std::size_t i = 2; i + 1 < file.size(); i += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(file[i]) |
                                   (static_cast<unsigned char>(file[i + 1]) << 8));
  }
  return platform::Utf16ToUtf8(units);
}

TEST(RegFile, WritesEveryTypeAsTheRegistryEditorReadsIt) {
  KeyTree tree{"Software\\Ω Test",
               {
                   {"", platform::kRegSz, Wide(u"défaut\0"s)},
                   {"Quote\"and\\slash", platform::kRegSz, Wide(u"a\"b\\c\0"s)},
                   {"Empty", platform::kRegSz, {}},
                   {"Unterminated", platform::kRegSz, Wide(u"a")},
                   {"Two lines", platform::kRegSz, Wide(u"a\r\nb\0"s)},
                   {"Inner NUL", platform::kRegSz, Wide(u"a\0b\0"s)},
                   {"Path", platform::kRegExpandSz, Wide(u"%W%\0"s)},
                   {"Number", platform::kRegDword, {0x78, 0x56, 0x34, 0x12}},
                   {"Short number", platform::kRegDword, {1, 2, 3}},
                   {"Big", platform::kRegQword, {1, 0, 0, 0, 0, 0, 0, 0x80}},
                   {"None", platform::kRegNone, {}},
                   {"Bin", platform::kRegBinary, {0x00, 0xFF}},
                   {"Multi", platform::kRegMultiSz, Wide(u"x\0\0"s)},
               },
               {{"Software\\Ω Test\\Sub", {}, {}}}};
  const auto bytes = RegFileBytes("HKEY_LOCAL_MACHINE", {tree});
  ASSERT_TRUE(bytes);
  EXPECT_EQ(Utf8Of(*bytes),
            "Windows Registry Editor Version 5.00\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Ω Test]\r\n"
            "@=\"défaut\"\r\n"
            "\"Quote\\\"and\\\\slash\"=\"a\\\"b\\\\c\"\r\n"
            "\"Empty\"=hex(1):\r\n"
            "\"Unterminated\"=hex(1):61,00\r\n"
            "\"Two lines\"=hex(1):61,00,0d,00,0a,00,62,00,00,00\r\n"
            "\"Inner NUL\"=hex(1):61,00,00,00,62,00,00,00\r\n"
            "\"Path\"=hex(2):25,00,57,00,25,00,00,00\r\n"
            "\"Number\"=dword:12345678\r\n"
            "\"Short number\"=hex(4):01,02,03\r\n"
            "\"Big\"=hex(b):01,00,00,00,00,00,00,80\r\n"
            "\"None\"=hex(0):\r\n"
            "\"Bin\"=hex:00,ff\r\n"
            "\"Multi\"=hex(7):78,00,00,00,00,00\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Ω Test\\Sub]\r\n"
            "\r\n");
}

TEST(RegFile, RefusesNamesThatHoldALineBreak) {
  EXPECT_FALSE(RegFileBytes("HKEY_CURRENT_USER", {KeyTree{"K\nL", {}, {}}}));
  EXPECT_FALSE(RegFileBytes("HKEY_CURRENT_USER",
                            {KeyTree{"K", {}, {KeyTree{"K\\A", {{"v\r", 0, {}}}, {}}}}}));
}

}  // namespace
}  // namespace ferrolis::uninstall
