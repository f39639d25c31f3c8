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
  EXPECT_EQ(platform_->DeleteKey(kScratchRoot, Scratch("Parent")), platform::kErrorAccessDenied);
  EXPECT_EQ(platform_->DeleteKey(kScratchRoot, Scratch("Missing")), platform::kErrorFileNotFound);

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

}  // namespace
}  // namespace ferrolis::testing
