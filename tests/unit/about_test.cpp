#include <gtest/gtest.h>

#include <algorithm>

#include "about/idbas_about.h"
#include "about/idbas_system_information.h"
#include "program/services.h"
#include "support/fake_shell.h"
#include "support/fake_system.h"
#include "support/headless_renderer.h"
#include "ui/form.h"

namespace ferrolis::about {
namespace {

class PlatformTest : public ::testing::Test {
 protected:
  testing::FakeSystem system_;
  ui::Runtime runtime_{program::HostOf(system_)};
  testing::HeadlessRenderer screen_{runtime_};
  IDBAS_SystemInformation info_{system_, runtime_};
};

TEST_F(PlatformTest, MapsThePlatformIdToItsCode) {
  EXPECT_EQ(info_.PlatformCode, 0);
  for (const auto& [id, code] : {std::pair{2u, 2}, std::pair{1u, 1}, std::pair{0u, 0}}) {
    system_.platform_id = id;
    EXPECT_EQ(info_.GetWindowsPlatform(), code);
    EXPECT_EQ(info_.PlatformCode, code);
  }
  EXPECT_TRUE(screen_.boxes().empty());
}

TEST_F(PlatformTest, AnUnknownIdLeavesTheCodeAsItWas) {
  system_.platform_id = 3;
  EXPECT_EQ(info_.GetWindowsPlatform(), 0);
  system_.platform_id = 2;
  info_.GetWindowsPlatform();
  system_.platform_id = 0xFFFFFFFFu;
  EXPECT_EQ(info_.GetWindowsPlatform(), 2);
}

TEST_F(PlatformTest, AnUnreadableVersionEndsTheProgramWithAMessage) {
  system_.version_fails = true;
  bool went_on = false;
  runtime_.Dispatch([&] {
    info_.GetWindowsPlatform();
    went_on = true;
  });
  EXPECT_FALSE(went_on);
  ASSERT_EQ(screen_.boxes().size(), 1u);
  EXPECT_EQ(screen_.boxes()[0].prompt, "Erreur de lecture des informations de Version Windows !");
  EXPECT_EQ(screen_.boxes()[0].title, "Ferrolis");
  EXPECT_EQ(screen_.boxes()[0].style, 0);
  EXPECT_TRUE(runtime_.ended());
  EXPECT_EQ(system_.exits, std::vector<int>{0});
}

TEST(AboutText, EndsWithTheWordVersionAndTheVersionNumber) {
  const std::string text = IDBAS_About::AboutText({1, 1, 0});
  EXPECT_EQ(text.substr(text.size() - std::string("version 1.1.0").size()), "version 1.1.0");
  const std::string other = IDBAS_About::AboutText({2, 10, 3});
  EXPECT_EQ(other.substr(other.size() - 14), "version 2.10.3");
  EXPECT_NE(text.find("Ferrolis"), std::string::npos);
  // The shell's box shows one line of about 48 characters; past it the version is hidden.
  EXPECT_LE(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }), 48);
}

TEST(ShellAbout, GivesTheShellTheTitleTextAndTheWindow) {
  testing::FakeSystem system;
  ui::Runtime runtime{program::HostOf(system)};
  testing::HeadlessRenderer screen{runtime};
  ui::Form main{runtime, "IDD_Main", "Ferrolis", ui::FormStyle{}};
  main.Show(true);
  testing::FakeShell shell;
  IDBAS_About about{shell, system};
  about.ShowAboutFor(main);
  ASSERT_EQ(shell.abouts.size(), 1u);
  EXPECT_EQ(shell.abouts[0].owner, main.hwnd());
  EXPECT_NE(shell.abouts[0].owner, 0u);
  EXPECT_EQ(shell.abouts[0].app, "Ferrolis");
  EXPECT_EQ(shell.abouts[0].other, IDBAS_About::AboutText({1, 1, 0}));
  EXPECT_EQ(shell.abouts[0].icon, main.icon_handle());
  EXPECT_NE(shell.abouts[0].icon, main.hwnd());
}

}  // namespace
}  // namespace ferrolis::about
