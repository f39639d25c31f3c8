// Where the program reaches the files and keys of 64-bit Windows from either
// build.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/registry.h"

namespace ferrolis::platform {
namespace {

TEST(SysnativePath, LeadsPathsInTheSystemDirectoryToTheNativeOne) {
  const std::string system = "C:\\Windows\\system32";
  for (const auto& [path, expected] : std::vector<std::pair<std::string, std::string>>{
           {"C:\\Windows\\system32\\FRLS.PW", "C:\\Windows\\Sysnative\\FRLS.PW"},
           {"c:\\WINDOWS\\System32\\drivers\\x.sys", "c:\\WINDOWS\\Sysnative\\drivers\\x.sys"},
           {"C:\\Windows\\system32\\note*.exe", "C:\\Windows\\Sysnative\\note*.exe"},
           {"C:\\Windows\\system32", "C:\\Windows\\Sysnative"},
           {"C:\\Windows\\system32x\\a.exe", "C:\\Windows\\system32x\\a.exe"},
           {"C:\\Windows\\SysWOW64\\FRLS.PW", "C:\\Windows\\SysWOW64\\FRLS.PW"},
           {"C:\\Windows\\explorer.exe", "C:\\Windows\\explorer.exe"},
           {"explorer.exe", "explorer.exe"},
           {"D:\\Windows\\system32\\a.exe", "D:\\Windows\\system32\\a.exe"},
       }) {
    EXPECT_EQ(SysnativePath(path, system), expected) << path;
  }
  EXPECT_EQ(SysnativePath("C:\\Windows\\system32\\a", "C:\\Windows\\system32\\"),
            "C:\\Windows\\Sysnative\\a");
  EXPECT_EQ(SysnativePath("C:\\a", ""), "C:\\a");
}

TEST(EditorPath, NamesKeysOfThe32BitViewAsThe64BitViewReachesThem) {
  const std::string uninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\X";
  const std::string wow = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\X";
  EXPECT_EQ(EditorPath(true, kKeyWow64_32Key, kHkeyLocalMachine, uninstall), wow);
  EXPECT_EQ(EditorPath(true, 0, kHkeyLocalMachine, uninstall), uninstall);
  EXPECT_EQ(EditorPath(false, kKeyWow64_32Key, kHkeyLocalMachine, uninstall), uninstall);
  EXPECT_EQ(EditorPath(true, kKeyWow64_32Key, kHkeyCurrentUser, "Software\\X"), "Software\\X");
  EXPECT_EQ(EditorPath(true, kKeyWow64_32Key, kHkeyLocalMachine, "software"),
            "software\\WOW6432Node");
  EXPECT_EQ(EditorPath(true, kKeyWow64_32Key, kHkeyLocalMachine, wow), wow);
}

}  // namespace
}  // namespace ferrolis::platform
