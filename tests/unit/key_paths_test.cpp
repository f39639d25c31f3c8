#include <gtest/gtest.h>

#include "registry/idbas_registry.h"

namespace ferrolis::registry {
namespace {

constexpr auto Join = &IDBAS_Registry::BuildKeyPath;

TEST(BuildKeyPath, JoinsTheNonEmptyPiecesWithOneBackslash) {
  EXPECT_EQ(Join("Software\\Microsoft\\Windows\\CurrentVersion", "Policies", "Explorer"),
            "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer");
  EXPECT_EQ(Join("Software\\Microsoft\\Windows NT\\CurrentVersion", "", "Winlogon"),
            "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon");
  EXPECT_EQ(Join("", "", "Winlogon"), "Winlogon");
  EXPECT_EQ(Join("", "Uninstall", ""), "Uninstall");
  EXPECT_EQ(Join("", "", ""), "");
}

TEST(BuildKeyPath, CollapsesBackslashesBeforeTurningSlashes) {
  EXPECT_EQ(Join("a\\\\\\b", "", ""), "a\\b");
  EXPECT_EQ(Join("Base\\", "Sub", ""), "Base\\Sub");
  EXPECT_EQ(Join("Base\\", "\\Sub\\", "\\Leaf"), "Base\\Sub\\Leaf");
  EXPECT_EQ(Join("a/b", "", ""), "a\\b");
  EXPECT_EQ(Join("a//b", "", ""), "a\\\\b");
  EXPECT_EQ(Join("a/\\b", "", ""), "a\\\\b");
  EXPECT_EQ(Join("a", "/b", ""), "a\\\\b");
}

TEST(BuildKeyPath, LeavesEverythingElseAlone) {
  EXPECT_EQ(Join("\\Lead", "", ""), "\\Lead");
  EXPECT_EQ(Join("Base", "Trail\\", ""), "Base\\Trail\\");
  EXPECT_EQ(Join(" a ", " b", ""), " a \\ b");
  EXPECT_EQ(Join("Clé", "Été", ""), "Clé\\Été");
}

TEST(RootKeys, NamesAndHandlesMapBothWays) {
  const std::pair<const char*, platform::RootKey> rows[] = {{"HKEY_CURRENT_USER", 0x80000001u},
                                                            {"HKEY_LOCAL_MACHINE", 0x80000002u},
                                                            {"HKEY_USERS", 0x80000003u},
                                                            {"HKEY_CLASSES_ROOT", 0x80000000u},
                                                            {"HKEY_CURRENT_CONFIG", 0x80000005u}};
  for (const auto& [name, handle] : rows) {
    EXPECT_EQ(IDBAS_Registry::RootKeyFromName(name), handle) << name;
    EXPECT_EQ(IDBAS_Registry::RootKeyName(handle), name);
    EXPECT_EQ(IDBAS_Registry::RootKeyFromName(IDBAS_Registry::RootKeyName(handle)), handle);
  }
}

TEST(RootKeys, OnlyTheCaseOfANameIsForgiven) {
  EXPECT_EQ(IDBAS_Registry::RootKeyFromName("hkey_local_machine"), 0x80000002u);
  EXPECT_EQ(IDBAS_Registry::RootKeyFromName("Hkey_Local_Machine"), 0x80000002u);
  EXPECT_EQ(IDBAS_Registry::RootKeyFromName("hkey_users"), 0x80000003u);
  for (const char* name : {" HKEY_LOCAL_MACHINE", "HKEY_LOCAL_MACHINE ", "HKLM", "HKEY_LOCAL",
                           "HKEY_LOCAL_MACHINE\\SOFTWARE", "", "HKEY_PERFORMANCE_DATA"}) {
    EXPECT_EQ(IDBAS_Registry::RootKeyFromName(name), 0u) << '"' << name << '"';
  }
  for (const platform::RootKey handle : {0u, 0x80000004u, 0x80000006u, 0x00000001u, 0xFFFFFFFFu}) {
    EXPECT_EQ(IDBAS_Registry::RootKeyName(handle), "") << handle;
  }
}

}  // namespace
}  // namespace ferrolis::registry
