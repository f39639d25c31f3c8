// The layer against the double where the double can show more than the real
// registry: rights of a user without administrator rights, the calls made,
// and trees deeper than the ANSI functions can address.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "registry/idbas_registry.h"
#include "support/memory_registry.h"

namespace ferrolis::registry {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using platform::kRegDword;
using platform::kRegSz;
using testing::MemoryRegistry;
using testing::RawValue;
using testing::RegistryCall;

constexpr const char* kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

class RegistryLayer : public ::testing::Test {
 protected:
  RegistryLayer() : layer_(registry_) {}

  std::vector<std::string> Ops() const {
    std::vector<std::string> ops;
    for (const RegistryCall& call : registry_.calls()) ops.push_back(call.op);
    return ops;
  }
  std::vector<std::string> DeletedKeyCalls() const {
    std::vector<std::string> calls;
    for (const RegistryCall& call : registry_.calls()) {
      if (call.op == "DeleteKey") calls.push_back(call.path + " " + std::to_string(call.result));
    }
    return calls;
  }

  MemoryRegistry registry_;
  IDBAS_Registry layer_;
};

TEST_F(RegistryLayer, AUserWithoutRightsReadsButCannotWriteTheMachine) {
  registry_.SeedValue(kHkeyLocalMachine, kWinlogon, "Shell", kRegSz, {'x', 0});
  registry_.SetAdministrator(false);

  // The rights probe: asking for full access fails and gives the default.
  EXPECT_EQ(layer_.GetRegistryValue("", "", "Shell", "none", kHkeyLocalMachine, kWinlogon, true),
            RegistryValue("none"));
  EXPECT_EQ(layer_.GetRegistryValue("", "", "Shell", "none", kHkeyLocalMachine, kWinlogon, false),
            RegistryValue("x"));

  // Refused writes say so and store nothing.
  EXPECT_FALSE(layer_.SetRegistryValue("", "", "Shell", "y", kHkeyLocalMachine, kWinlogon, kRegSz));
  EXPECT_FALSE(
      layer_.SetRegistryValue("New", "", "v", "1", kHkeyLocalMachine, kWinlogon, kRegDword));
  EXPECT_FALSE(
      layer_.SetRegistryValue("New", "", "v", "x", kHkeyLocalMachine, kWinlogon, kRegDword));
  EXPECT_EQ(registry_.Value(kHkeyLocalMachine, kWinlogon, "Shell"), (RawValue{kRegSz, {'x', 0}}));
  EXPECT_FALSE(registry_.KeyExists(kHkeyLocalMachine, std::string(kWinlogon) + "\\New"));

  // Deletions are refused and say so; nothing goes.
  EXPECT_FALSE(layer_.DeleteRegistryEntry("", "", "Shell", kHkeyLocalMachine, kWinlogon));
  EXPECT_FALSE(layer_.DeleteRegistryEntry("", "", "", kHkeyLocalMachine, "SOFTWARE\\Microsoft"));
  EXPECT_TRUE(registry_.Value(kHkeyLocalMachine, kWinlogon, "Shell").has_value());

  // The current user's own keys stay writable.
  EXPECT_TRUE(
      layer_.SetRegistryValue("", "", "v", "1", kHkeyCurrentUser, "Software\\F", kRegDword));
  EXPECT_EQ(registry_.Value(kHkeyCurrentUser, "Software\\F", "v"),
            (RawValue{kRegDword, {1, 0, 0, 0}}));
  EXPECT_EQ(registry_.OpenHandleCount(), 0u);
}

TEST_F(RegistryLayer, AReadOnlyKeyRefusesItsWritesAndTheDeletionOfWhatItHolds) {
  using enum IDBAS_Registry::ValueDeletion;
  registry_.SeedValue(kHkeyCurrentUser, "P\\Explorer", "NoRun", kRegDword, {1, 0, 0, 0});
  registry_.SeedValue(kHkeyCurrentUser, "Q", "NoRun", kRegDword, {1, 0, 0, 0});
  registry_.ProtectKey(kHkeyCurrentUser, "P");
  EXPECT_EQ(layer_.DeleteRegistryValue("Explorer", "", "NoRun", kHkeyCurrentUser, "P"), Refused);
  EXPECT_EQ(layer_.DeleteRegistryValue("Explorer", "", "NoClose", kHkeyCurrentUser, "P"), Missing);
  EXPECT_EQ(layer_.DeleteRegistryValue("Missing", "", "NoRun", kHkeyCurrentUser, "P"), Missing);
  EXPECT_EQ(layer_.DeleteRegistryValue("", "", "NoRun", kHkeyCurrentUser, "Q"), Deleted);
  EXPECT_FALSE(layer_.SetRegistryValue("New", "", "v", "x", kHkeyCurrentUser, "P", kRegSz));
  EXPECT_TRUE(registry_.Value(kHkeyCurrentUser, "P\\Explorer", "NoRun").has_value());
  EXPECT_FALSE(registry_.KeyExists(kHkeyCurrentUser, "P\\New"));
  EXPECT_EQ(registry_.OpenHandleCount(), 0u);
}

TEST_F(RegistryLayer, ReadsOpenForReadingAndNeverWrite) {
  registry_.SeedValue(kHkeyCurrentUser, "Software\\F", "v", kRegDword, {1, 0, 0, 0});
  layer_.GetRegistryValue("", "", "v", "0", kHkeyCurrentUser, "Software\\F", false);
  layer_.GetRegistryValue("", "", "v", "0", kHkeyCurrentUser, "Software\\F", true);
  layer_.GetRegistryValue("Missing", "", "v", "0", kHkeyCurrentUser, "Software\\F", false);
  // Several values of one key: one opening.
  layer_.GetRegistryValues("", "", {"v", "w", "v"}, "0", kHkeyCurrentUser, "Software\\F", false);

  std::vector<std::uint32_t> access;
  for (const RegistryCall& call : registry_.calls()) {
    EXPECT_TRUE(call.op == "OpenKey" || call.op == "QueryValue" || call.op == "CloseKey")
        << call.op;
    if (call.op == "OpenKey") access.push_back(call.access);
  }
  EXPECT_EQ(access, (std::vector<std::uint32_t>{0x20019, 0x3F, 0x20019, 0x20019}));
  EXPECT_EQ(registry_.OpenHandleCount(), 0u);
}

TEST_F(RegistryLayer, EveryOperationClosesWhatItOpens) {
  registry_.SeedValue(kHkeyCurrentUser, "T\\a\\b", "v", kRegSz, {'x', 0});
  std::vector<std::string> names;
  std::vector<bool> flags;
  std::string path = "T";

  layer_.SetRegistryValue("", "", "v", "1", kHkeyCurrentUser, "W", kRegDword);
  layer_.SetRegistryValue("", "", "v", "bad", kHkeyCurrentUser, "W", kRegDword);
  layer_.EnumRegistryKeys(names, flags, "HKEY_CURRENT_USER", path, true);
  layer_.DeleteRegistryEntry("", "", "v", kHkeyCurrentUser, "W");
  layer_.DeleteRegistryEntry("", "", "", kHkeyCurrentUser, "T");

  long opened = 0;
  long closed = 0;
  for (const RegistryCall& call : registry_.calls()) {
    if ((call.op == "OpenKey" || call.op == "CreateKey") && call.result == 0) ++opened;
    if (call.op == "CloseKey") {
      ++closed;
      EXPECT_EQ(call.result, 0);
    }
    if (call.op == "CreateKey") {
      EXPECT_EQ(call.access, 0x3Fu);
    }
  }
  EXPECT_GT(opened, 5);
  EXPECT_EQ(opened, closed);
  EXPECT_EQ(registry_.OpenHandleCount(), 0u);
}

TEST_F(RegistryLayer, TreesAreDeletedDepthFirstRetryingEachKeyOnce) {
  registry_.SeedKey(kHkeyCurrentUser, "T\\a\\x");
  registry_.SeedKey(kHkeyCurrentUser, "T\\b");

  EXPECT_TRUE(layer_.DeleteRegistryEntry("", "", "", kHkeyCurrentUser, "T"));
  EXPECT_EQ(DeletedKeyCalls(),
            (std::vector<std::string>{"T 5", "T\\a 5", "T\\a\\x 0", "T\\a 0", "T\\b 0", "T 0"}));
}

TEST_F(RegistryLayer, ARefusedTreeIsTriedOncePerKeyAndReportsFalse) {
  registry_.SeedKey(kHkeyLocalMachine, "T\\a\\x");
  registry_.SeedKey(kHkeyLocalMachine, "T\\b");
  registry_.SetAdministrator(false);

  EXPECT_FALSE(layer_.DeleteRegistryEntry("", "", "", kHkeyLocalMachine, "T"));
  EXPECT_EQ(DeletedKeyCalls(), (std::vector<std::string>{"T 5", "T\\a 5", "T\\a\\x 5", "T\\a\\x 5",
                                                         "T\\a 5", "T\\b 5", "T\\b 5", "T 5"}));
  EXPECT_EQ(registry_.SubkeyNames(kHkeyLocalMachine, "T"), (std::vector<std::string>{"a", "b"}));
}

TEST_F(RegistryLayer, TreesDeeperThanTheRegistryAllowsAreDeletedWithoutRecursion) {
  constexpr int kDepth = 600;
  std::string path = "Deep";
  for (int level = 0; level < kDepth; ++level) path += "\\k" + std::to_string(level % 10);
  registry_.SeedValue(kHkeyCurrentUser, path, "leaf", kRegSz, {'x', 0});
  registry_.SeedKey(kHkeyCurrentUser, "Deep\\k0\\side");

  EXPECT_TRUE(layer_.DeleteRegistryEntry("Deep", "", "", kHkeyCurrentUser, ""));
  EXPECT_FALSE(registry_.KeyExists(kHkeyCurrentUser, "Deep"));
  // A key with subkeys is refused once, then deleted; a leaf goes at once.
  EXPECT_EQ(DeletedKeyCalls().size(), 2u * kDepth + 2);
  EXPECT_EQ(registry_.OpenHandleCount(), 0u);
}

TEST_F(RegistryLayer, AStringWithoutItsTerminatorLosesItsLastCharacter) {
  // The double hands data out exactly as stored, without adding a NUL (as
  // Windows does; Wine adds one).
  registry_.SeedValue(kHkeyCurrentUser, "S", "v", kRegSz, {'a', 'b', 'c'});
  EXPECT_EQ(layer_.GetRegistryValue("", "", "v", "d", kHkeyCurrentUser, "S", false),
            RegistryValue("ab"));
  // A character is its whole UTF-8 sequence, not its last byte.
  registry_.SeedValue(kHkeyCurrentUser, "S", "w", kRegSz, {'L', 0xC5, 0x81});
  EXPECT_EQ(layer_.GetRegistryValue("", "", "w", "d", kHkeyCurrentUser, "S", false),
            RegistryValue("L"));
}

}  // namespace
}  // namespace ferrolis::registry
