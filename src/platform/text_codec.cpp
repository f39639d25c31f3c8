#include "platform/text_codec.h"

#include <array>
#include <cstdint>

namespace ferrolis::platform {
namespace {

// Code points of Windows-1252 bytes 0x80 to 0x9F; 0 marks the five unused bytes,
// which map to the matching C1 control character.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F && kHigh[byte - 0x80] != 0) return kHigh[byte - 0x80];
  return byte;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string Cp1252Codec::ToAnsi(std::string_view utf8) const {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const char32_t cp = NextCodePoint(utf8, i);
    char byte = '?';
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      byte = static_cast<char>(cp);
    } else if (cp >= 0x80 && cp <= 0x9F) {
      // A C1 control maps back to its byte only where 1252 leaves the byte unused.
      if (kHigh[cp - 0x80] == 0) byte = static_cast<char>(cp);
    } else {
      for (std::size_t k = 0; k < kHigh.size(); ++k) {
        if (kHigh[k] == cp) byte = static_cast<char>(0x80 + k);
      }
    }
    out += byte;
  }
  return out;
}

std::string Cp1252Codec::FromAnsi(std::string_view ansi) const {
  std::string out;
  out.reserve(ansi.size() * 2);
  for (const char c : ansi) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
  return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    char32_t cp = NextCodePoint(utf8, i);
    if (cp > 0x10FFFF) cp = 0xFFFD;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace ferrolis::platform
