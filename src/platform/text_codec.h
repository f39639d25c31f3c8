// Conversion between the program's UTF-8 texts and the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

#include "platform/utf8.h"

namespace ferrolis::platform {

class TextCodec {
 public:
  virtual ~TextCodec() = default;
  // UTF-8 to ANSI bytes, one byte per character; a character the code page
  // lacks becomes the code page's default character ('?').
  virtual std::string ToAnsi(std::string_view utf8) const = 0;
  // ANSI bytes to UTF-8.
  virtual std::string FromAnsi(std::string_view ansi) const = 0;
};

// Windows-1252, the ANSI code page of Western European Windows. Used by the
// native build and as the reference in tests.
class Cp1252Codec final : public TextCodec {
 public:
  std::string ToAnsi(std::string_view utf8) const override;
  std::string FromAnsi(std::string_view ansi) const override;
};

// UTF-8 to UTF-16 code units and back, for the registry's wide data and for
// files written in UTF-16. A malformed UTF-8 character (see utf8.h) becomes
// U+FFFD; an unpaired surrogate becomes U+FFFD in UTF-8.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace ferrolis::platform
