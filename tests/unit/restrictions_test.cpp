// The restriction module against the double, where the calls it makes can be
// seen: their order, their key, and that reading makes no change.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "restrictions/disable_system_functions.h"
#include "support/memory_registry.h"

namespace ferrolis::restrictions {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using testing::MemoryRegistry;
using testing::RegistryCall;

constexpr const char* kExplorer =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

class RestrictionCalls : public ::testing::Test {
 protected:
  RestrictionCalls() : layer_(registry_), module_(layer_) {}

  // "op name" for every call that changes or names a value.
  std::vector<std::string> ValueCalls() const {
    std::vector<std::string> calls;
    for (const RegistryCall& call : registry_.calls()) {
      if (call.op == "SetValue" || call.op == "DeleteValue" || call.op == "QueryValue") {
        EXPECT_EQ(call.path, kExplorer);
        calls.push_back(call.op + " " + call.name);
      }
    }
    return calls;
  }

  MemoryRegistry registry_;
  registry::IDBAS_Registry layer_;
  IDBAS_DisableSystemFunctions module_;
};

TEST(ShellRestrictionCatalogue, HoldsTheTwelveRowsAsTheWindowShowsThem) {
  struct Row {
    const char* caption;
    const char* first_value;
    int screen_row;
  };
  const Row expected[12] = {
      {"Désactiver Le menu < Favoris >", "NoFavoritesMenu", 2},
      {"Désactiver le menu < Documents >", "NoRecentDocsMenu", 3},
      {"Désactiver le menu < Paramètres >", "NoSetFolders", 4},
      {"Désactiver le bouton < Rechercher>", "NoFind", 5},
      {"Désactiver le bouton < Exécuter>", "NoRun", 6},
      {"Désactiver le menu < Nouvelle connexion >", "NoLogoff", 7},
      {"Désactiver le menu <Arrêter>", "NoClose", 8},
      {"Désactiver le voisinage réseau", "NoNetHood", 9},
      {"Désactiver le Clic bouton-droit sur le bureau", "NoViewContextMenu", 10},
      {"Désactiver les Icônes du bureau", "NoDesktop", 11},
      {"Désactiver les menus < Programes communs >", "NoCommonGroups", 1},
      {"Désactiver l'icône Internet Explorer", "NoInternetIcon", 12},
  };
  std::set<int> screen_rows;
  for (std::size_t i = 0; i < kShellRestrictions.size(); ++i) {
    const ShellRestriction& row = kShellRestrictions[i];
    EXPECT_EQ(row.Index, static_cast<int>(i));
    EXPECT_EQ(row.Caption, expected[i].caption) << i;
    EXPECT_EQ(row.ValueNames().front(), expected[i].first_value) << i;
    EXPECT_EQ(row.ValueNames().size(), i == 2 ? 4u : 1u) << i;
    EXPECT_EQ(row.ScreenRow, expected[i].screen_row) << i;
    screen_rows.insert(row.ScreenRow);
  }
  EXPECT_EQ(screen_rows.size(), 12u);
}

TEST_F(RestrictionCalls, TheSettingsRowWritesAndDeletesItsFourValuesInOrder) {
  module_.SetShellRestriction(2, true);
  module_.SetShellRestriction(2, false);
  EXPECT_EQ(ValueCalls(),
            (std::vector<std::string>{"SetValue NoSetFolders", "SetValue NoSetActiveDesktop",
                                      "SetValue NoSetTaskbar", "SetValue NoFolderOptions",
                                      "DeleteValue NoSetFolders", "DeleteValue NoSetActiveDesktop",
                                      "DeleteValue NoSetTaskbar", "DeleteValue NoFolderOptions"}));
}

TEST_F(RestrictionCalls, ReadingOpensForReadingAndChangesNothing) {
  registry_.SeedValue(kHkeyCurrentUser, kExplorer, "NoRun", platform::kRegDword, {1, 0, 0, 0});
  for (int index = 0; index < 12; ++index) module_.GetShellRestriction(index);

  std::vector<std::string> queried;
  for (const RegistryCall& call : registry_.calls()) {
    EXPECT_TRUE(call.op == "OpenKey" || call.op == "QueryValue" || call.op == "CloseKey")
        << call.op;
    if (call.op == "OpenKey") {
      EXPECT_EQ(call.access, platform::kKeyRead);
    }
    if (call.op == "QueryValue") queried.push_back(call.name);
  }
  // Each row asks for its first value only, in one query each, NoRun (which
  // exists) included.
  EXPECT_EQ(queried, (std::vector<std::string>{"NoFavoritesMenu", "NoRecentDocsMenu",
                                               "NoSetFolders", "NoFind", "NoRun", "NoLogoff",
                                               "NoClose", "NoNetHood", "NoViewContextMenu",
                                               "NoDesktop", "NoCommonGroups", "NoInternetIcon"}));
  EXPECT_EQ(registry_.OpenHandleCount(), 0u);
}

TEST_F(RestrictionCalls, AUserWithoutRightsStillReadsTheMachineScope) {
  registry_.SeedValue(kHkeyLocalMachine, kExplorer, "NoDesktop", platform::kRegDword, {1, 0, 0, 0});
  registry_.SetAdministrator(false);
  module_.PolicyRoot = kHkeyLocalMachine;
  EXPECT_TRUE(module_.GetShellRestriction(9));
  // Writes are refused by the registry and not reported.
  module_.SetShellRestriction(9, false);
  module_.SetShellRestriction(4, true);
  EXPECT_TRUE(module_.GetShellRestriction(9));
  EXPECT_FALSE(module_.GetShellRestriction(4));
}

TEST(ShellRestrictionCatalogue, RowsAreKeyedByIndexAndFillTheScreenColumn) {
  std::set<int> rows;
  std::set<std::string_view> names;
  std::size_t value_count = 0;
  for (std::size_t i = 0; i < kShellRestrictions.size(); ++i) {
    const ShellRestriction& row = kShellRestrictions[i];
    EXPECT_EQ(row.Index, static_cast<int>(i));
    EXPECT_EQ(row.ValueNames().size(), i == 2 ? 4u : 1u) << i;
    rows.insert(row.ScreenRow);
    for (const std::string_view name : row.ValueNames()) names.insert(name);
    value_count += row.ValueNames().size();
  }
  EXPECT_EQ(rows, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(names.size(), value_count);  // no value belongs to two rows
  EXPECT_EQ(kShellRestrictions[10].ScreenRow, 1);
  EXPECT_EQ(kShellRestrictions[11].ScreenRow, 12);
}

// The compile-time check of the orders refuses a repeat, a number past either
// end and an order one row short.
using Order = std::array<int, 12>;
static_assert(CoversEachRowOnce(Order{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, 0));
static_assert(!CoversEachRowOnce(Order{0, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0));
static_assert(!CoversEachRowOnce(Order{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 0));
static_assert(!CoversEachRowOnce(Order{-1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0));
static_assert(!CoversEachRowOnce(std::array<int, 11>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0));

}  // namespace
}  // namespace ferrolis::restrictions
