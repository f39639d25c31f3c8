// Letter case and blanks, as the program itself compares and trims texts:
// case folds the ASCII letters only (the rule of the root key names, the
// system folder names and the font faces it compares), a blank is a space.
// Header-only, so that every layer uses the same rule.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace ferrolis::platform {

inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string AsciiLowercase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

inline std::string AsciiUppercase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

// The same text but for the case of ASCII letters.
inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

// The text without the `blanks` at either end.
inline std::string_view TrimBlanks(std::string_view text, std::string_view blanks = " ") {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Empty or spaces only.
inline bool IsBlank(std::string_view text) { return TrimBlanks(text).empty(); }

}  // namespace ferrolis::platform
