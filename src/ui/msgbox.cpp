#include "ui/msgbox.h"

#include "platform/utf8.h"

namespace ferrolis::ui {
std::string QuoteForBox(std::string_view text) {
  const std::size_t characters = platform::CharacterCount(text);
  std::string quoted = "« ";
  if (characters <= kMaxQuotedCharacters) {
    quoted += text;
  } else {
    // Half the room for the start, the rest for the end (the file name of a
    // path), one character for the ellipsis.
    const std::size_t head = kMaxQuotedCharacters / 2;
    const std::size_t tail = kMaxQuotedCharacters - head - 1;
    quoted += text.substr(0, platform::CharacterOffset(text, head));
    quoted += "…";
    quoted += text.substr(platform::CharacterOffset(text, characters - tail));
  }
  return quoted + " »";
}

}  // namespace ferrolis::ui
