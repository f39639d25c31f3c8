#include "access/password_codec.h"

#include <gtest/gtest.h>

namespace ferrolis::access {
namespace {

TEST(RenderRecordNumber, FollowsTheFileFormat) {
  EXPECT_EQ(RenderRecordNumber(0), " 0");
  EXPECT_EQ(RenderRecordNumber(3), " 3");
  EXPECT_EQ(RenderRecordNumber(0.5), " .5");
  EXPECT_EQ(RenderRecordNumber(0.0625), " .0625");
  EXPECT_EQ(RenderRecordNumber(1561.5), " 1561.5");
  EXPECT_EQ(RenderRecordNumber(100000000000000.0), " 100000000000000");
  // 15 significant digits, correctly rounded, trailing zeros dropped.
  EXPECT_EQ(RenderRecordNumber(123456789.123456789), " 123456789.123457");
  EXPECT_EQ(RenderRecordNumber(EncodeCharacter(97, 1)), " 84.8687258939633");
  EXPECT_EQ(RenderRecordNumber(EncodeCharacter(65, 2)), " 113.741591404281");
  EXPECT_EQ(RenderRecordNumber(EncodeCharacter(255, 7)), " 1561.75954351262");
  EXPECT_EQ(RenderRecordNumber(EncodeCharacter(1, 1)), " .874935318494467");
}

TEST(ParseRecordNumber, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(*ParseRecordNumber("84.8687258939633"), 84.8687258939633);
  EXPECT_DOUBLE_EQ(*ParseRecordNumber(".5"), 0.5);
  EXPECT_DOUBLE_EQ(*ParseRecordNumber("5."), 5.0);
  EXPECT_DOUBLE_EQ(*ParseRecordNumber("-3"), -3.0);
  EXPECT_DOUBLE_EQ(*ParseRecordNumber("+3"), 3.0);
  EXPECT_DOUBLE_EQ(*ParseRecordNumber("1E2"), 100.0);
  EXPECT_DOUBLE_EQ(*ParseRecordNumber("1d2"), 100.0);
  EXPECT_DOUBLE_EQ(*ParseRecordNumber("25E-1x"), 2.5);
  // Parsing stops at the first character that does not fit.
  EXPECT_DOUBLE_EQ(*ParseRecordNumber("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(*ParseRecordNumber("12abc"), 12.0);
  EXPECT_DOUBLE_EQ(*ParseRecordNumber("1E"), 1.0);
  EXPECT_DOUBLE_EQ(*ParseRecordNumber("7E+"), 7.0);
  EXPECT_DOUBLE_EQ(*ParseRecordNumber("1,5"), 1.0);
}

TEST(ParseRecordNumber, NoNumberIsZeroAndOverflowIsAFailure) {
  EXPECT_EQ(ParseRecordNumber(""), 0.0);
  EXPECT_EQ(ParseRecordNumber("abc"), 0.0);
  EXPECT_EQ(ParseRecordNumber("."), 0.0);
  EXPECT_EQ(ParseRecordNumber("-"), 0.0);
  EXPECT_EQ(ParseRecordNumber("1E-999"), 0.0);
  EXPECT_EQ(ParseRecordNumber("0.00001E-400"), 0.0);
  EXPECT_FALSE(ParseRecordNumber("1E999").has_value());
  EXPECT_FALSE(ParseRecordNumber("-1E999").has_value());
  EXPECT_FALSE(ParseRecordNumber(std::string(400, '9')).has_value());
  EXPECT_FALSE(ParseRecordNumber("1E99999999999999999999999").has_value());
}

// The value that decodes to exactly `z` at position 1.
double ValueFor(double z) { return z * kK3 / kK2 * kK1; }

TEST(DecodeCharacter, RoundsHalfToEvenAndRefusesCodesOutOfRange) {
  EXPECT_EQ(DecodeCharacter(0, 1), 0u);
  EXPECT_EQ(DecodeCharacter(ValueFor(65.2), 1), 65u);
  EXPECT_EQ(DecodeCharacter(ValueFor(65.7), 1), 66u);
  // Exact halves (chosen to survive the arithmetic) go to the even neighbour.
  EXPECT_EQ(DecodeCharacter(2.5 * kK3 / kK2 * kK1, 1).value_or(99), 2u);
  EXPECT_EQ(DecodeCharacter(ValueFor(-0.4), 1), 0u);
  EXPECT_FALSE(DecodeCharacter(ValueFor(-1), 1).has_value());
  EXPECT_FALSE(DecodeCharacter(ValueFor(256), 1).has_value());
  EXPECT_FALSE(DecodeCharacter(1e308 * 10, 1).has_value());
}

TEST(PasswordCodec, EveryCodeSurvivesTheRoundTripAtEveryPosition) {
  for (unsigned code = 0; code < 256; ++code) {
    for (std::size_t position : {1u, 2u, 3u, 17u, 50u, 255u, 1000u}) {
      const auto text = RenderRecordNumber(EncodeCharacter(code, position));
      ASSERT_LE(text.size(), kRecordLength);
      const auto value = ParseRecordNumber(text.substr(1));
      ASSERT_TRUE(value.has_value());
      EXPECT_EQ(DecodeCharacter(*value, position), code) << code << " at " << position;
    }
  }
}

}  // namespace
}  // namespace ferrolis::access
