#include "access/password_codec.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace ferrolis::access {
namespace {

// Roughly the power of ten of a number's first significant digit: enough to
// tell an overflow from an underflow.
long DecimalMagnitude(const std::string& mantissa, const std::string& exponent) {
  long magnitude = 0;
  bool significant = false;
  bool after_point = false;
  for (const char c : mantissa) {
    if (c == '.') {
      after_point = true;
    } else if (c != '0' || significant) {
      significant = true;
      if (!after_point) ++magnitude;
    } else if (after_point) {
      --magnitude;
    }
  }
  if (exponent.size() > 1) {
    // Saturated, so that the sum cannot overflow.
    const long e = std::strtol(exponent.c_str() + 1, nullptr, 10);
    magnitude += std::clamp(e, -1000000L, 1000000L);
  }
  return magnitude;
}

}  // namespace

std::string RenderRecordNumber(double value) {
  if (value == 0) return " 0";
  // 15 significant digits, correctly rounded, as d.dddddddddddddde±x.
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  const std::string_view sci(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = sci.find('e');
  std::string digits;
  for (const char c : sci.substr(0, e)) {
    if (c != '.') digits += c;
  }
  const int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  // Place the decimal point: the first digit has the weight 10^exponent.
  const int point = exponent + 1;  // digits before the point
  std::string text = " ";
  if (point <= 0) {
    text += '.';
    text.append(static_cast<std::size_t>(-point), '0');
    text += digits;
  } else if (static_cast<std::size_t>(point) >= digits.size()) {
    text += digits;
    text.append(static_cast<std::size_t>(point) - digits.size(), '0');
  } else {
    text += digits.substr(0, static_cast<std::size_t>(point));
    text += '.';
    text += digits.substr(static_cast<std::size_t>(point));
  }
  return text;
}

std::optional<double> ParseRecordNumber(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::string mantissa;
  bool seen_point = false;
  bool seen_digit = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      mantissa += c;
      seen_digit = true;
    } else if (c == '.' && !seen_point) {
      mantissa += c;
      seen_point = true;
    } else {
      break;
    }
  }
  if (!seen_digit) return 0.0;
  std::string number = mantissa;
  // An exponent counts only when at least one digit follows its marker.
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    const std::size_t first_digit = j;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9') exponent += text[j++];
    if (j > first_digit) number += exponent;
  }
  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Out of range either way: a large magnitude overflows, a tiny one is 0.
    if (DecimalMagnitude(mantissa, number.substr(mantissa.size())) > 0) return std::nullopt;
    value = 0;
  } else if (result.ec != std::errc()) {
    return 0.0;
  }
  return negative ? -value : value;
}

double EncodeCharacter(unsigned code, std::size_t position) {
  double v = static_cast<double>(code) * kK1;
  v = v / kK2;
  v = v * kK3;
  return v * static_cast<double>(position);
}

std::optional<unsigned> DecodeCharacter(double value, std::size_t position) {
  double y = value / kK1;
  y = y * kK2;
  y = y / kK3;
  const double z = y / static_cast<double>(position);
  if (!std::isfinite(z)) return std::nullopt;
  // Rounding to nearest with ties to even is the default floating-point mode.
  const double code = std::nearbyint(z);
  if (code < 0 || code > 255) return std::nullopt;
  return static_cast<unsigned>(code);
}

}  // namespace ferrolis::access
