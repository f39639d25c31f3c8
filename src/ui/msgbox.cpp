#include "ui/msgbox.h"

namespace ferrolis::ui {
namespace {

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

// The byte offset where the character of index `index` starts (the text's
// size when it has no such character).
std::size_t OffsetOfCharacter(std::string_view text, std::size_t index) {
  for (std::size_t offset = 0; offset < text.size(); ++offset) {
    if (StartsCharacter(text[offset]) && index-- == 0) return offset;
  }
  return text.size();
}

}  // namespace

std::string QuoteForBox(std::string_view text) {
  std::size_t characters = 0;
  for (const char byte : text) characters += StartsCharacter(byte) ? 1 : 0;
  std::string quoted = "« ";
  if (characters <= kMaxQuotedCharacters) {
    quoted += text;
  } else {
    // Half the room for the start, the rest for the end (the file name of a
    // path), one character for the ellipsis.
    const std::size_t head = kMaxQuotedCharacters / 2;
    const std::size_t tail = kMaxQuotedCharacters - head - 1;
    quoted += text.substr(0, OffsetOfCharacter(text, head));
    quoted += "…";
    quoted += text.substr(OffsetOfCharacter(text, characters - tail));
  }
  return quoted + " »";
}

}  // namespace ferrolis::ui
