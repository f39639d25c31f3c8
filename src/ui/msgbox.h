// Message box style and result values.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ferrolis::ui {

// Button sets.
inline constexpr int kOkOnly = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
// Icons, added to a button set.
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;

// Buttons pressed.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;

// Lines inside a prompt are separated by a carriage return alone.
inline constexpr char kLineBreak = '\r';

// The most characters of a user's text that a prompt quotes: a box is as wide
// as its longest line, and a long path without spaces is never wrapped, so a
// longer text would push the box and its icon off the screen.
inline constexpr std::size_t kMaxQuotedCharacters = 80;

// A user's text (UTF-8) as a prompt quotes it, between « and »: whole when it
// has at most kMaxQuotedCharacters characters, otherwise its start and its end
// with "…" between, kMaxQuotedCharacters characters in all.
std::string QuoteForBox(std::string_view text);

}  // namespace ferrolis::ui
