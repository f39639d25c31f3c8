#include "platform/text_codec.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ferrolis::platform
