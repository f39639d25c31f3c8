// UTF-8 <-> UTF-16 <-> ANSI conversions at the boundary of the Win32 layer.
#pragma once

#include <string>
#include <string_view>

#include "platform/text_codec.h"

namespace ferrolis::platform::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
// UTF-8 to UTF-16; false, and nothing converted, when the text is not
// well-formed UTF-8.
bool WidenExactly(std::string_view utf8, std::wstring* wide);

// The system's ANSI code page (CP_ACP).
class Win32TextCodec final : public TextCodec {
 public:
  std::string ToAnsi(std::string_view utf8) const override;
  std::string FromAnsi(std::string_view ansi) const override;
};

}  // namespace ferrolis::platform::win32
