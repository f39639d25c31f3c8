// The registry behaviours the layer relies on, checked directly on the
// platform interface so that the double keeps matching the real registry.
#include <string>
#include <vector>

#include "contract/registry_fixture.h"

namespace ferrolis::testing {
namespace {

using platform::kRegSz;

class PlatformRegistry : public ScratchFixture {};

TEST_F(PlatformRegistry, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
  MakeKey(kScratchRoot, Scratch("MixedCase"));
  MakeKey(kScratchRoot, Scratch("MIXEDCASE\\Inner"));
  Seed(kScratchRoot, Scratch("mixedcase"), "ValueName", kRegSz, {'a', 0});
  Seed(kScratchRoot, Scratch("mixedcase"), "VALUENAME", kRegSz, {'b', 0});

  EXPECT_EQ(Subkeys(kScratchRoot, Scratch()), std::vector<std::string>{"MixedCase"});
  EXPECT_EQ(Stored(kScratchRoot, Scratch("MixedCase"), "valuename"),
            (StoredValue{kRegSz, {'b', 0}}));
}

TEST_F(PlatformRegistry, AnswersWithTheCodesTheLayerExpects) {
  MakeKey(kScratchRoot, Scratch("Parent\\Child"));
  Seed(kScratchRoot, Scratch("Parent"), "v", kRegSz, {'h', 'e', 'l', 'l', 'o', 0});

  // A key with subkeys cannot be deleted; a missing one is not found.
  EXPECT_EQ(platform_->DeleteKey(kScratchRoot, Scratch("Parent"), 0), platform::kErrorAccessDenied);
  EXPECT_EQ(platform_->DeleteKey(kScratchRoot, Scratch("Missing"), 0),
            platform::kErrorFileNotFound);

  platform::KeyHandle key = 0;
  ASSERT_EQ(platform_->OpenKey(kScratchRoot, Scratch("Parent"), platform::kKeyRead, &key), 0);
  // Opened for reading: no writes.
  const std::uint8_t data[] = {'x', 0};
  EXPECT_EQ(platform_->SetValue(key, "w", kRegSz, data, 2), platform::kErrorAccessDenied);
  EXPECT_EQ(platform_->DeleteValue(key, "v"), platform::kErrorAccessDenied);
  // A buffer too small, and the size it needs.
  std::uint32_t type = 0;
  std::uint8_t small[2];
  std::uint32_t size = sizeof small;
  EXPECT_EQ(platform_->QueryValue(key, "v", &type, small, &size), platform::kErrorMoreData);
  EXPECT_EQ(size, 6u);
  size = 0;
  EXPECT_EQ(platform_->QueryValue(key, "missing", &type, nullptr, &size),
            platform::kErrorFileNotFound);
  // Enumeration ends with 259; a name that does not fit gives 234.
  char name[16] = {};
  EXPECT_EQ(platform_->EnumKey(key, 0, name, sizeof name), 0);
  EXPECT_STREQ(name, "Child");
  EXPECT_EQ(platform_->EnumKey(key, 0, name, 3), platform::kErrorMoreData);
  EXPECT_EQ(platform_->EnumKey(key, 1, name, sizeof name), platform::kErrorNoMoreItems);
  platform_->CloseKey(key);

  // A path may not start with a backslash; doubled and trailing ones are read
  // as single ones.
  EXPECT_NE(platform_->OpenKey(kScratchRoot, std::string("\\").append(Scratch("Parent")),
                               platform::kKeyRead, &key),
            0);
  ASSERT_EQ(platform_->OpenKey(kScratchRoot, "Software\\\\FerrolisContractTests\\Parent\\",
                               platform::kKeyRead, &key),
            0);
  platform_->CloseKey(key);
}

// Text is UTF-8 on this side of the platform and UTF-16 in the registry:
// names and text data outside the ANSI code page arrive as they were written.
TEST_F(PlatformRegistry, TextIsUtf8HereAndUtf16InTheRegistry) {
  using Bytes = std::vector<std::uint8_t>;
  const std::string lukasz = "\xC5\x81ukasz";  // "Łukasz"
  const Bytes sz = {0xC5, 0x81, 'u', 'k', 'a', 's', 'z', 0};
  const Bytes multi = {0xC5, 0x81, 0, 'b', 0, 0};
  Seed(kScratchRoot, Scratch(lukasz), lukasz, kRegSz, sz);
  Seed(kScratchRoot, Scratch(lukasz), "multi", platform::kRegMultiSz, multi);
  Seed(kScratchRoot, Scratch(lukasz), "bytes", platform::kRegBinary, {0xC5, 0xFF});

  EXPECT_EQ(Subkeys(kScratchRoot, Scratch()), std::vector<std::string>{lukasz});
  EXPECT_EQ(Stored(kScratchRoot, Scratch(lukasz), lukasz), (StoredValue{kRegSz, sz}));
  EXPECT_EQ(Stored(kScratchRoot, Scratch(lukasz), "multi"),
            (StoredValue{platform::kRegMultiSz, multi}));
  EXPECT_EQ(Stored(kScratchRoot, Scratch(lukasz), "bytes"),
            (StoredValue{platform::kRegBinary, {0xC5, 0xFF}}));

  platform::KeyHandle key = 0;
  ASSERT_EQ(
      platform_->OpenKey(kScratchRoot, Scratch(lukasz), platform::kKeyAllSpecificRights, &key), 0);
  // As the registry keeps it: UTF-16LE, NUL included.
  std::string name;
  std::uint32_t type = 0;
  Bytes data;
  for (std::uint32_t i = 0; name != lukasz; ++i) {
    ASSERT_EQ(platform_->EnumValueWide(key, i, &name, &type, &data), 0);
  }
  EXPECT_EQ(data, (Bytes{0x41, 0x01, 'u', 0, 'k', 0, 'a', 0, 's', 0, 'z', 0, 0, 0}));
  // What is not UTF-8 could only reach another name or other text: refused.
  const std::uint8_t latin1[] = {'D', 0xE9, 0};
  EXPECT_EQ(platform_->SetValue(key, "latin1", kRegSz, latin1, 3),
            platform::kErrorNoUnicodeTranslation);
  EXPECT_EQ(platform_->SetValue(key, "D\xE9", platform::kRegBinary, latin1, 3),
            platform::kErrorNoUnicodeTranslation);
  std::uint32_t size = 0;
  EXPECT_EQ(platform_->QueryValue(key, "latin1", &type, nullptr, &size),
            platform::kErrorFileNotFound);
  platform_->CloseKey(key);
  EXPECT_EQ(platform_->OpenKey(kScratchRoot, Scratch("D\xE9"), platform::kKeyRead, &key),
            platform::kErrorNoUnicodeTranslation);
}

// On 64-bit Windows the 32-bit view of HKEY_LOCAL_MACHINE\SOFTWARE\X is
// SOFTWARE\WOW6432Node\X of the 64-bit view, which every call reaches unless
// asked otherwise.
TEST_F(PlatformRegistry, The32BitViewIsWow6432NodeOf64BitWindows) {
  if (!platform_->SixtyFourBitWindows()) GTEST_SKIP() << "one registry view";
  const std::string path = "SOFTWARE\\FerrolisViewTests\\Entry";
  const std::string seen_from_64 = "SOFTWARE\\WOW6432Node\\FerrolisViewTests\\Entry";
  constexpr auto kRoot = platform::kHkeyLocalMachine;
  const auto cleanup = [&] {
    for (const std::uint32_t view : {0u, platform::kKeyWow64_32Key}) {
      platform_->DeleteKey(kRoot, path, view);
      platform_->DeleteKey(kRoot, "SOFTWARE\\FerrolisViewTests", view);
    }
  };
  cleanup();

  platform::KeyHandle key = 0;
  ASSERT_EQ(platform_->CreateKey(kRoot, path,
                                 platform::kKeyAllSpecificRights | platform::kKeyWow64_32Key, &key),
            0);
  platform_->CloseKey(key);
  EXPECT_TRUE(KeyExists(kRoot, seen_from_64));
  EXPECT_FALSE(KeyExists(kRoot, path));
  ASSERT_EQ(platform_->OpenKey(kRoot, path, platform::kKeyRead | platform::kKeyWow64_32Key, &key),
            0);
  platform_->CloseKey(key);
  // The 64-bit flag asks for what every call gets anyway.
  EXPECT_EQ(platform_->OpenKey(kRoot, path, platform::kKeyRead | platform::kKeyWow64_64Key, &key),
            platform::kErrorFileNotFound);

  EXPECT_EQ(platform_->DeleteKey(kRoot, path, 0), platform::kErrorFileNotFound);
  EXPECT_EQ(platform_->DeleteKey(kRoot, path, platform::kKeyWow64_32Key), 0);
  EXPECT_FALSE(KeyExists(kRoot, seen_from_64));
  cleanup();
}

}  // namespace
}  // namespace ferrolis::testing
