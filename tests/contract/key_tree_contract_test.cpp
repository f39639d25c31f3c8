// The raw read behind the uninstall backups, on the double and on the real
// registry: names, types and bytes as the wide calls give them.
#include "uninstall/key_tree.h"

#include "contract/registry_fixture.h"

namespace ferrolis::testing {
namespace {

using uninstall::KeyTree;
using uninstall::StoredValue;

class KeyTreeRead : public ScratchFixture {};

TEST_F(KeyTreeRead, ReadsAWholeTreeAsStored) {
  // Text written in UTF-8 through the platform reads back as the registry
  // keeps it, in UTF-16LE; other data passes as it is.
  // Written in name order, which is also the order in which Wine keeps them.
  Seed(kScratchRoot, Scratch("Entry"), "", platform::kRegSz, {'d', 0});
  Seed(kScratchRoot, Scratch("Entry"), "Big", platform::kRegQword, {1, 0, 0, 0, 0, 0, 0, 2});
  Seed(kScratchRoot, Scratch("Entry"), "Caf\xC3\xA9", platform::kRegSz, {0xC5, 0x81, 0});
  Seed(kScratchRoot, Scratch("Entry"), "Empty", platform::kRegBinary, {});
  Seed(kScratchRoot, Scratch("Entry"), "Multi", platform::kRegMultiSz, {'a', 0, 'b', 0, 0});
  Seed(kScratchRoot, Scratch("Entry"), "Number", platform::kRegDword, {1, 2, 3, 4});
  MakeKey(kScratchRoot, Scratch("Entry\\B\\Deeper"));
  Seed(kScratchRoot, Scratch("Entry\\A"), "None", platform::kRegNone, {7});

  KeyTree tree;
  ASSERT_EQ(uninstall::ReadKeyTree(*platform_, 0, kScratchRoot, Scratch("Entry"), &tree), 0);
  const KeyTree expected{Scratch("Entry"),
                         {
                             {"", platform::kRegSz, {'d', 0, 0, 0}},
                             {"Big", platform::kRegQword, {1, 0, 0, 0, 0, 0, 0, 2}},
                             {"Caf\xC3\xA9", platform::kRegSz, {0x41, 0x01, 0, 0}},  // "Ł"
                             {"Empty", platform::kRegBinary, {}},
                             {"Multi", platform::kRegMultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}},
                             {"Number", platform::kRegDword, {1, 2, 3, 4}},
                         },
                         {
                             {Scratch("Entry\\A"), {{"None", platform::kRegNone, {7}}}, {}},
                             {Scratch("Entry\\B"), {}, {{Scratch("Entry\\B\\Deeper"), {}, {}}}},
                         }};
  EXPECT_EQ(tree, expected);
  platform::KeyHandle key = 0;
  EXPECT_EQ(uninstall::ReadKeyTree(*platform_, 0, kScratchRoot, Scratch("Missing"), &tree),
            platform::kErrorFileNotFound);
  EXPECT_EQ(platform_->OpenKey(kScratchRoot, Scratch("Missing"), platform::kKeyRead, &key),
            platform::kErrorFileNotFound);
}

}  // namespace
}  // namespace ferrolis::testing
