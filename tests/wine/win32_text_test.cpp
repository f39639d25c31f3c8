#include "platform/win32/win32_text.h"

#include <gtest/gtest.h>

namespace ferrolis::platform::win32 {
namespace {

// Under Wine with an English or French locale the ANSI code page is 1252: the
// real codec must agree with the one the native tests use.
TEST(Win32TextCodec, AgreesWithCp1252) {
  Win32TextCodec real;
  Cp1252Codec reference;
  for (int b = 0x20; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(real.FromAnsi(byte), reference.FromAnsi(byte)) << b;
  }
  EXPECT_EQ(real.ToAnsi("Désolé"), "D\xE9sol\xE9");
}

TEST(Win32Text, WidenAndNarrowRoundTrip) {
  const std::string text = "Première utilisation de Ferrolis";
  EXPECT_EQ(Narrow(Widen(text)), text);
}

}  // namespace
}  // namespace ferrolis::platform::win32
