// The number texts of the password file: the rendering of a record's value and
// the parsing of a record back into a number. Both are independent of the
// user's locale: "." is always the decimal separator.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ferrolis::access {

// Encoding constants, applied in double precision in a fixed order.
inline constexpr double kK1 = 1.7;
inline constexpr double kK2 = 2.3407;
inline constexpr double kK3 = 1.204683;
inline constexpr std::size_t kRecordLength = 50;

// A non-negative number as the file stores it: a leading space, at most 15
// significant digits, no trailing zeros after the point, no point when the
// value is integral, no "0" before the point below 1, fixed-point notation.
std::string RenderRecordNumber(double value);

// The value of the decimal number at the start of `text` (optional sign,
// digits with at most one ".", optional exponent "E" or "D" with optional sign);
// 0 when no number is there. Nothing when the number overflows a double.
std::optional<double> ParseRecordNumber(std::string_view text);

// The encoded value E(i) of the character code `code` at position `position`
// (counting from 1).
double EncodeCharacter(unsigned code, std::size_t position);

// The character code a record value stands for, rounded half to even; nothing
// when it overflows or falls outside 0 to 255.
std::optional<unsigned> DecodeCharacter(double value, std::size_t position);

}  // namespace ferrolis::access
