#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include <vector>

namespace ferrolis::platform {
namespace {

TEST(Cp1252Codec, RoundTripsEveryByte) {
  Cp1252Codec codec;
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(codec.ToAnsi(codec.FromAnsi(byte)), byte) << b;
  }
}

TEST(Cp1252Codec, MapsFrenchAndWindowsSpecificCharacters) {
  Cp1252Codec codec;
  EXPECT_EQ(codec.ToAnsi("é"), "\xE9");
  EXPECT_EQ(codec.ToAnsi("€"), "\x80");
  EXPECT_EQ(codec.ToAnsi("œ"), "\x9C");
  EXPECT_EQ(codec.FromAnsi("\xE0"), "à");
}

TEST(Cp1252Codec, ReplacesWhatTheCodePageLacks) {
  Cp1252Codec codec;
  EXPECT_EQ(codec.ToAnsi("Ж"), "?");
  EXPECT_EQ(codec.ToAnsi("a\xFF"
                         "b"),
            "a?b");  // malformed UTF-8
}

// One rule for malformed bytes everywhere text is stepped: a sequence cut short
// or a stray continuation byte is one character, U+FFFD.
TEST(Utf8Stepping, CountsMalformedBytesAsOneCharacterEach) {
  struct Case {
    const char* text;
    std::size_t characters, utf16_units, last_offset;
  };
  for (const Case& c : std::vector<Case>{{"\xC3\xA9t\xC3\xA9", 3, 3, 3},
                                         {"a\xF0\x9D\x84\x9E", 2, 3, 1},
                                         {"\xC3"
                                          "a",
                                          2, 2, 1},                  // cut short by a letter
                                         {"ab\x80\x80", 4, 4, 3},    // stray bytes
                                         {"x\xE2\x82", 2, 2, 1}}) {  // cut short by the end
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CharacterCount(c.text), c.characters);
    EXPECT_EQ(Utf16Length(c.text), c.utf16_units);
    EXPECT_EQ(Utf8ToUtf16(c.text).size(), c.utf16_units);
    EXPECT_EQ(LastCharacterOffset(c.text), c.last_offset);
  }
}

}  // namespace
}  // namespace ferrolis::platform
