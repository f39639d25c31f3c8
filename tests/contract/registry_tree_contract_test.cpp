// Listing subkeys and deleting values and key trees through the layer, on the
// double natively and on the real registry under Wine.
#include <string>
#include <vector>

#include "contract/registry_fixture.h"

namespace ferrolis::testing {
namespace {

using platform::kRegDword;
using platform::kRegSz;
using Names = std::vector<std::string>;

class RegistryTree : public ScratchFixture {
 protected:
  Names List(std::string path, bool with_flags = false, std::vector<bool>* flags = nullptr) {
    Names names{"stale"};
    std::vector<bool> has_subkeys{true, true};
    layer_.EnumRegistryKeys(names, has_subkeys, "HKEY_CURRENT_USER", path, with_flags);
    if (flags) *flags = has_subkeys;
    if (!with_flags) {
      EXPECT_TRUE(has_subkeys.empty());
    }
    return names;
  }
  bool DeleteKey(const std::string& below) {
    return layer_.DeleteRegistryEntry(below, "", "", kScratchRoot, kScratchPath);
  }
};

TEST_F(RegistryTree, ListsBareNamesInTheRegistrysOrder) {
  for (const char* name : {"beta", "Alpha", "gamma", "10", "9", "Delta"}) {
    MakeKey(kScratchRoot, Scratch(std::string("List\\") + name));
  }
  MakeKey(kScratchRoot, Scratch("List\\Alpha\\Inner"));

  std::vector<bool> flags;
  EXPECT_EQ(List(Scratch("List"), true, &flags),
            (Names{"10", "9", "Alpha", "beta", "Delta", "gamma"}));
  EXPECT_EQ(flags, (std::vector<bool>{false, false, true, false, false, false}));
  EXPECT_EQ(List(Scratch("List")), (Names{"10", "9", "Alpha", "beta", "Delta", "gamma"}));

  // The root name is matched without regard to case.
  Names names;
  std::vector<bool> no_flags;
  std::string path = Scratch("List");
  layer_.EnumRegistryKeys(names, no_flags, "hkey_Current_User", path, false);
  EXPECT_EQ(names.size(), 6u);
}

TEST_F(RegistryTree, ListsNothingWhereThereIsNothing) {
  MakeKey(kScratchRoot, Scratch("Empty"));
  EXPECT_EQ(List(Scratch("Empty")), Names{});
  EXPECT_EQ(List(Scratch("Missing")), Names{});

  MakeKey(kScratchRoot, Scratch("Full\\a"));
  for (const char* root : {"HKEY_NOWHERE", " HKEY_CURRENT_USER", "HKCU", ""}) {
    Names names{"stale"};
    std::vector<bool> flags{true};
    std::string path = Scratch("Full");
    layer_.EnumRegistryKeys(names, flags, root, path, true);
    EXPECT_EQ(names, Names{}) << root;
    EXPECT_TRUE(flags.empty()) << root;
  }
}

TEST_F(RegistryTree, TheCallersPathIsNormalisedInPlace) {
  MakeKey(kScratchRoot, Scratch("Slash\\a"));

  std::string path = "Software/FerrolisContractTests/Slash";
  Names names;
  std::vector<bool> flags;
  layer_.EnumRegistryKeys(names, flags, "HKEY_CURRENT_USER", path, false);
  EXPECT_EQ(path, "Software\\FerrolisContractTests\\Slash");
  EXPECT_EQ(names, Names{"a"});

  // A doubled slash becomes two backslashes, which the registry reads as one.
  path = "Software//FerrolisContractTests\\\\\\Slash";
  layer_.EnumRegistryKeys(names, flags, "HKEY_CURRENT_USER", path, false);
  EXPECT_EQ(path, "Software\\\\FerrolisContractTests\\Slash");
  EXPECT_EQ(names, Names{"a"});
}

TEST_F(RegistryTree, DeletingAValueLeavesTheKey) {
  Seed(kScratchRoot, Scratch("Policies"), "NoRun", kRegDword, {1, 0, 0, 0});
  Seed(kScratchRoot, Scratch("Policies"), "Other", kRegSz, {'x', 0});

  EXPECT_TRUE(layer_.DeleteRegistryEntry("Policies", "", "norun", kScratchRoot, kScratchPath));
  EXPECT_EQ(Stored(kScratchRoot, Scratch("Policies"), "NoRun"), std::nullopt);
  EXPECT_TRUE(Stored(kScratchRoot, Scratch("Policies"), "Other").has_value());
  EXPECT_FALSE(layer_.DeleteRegistryEntry("Policies", "", "NoRun", kScratchRoot, kScratchPath));
  EXPECT_TRUE(KeyExists(kScratchRoot, Scratch("Policies")));
}

TEST_F(RegistryTree, DeletingAValueOfAMissingKeyCreatesTheKey) {
  EXPECT_FALSE(
      layer_.DeleteRegistryEntry("Policies", "Explorer", "NoRun", kScratchRoot, kScratchPath));
  EXPECT_TRUE(KeyExists(kScratchRoot, Scratch("Policies\\Explorer")));
  EXPECT_EQ(Subkeys(kScratchRoot, Scratch("Policies\\Explorer")), Names{});
}

TEST_F(RegistryTree, DeletesAWholeTreeAndNothingBeside) {
  MakeKey(kScratchRoot, Scratch("Tree\\a\\x"));
  MakeKey(kScratchRoot, Scratch("Tree\\a\\y\\z"));
  Seed(kScratchRoot, Scratch("Tree\\a\\y"), "v", kRegSz, {'v', 0});
  MakeKey(kScratchRoot, Scratch("Tree\\b"));
  MakeKey(kScratchRoot, Scratch("Treetop"));

  EXPECT_TRUE(DeleteKey("Tree"));
  EXPECT_FALSE(KeyExists(kScratchRoot, Scratch("Tree")));
  EXPECT_EQ(Subkeys(kScratchRoot, Scratch()), Names{"Treetop"});

  // A key without subkeys goes at the first attempt; a missing one is false.
  EXPECT_TRUE(DeleteKey("Treetop"));
  EXPECT_FALSE(DeleteKey("Treetop"));
  EXPECT_FALSE(DeleteKey("Missing\\Deeper"));
  EXPECT_TRUE(KeyExists(kScratchRoot, Scratch()));
}

TEST_F(RegistryTree, SubkeyNamesWithSlashesAreDeletedAsTheyAre) {
  MakeKey(kScratchRoot, Scratch("Tree\\a/b"));
  MakeKey(kScratchRoot, Scratch("Tree\\a\\b\\c"));
  MakeKey(kScratchRoot, Scratch("Tree\\x/y/z\\inner"));
  ASSERT_EQ(Subkeys(kScratchRoot, Scratch("Tree")), (Names{"a", "a/b", "x/y/z"}));

  EXPECT_TRUE(DeleteKey("Tree"));
  EXPECT_FALSE(KeyExists(kScratchRoot, Scratch("Tree")));
}

TEST_F(RegistryTree, APathWithoutAKeyNameDeletesNothing) {
  MakeKey(kScratchRoot, Scratch("Keep"));
  for (const char* base : {"", "\\", "\\\\", "/", "//"}) {
    EXPECT_FALSE(layer_.DeleteRegistryEntry("", "", "", kScratchRoot, base)) << base;
    EXPECT_FALSE(layer_.DeleteRegistryEntry(base, base, "", kScratchRoot, "")) << base;
  }
  EXPECT_TRUE(KeyExists(kScratchRoot, Scratch("Keep")));
}

TEST_F(RegistryTree, DeepTreesAreDeletedWhole) {
  // Deep enough to matter, and short enough for the ANSI path limit of the
  // real registry (259 characters).
  constexpr int kDepth = 100;
  std::string path = Scratch("Deep");
  for (int level = 0; level < kDepth; ++level) path += "\\k";
  ASSERT_LT(path.size(), 260u);
  MakeKey(kScratchRoot, path);
  Seed(kScratchRoot, path, "leaf", kRegSz, {'x', 0});
  MakeKey(kScratchRoot, Scratch("Deep\\k\\side"));

  EXPECT_TRUE(DeleteKey("Deep"));
  EXPECT_FALSE(KeyExists(kScratchRoot, Scratch("Deep")));
}

// Key names at the registry's limit of 255 characters. The path must stay
// within the real registry's ANSI path limit, so this works under a short key
// of its own at the top of the root.
class LongNames : public RegistryFixture {
 protected:
  static constexpr const char* kTop = "FL";
  void SetUp() override { RemoveTree(kScratchRoot, kTop); }
  void TearDown() override { RemoveTree(kScratchRoot, kTop); }
};

TEST_F(LongNames, NamesUpToTheLimitWorkAndLongerOnesAreRefused) {
  const std::string longest(255, 'n');
  const std::string shorter = std::string(254, 'm');
  EXPECT_TRUE(layer_.SetRegistryValue(longest, "", "v", "x", kScratchRoot, kTop, kRegSz));
  EXPECT_TRUE(layer_.SetRegistryValue(shorter, "", "v", "7", kScratchRoot, kTop, kRegDword));
  EXPECT_EQ(layer_.GetRegistryValue(longest, "", "v", "dflt", kScratchRoot, kTop, false),
            registry::RegistryValue("x"));

  Names names;
  std::vector<bool> flags;
  std::string path = kTop;
  layer_.EnumRegistryKeys(names, flags, "HKEY_CURRENT_USER", path, false);
  EXPECT_EQ(names, (Names{shorter, longest}));

  // A refused creation is reported by the write, and leaves nothing.
  EXPECT_FALSE(
      layer_.SetRegistryValue(std::string(257, 'o'), "", "v", "x", kScratchRoot, kTop, kRegSz));
  layer_.EnumRegistryKeys(names, flags, "HKEY_CURRENT_USER", path, false);
  EXPECT_EQ(names.size(), 2u);

  EXPECT_TRUE(layer_.DeleteRegistryEntry("", "", "", kScratchRoot, kTop));
  EXPECT_FALSE(KeyExists(kScratchRoot, kTop));
}

}  // namespace
}  // namespace ferrolis::testing
