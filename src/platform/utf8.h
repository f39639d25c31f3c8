// Walking UTF-8 text one character at a time: the one place where the program
// steps over UTF-8 bytes. Header-only, so that the toolkit uses it too.
//
// A character is a lead byte and the continuation bytes it announces. The one
// rule for malformed bytes: where the continuation bytes stop short, or a byte
// cannot lead a sequence (a stray continuation byte), the bytes taken so far
// (at least one) make one character, which reads as U+FFFD.
#pragma once

#include <cstddef>
#include <string_view>

namespace ferrolis::platform {

inline bool IsUtf8Continuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Decodes the character at `i` and moves `i` past it.
inline char32_t NextCodePoint(std::string_view utf8, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(utf8[i++]);
  if (lead < 0x80) return lead;
  const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (extra < 0) return 0xFFFD;
  char32_t cp = lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= utf8.size() || !IsUtf8Continuation(utf8[i])) return 0xFFFD;
    cp = (cp << 6) | (static_cast<unsigned char>(utf8[i++]) & 0x3F);
  }
  return cp;
}

// The number of bytes of the character that starts at `i`.
inline std::size_t CharacterLength(std::string_view utf8, std::size_t i) {
  const std::size_t start = i;
  NextCodePoint(utf8, i);
  return i - start;
}

inline std::size_t CharacterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < utf8.size(); ++count) NextCodePoint(utf8, i);
  return count;
}

// The byte offset where the character of index `index` starts; the text's
// size when it has no such character.
inline std::size_t CharacterOffset(std::string_view utf8, std::size_t index) {
  std::size_t i = 0;
  for (; i < utf8.size() && index > 0; --index) NextCodePoint(utf8, i);
  return i;
}

// The byte offset where the last character starts; 0 for an empty text.
inline std::size_t LastCharacterOffset(std::string_view utf8) {
  std::size_t last = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    last = i;
    NextCodePoint(utf8, i);
  }
  return last;
}

// The number of UTF-16 code units the text takes: two for a character beyond
// U+FFFF, one for any other (a malformed one included, as U+FFFD).
inline std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, i);
    units += cp >= 0x10000 && cp <= 0x10FFFF ? 2 : 1;
  }
  return units;
}

}  // namespace ferrolis::platform
