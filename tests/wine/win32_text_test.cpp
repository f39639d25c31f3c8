#include "platform/win32/win32_text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/win32_registry.h"
#include "registry/idbas_registry.h"

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

// Text data of an odd byte count, which only the real registry can hold.
TEST(Win32RegistryText, AnOddLastByteKeepsItsWholeCharacters) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\FerrolisOdd", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            0);
  Win32Registry platform;
  registry::IDBAS_Registry layer(platform);
  // Well-formed data still loses its last character, the terminator.
  for (const auto& [bytes, read] :
       {std::pair<std::vector<BYTE>, std::string>{{'a', 0, 'b', 0, 'x'}, "ab"},
        {{'a', 0, 'x'}, "a"},
        {{'a', 0, 'b', 0, 0, 0}, "ab"}}) {
    RegSetValueExW(key, L"v", 0, REG_SZ, bytes.data(), static_cast<DWORD>(bytes.size()));
    EXPECT_EQ(layer
                  .GetRegistryValue("", "", "v", "-", platform::kHkeyCurrentUser,
                                    "Software\\FerrolisOdd", false)
                  .Text(),
              read);
  }
  RegCloseKey(key);
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\FerrolisOdd");
}

}  // namespace
}  // namespace ferrolis::platform::win32
