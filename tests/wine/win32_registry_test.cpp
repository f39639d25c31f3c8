// What only the real registry can hold: text data of an odd byte count, which
// the platform interface cannot write.
#include "platform/win32/win32_registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "registry/idbas_registry.h"

namespace ferrolis::platform::win32 {
namespace {

TEST(Win32Registry, TextWithAnOddLastByteKeepsItsWholeCharacters) {
  constexpr const wchar_t* kKey = L"Software\\FerrolisOddText";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  struct Case {
    std::vector<BYTE> stored;
    std::string read;
  };
  // Well-formed data still loses its last character, the terminator.
  for (const Case& c : {Case{{'a', 0, 'b', 0, 'x'}, "ab"}, Case{{'a', 0, 'x'}, "a"},
                        Case{{'a', 0, 'b', 0, 0, 0}, "ab"}}) {
    ASSERT_EQ(
        RegSetValueExW(key, L"v", 0, REG_SZ, c.stored.data(), static_cast<DWORD>(c.stored.size())),
        ERROR_SUCCESS);
    Win32Registry platform;
    registry::IDBAS_Registry layer(platform);
    EXPECT_EQ(layer
                  .GetRegistryValue("", "", "v", "dflt", kHkeyCurrentUser,
                                    "Software\\FerrolisOddText", false)
                  .Text(),
              c.read)
        << c.stored.size() << " bytes";
  }
  RegCloseKey(key);
  RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
}

}  // namespace
}  // namespace ferrolis::platform::win32
