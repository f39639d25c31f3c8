// The shell restriction catalogue over the registry layer, on the double
// natively and on the real policy keys of the Wine test prefix. The fixture
// removes every catalogue value from both scopes before and after each test,
// and the policy keys themselves when it did not find them there.
#include <limits>
#include <map>
#include <string>

#include "contract/registry_fixture.h"
#include "restrictions/disable_system_functions.h"

namespace ferrolis::testing {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::kRegBinary;
using platform::kRegDword;
using platform::kRegMultiSz;
using platform::kRegSz;
using restrictions::IDBAS_DisableSystemFunctions;
using restrictions::kShellRestrictions;

const std::string kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
const std::string kExplorer = kPolicies + "\\Explorer";
constexpr platform::RootKey kScopes[] = {kHkeyCurrentUser, kHkeyLocalMachine};

class ShellRestrictions : public RegistryFixture {
 protected:
  void SetUp() override {
    for (const platform::RootKey root : kScopes) {
      had_policies_[root] = KeyExists(root, kPolicies);
      had_explorer_[root] = KeyExists(root, kExplorer);
      ClearCatalogueValues(root);
    }
  }
  void TearDown() override {
    for (const platform::RootKey root : kScopes) {
      ClearCatalogueValues(root);
      // Refused while something else lives below them, as it should be.
      if (!had_explorer_[root]) platform_->DeleteKey(root, kExplorer, 0);
      if (!had_policies_[root]) platform_->DeleteKey(root, kPolicies, 0);
    }
  }

  void ClearCatalogueValues(platform::RootKey root) {
    platform::KeyHandle key = 0;
    if (platform_->OpenKey(root, kExplorer, platform::kKeyAllSpecificRights, &key) != 0) return;
    for (const auto& row : kShellRestrictions) {
      for (const std::string_view name : row.ValueNames()) {
        platform_->DeleteValue(key, std::string(name));
      }
    }
    platform_->CloseKey(key);
  }

  std::optional<StoredValue> Policy(platform::RootKey root, std::string_view name) {
    return Stored(root, kExplorer, std::string(name));
  }

  IDBAS_DisableSystemFunctions Module(platform::RootKey root) {
    IDBAS_DisableSystemFunctions module(layer_);
    module.PolicyRoot = root;
    return module;
  }

  std::map<platform::RootKey, bool> had_policies_;
  std::map<platform::RootKey, bool> had_explorer_;
};

const StoredValue kDwordOne{kRegDword, {1, 0, 0, 0}};

TEST_F(ShellRestrictions, EveryRowSwitchesOnAndOffInItsOwnScopeOnly) {
  for (const platform::RootKey scope : kScopes) {
    const platform::RootKey other =
        scope == kHkeyCurrentUser ? kHkeyLocalMachine : kHkeyCurrentUser;
    IDBAS_DisableSystemFunctions module = Module(scope);
    IDBAS_DisableSystemFunctions other_module = Module(other);

    for (const auto& row : kShellRestrictions) {
      SCOPED_TRACE(::testing::Message() << "scope " << std::hex << scope << " row " << row.Index);
      EXPECT_FALSE(module.GetShellRestriction(row.Index));

      module.SetShellRestriction(row.Index, true);
      EXPECT_TRUE(module.GetShellRestriction(row.Index));
      EXPECT_FALSE(other_module.GetShellRestriction(row.Index));
      for (const std::string_view name : row.ValueNames()) {
        EXPECT_EQ(Policy(scope, name), kDwordOne) << name;
        EXPECT_EQ(Policy(other, name), std::nullopt) << name;
      }
      // Switching on twice changes nothing.
      module.SetShellRestriction(row.Index, true);
      EXPECT_TRUE(module.GetShellRestriction(row.Index));

      module.SetShellRestriction(row.Index, false);
      EXPECT_FALSE(module.GetShellRestriction(row.Index));
      for (const std::string_view name : row.ValueNames()) {
        EXPECT_EQ(Policy(scope, name), std::nullopt) << name;
      }
      // Switching off what is already off is no error; the key stays.
      module.SetShellRestriction(row.Index, false);
      EXPECT_FALSE(module.GetShellRestriction(row.Index));
      EXPECT_TRUE(KeyExists(scope, kExplorer));
    }
  }
}

TEST_F(ShellRestrictions, RowsAreIndependentAndTheScopeIsReadWhenCalled) {
  IDBAS_DisableSystemFunctions module = Module(kHkeyLocalMachine);
  module.SetShellRestriction(4, true);
  module.SetShellRestriction(10, true);

  module.PolicyRoot = kHkeyCurrentUser;
  EXPECT_FALSE(module.GetShellRestriction(4));
  module.SetShellRestriction(3, true);

  module.PolicyRoot = kHkeyLocalMachine;
  for (const auto& row : kShellRestrictions) {
    EXPECT_EQ(module.GetShellRestriction(row.Index), row.Index == 4 || row.Index == 10)
        << row.Index;
  }
  EXPECT_FALSE(module.GetShellRestriction(3));
  EXPECT_EQ(Policy(kHkeyCurrentUser, "NoFind"), kDwordOne);
}

TEST_F(ShellRestrictions, TheSettingsRowReadsNoSetFoldersAlone) {
  IDBAS_DisableSystemFunctions module = Module(kHkeyCurrentUser);
  Seed(kHkeyCurrentUser, kExplorer, "NoFolderOptions", kRegDword, {1, 0, 0, 0});
  Seed(kHkeyCurrentUser, kExplorer, "NoSetTaskbar", kRegDword, {1, 0, 0, 0});
  EXPECT_FALSE(module.GetShellRestriction(2));

  Seed(kHkeyCurrentUser, kExplorer, "NoSetFolders", kRegDword, {1, 0, 0, 0});
  EXPECT_TRUE(module.GetShellRestriction(2));

  // Off deletes all four, present or not.
  module.SetShellRestriction(2, false);
  for (const char* name :
       {"NoSetFolders", "NoSetActiveDesktop", "NoSetTaskbar", "NoFolderOptions"}) {
    EXPECT_EQ(Policy(kHkeyCurrentUser, name), std::nullopt) << name;
  }
}

TEST_F(ShellRestrictions, ValuesWrittenByOthersReadAsTheirNumber) {
  IDBAS_DisableSystemFunctions module = Module(kHkeyCurrentUser);
  struct Case {
    std::uint32_t type;
    Bytes bytes;
    bool on;
  };
  const Case cases[] = {
      {kRegDword, {0, 0, 0, 0}, false},
      {kRegDword, {2, 0, 0, 0}, true},
      {kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, true},
      {platform::kRegDwordBigEndian, {0, 0, 0, 1}, true},
      {kRegSz, {'1', 0}, true},
      {kRegSz, {'2', 0}, true},
      {kRegSz, {'0', 0}, false},
      {kRegSz, {'-', '1', 0}, true},
      {kRegSz, {'0', '0', 0}, false},
      {kRegSz, {' ', '1', ' ', 0}, true},
      {kRegSz, {'0', '.', '5', 0}, true},
      {kRegSz, {'0', '.', '0', 0}, false},
      {kRegSz, {'1', 'E', '2', 0}, true},
      {kRegSz, {'1', 'E', 0}, false},
      {kRegSz, {'1', 'x', 0}, false},
      {kRegSz, {'1', ' ', '2', 0}, false},
      {kRegSz, {'.', 0}, false},
      {kRegSz, {'a', 'b', 'c', 0}, false},
      {kRegSz, {' ', 0}, false},
      {kRegSz, {0}, false},
      {kRegBinary, {1, 0, 0, 0}, false},
      {kRegBinary, {1}, true},  // reads as the text "01"
      {kRegMultiSz, {'1', 0, 0}, false},
  };
  for (const Case& c : cases) {
    Seed(kHkeyCurrentUser, kExplorer, "NoRun", c.type, c.bytes);
    EXPECT_EQ(module.GetShellRestriction(4), c.on)
        << "type " << c.type << " first byte " << int{c.bytes.empty() ? 0 : c.bytes[0]};
    // Reading never rewrites what it found.
    EXPECT_EQ(Policy(kHkeyCurrentUser, "NoRun"), (StoredValue{c.type, c.bytes}));
  }
}

TEST_F(ShellRestrictions, ReadingAnAbsentKeyCreatesNothingAndOffLeavesAnEmptyKey) {
  if (had_explorer_[kHkeyCurrentUser]) GTEST_SKIP() << "the policy key was there before";
  IDBAS_DisableSystemFunctions module = Module(kHkeyCurrentUser);

  for (const auto& row : kShellRestrictions) EXPECT_FALSE(module.GetShellRestriction(row.Index));
  EXPECT_FALSE(KeyExists(kHkeyCurrentUser, kExplorer));

  module.SetShellRestriction(4, false);
  EXPECT_TRUE(KeyExists(kHkeyCurrentUser, kExplorer));
  EXPECT_EQ(Policy(kHkeyCurrentUser, "NoRun"), std::nullopt);
  EXPECT_EQ(Subkeys(kHkeyCurrentUser, kExplorer), std::vector<std::string>{});
}

TEST_F(ShellRestrictions, IndexesOutsideTheCatalogueDoNothing) {
  IDBAS_DisableSystemFunctions module = Module(kHkeyCurrentUser);
  const auto expect_every_value = [this](const std::optional<StoredValue>& expected) {
    for (const auto& row : kShellRestrictions) {
      for (const std::string_view name : row.ValueNames()) {
        EXPECT_EQ(Policy(kHkeyCurrentUser, name), expected) << name;
      }
    }
  };
  const int rows = static_cast<int>(kShellRestrictions.size());
  const int outside[] = {
      rows, rows + 1, -1, -rows, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
  for (const int index : outside) EXPECT_TRUE(module.SetShellRestriction(index, true)) << index;
  expect_every_value(std::nullopt);
  if (!had_explorer_[kHkeyCurrentUser]) {
    EXPECT_FALSE(KeyExists(kHkeyCurrentUser, kExplorer));
  }

  // With every row on, an index outside still reads as off and switching it
  // off deletes nothing.
  for (const auto& row : kShellRestrictions) module.SetShellRestriction(row.Index, true);
  for (const int index : outside) {
    EXPECT_FALSE(module.GetShellRestriction(index)) << index;
    EXPECT_TRUE(module.SetShellRestriction(index, false)) << index;
  }
  expect_every_value(kDwordOne);
}

}  // namespace
}  // namespace ferrolis::testing
