#include <gtest/gtest.h>

#include <optional>

#include "about/about_texts.h"
#include "about/frm_about.h"
#include "support/world.h"

namespace ferrolis::about {
namespace {

using Bytes = std::vector<std::uint8_t>;
Bytes Data(const std::string& text) { return Bytes(text.begin(), text.end()); }

struct AboutWindow : testing::World {
  frmAbout window{services};
};

TEST(FrmAbout, EachOpeningShowsTheSameContents) {
  AboutWindow about;
  std::vector<std::string> seen;
  for (int opening = 0; opening < 2; ++opening) {
    about.window.Show(true);
    seen.push_back(about.window.caption() + "|" + about.window.lblTitle.caption() + "|" +
                   about.window.lblVersion.caption());
    // Enter the first time; Escape from the details button the second.
    if (opening == 1) about.window.Command1.SetFocus();
    opening == 0 ? about.screen.PressEnter(about.window) : about.screen.PressEscape(about.window);
    EXPECT_FALSE(about.window.loaded());
  }
  EXPECT_EQ(seen, std::vector<std::string>(2, "A propos Ferrolis|Ferrolis|Version 1.1.0"));
  EXPECT_TRUE(about.screen.boxes().empty() && about.window.cmdOK.is_default());
}

TEST(FrmAbout, DetailsLinesAreJoinedByACarriageReturnAlone) {
  AboutWindow about;
  about.window.Show(true);
  about.screen.Click(about.window.Command1);
  ASSERT_EQ(about.screen.boxes().size(), 1u);
  const testing::ShownBox& box = about.screen.boxes()[0];
  EXPECT_EQ(box.title + "|" + std::to_string(box.style) + "|" + box.prompt,
            "A propos|64|Ferrolis v1.1.0 - Protection sous Windows 2000 Pro - XP et NT\r\r" +
                std::string(texts::kAuthorNotice) +
                "\rE-Mail : auteur@ferrolis.example.org\r"
                "URL : http://ferrolis.example.org\r");
}

TEST(FrmAbout, LinksOpenThroughTheShellUnderAHandPointerAndFailSilently) {
  const std::string web = "http://ferrolis.example.org", folder = "C:\\Program Files\\Ferrolis";
  const std::pair<const char*, std::string> links[] = {
      {"Label3", web + "||" + folder},
      {"Image2", web + "/Don/Don.htm||" + folder},
      {"lblDisclaimer", "mailto:auteur@ferrolis.example.org|0|0"},
  };
  for (const auto& [name, arguments] : links) {
    for (std::intptr_t result : {42, 0, 31}) {
      AboutWindow about;
      about.shell.execute_result = result;
      about.window.Show(true);
      ui::Control& control = *about.window.Find(name);
      about.screen.Click(control);
      ASSERT_EQ(about.shell.executes.size(), 1u) << name;
      const auto& call = about.shell.executes[0];
      EXPECT_EQ(call.operation + "|" + call.file + "|" + call.parameters + "|" + call.directory +
                    "|" + std::to_string(call.show),
                "Open|" + arguments + "|1");
      EXPECT_EQ(call.owner, about.window.hwnd());
      EXPECT_EQ(control.pointer(), ui::MousePointer::Hand) << name;
      EXPECT_TRUE(about.screen.boxes().empty() && !about.runtime.ended()) << name;
    }
  }
}

constexpr platform::RootKey kHklm = platform::kHkeyLocalMachine;
constexpr std::uint32_t kSz = platform::kRegSz;
bool Has(const std::string& flags, char flag) { return flags.find(flag) != std::string::npos; }

TEST(FrmAbout, SystemInformationToolIsFoundOrReportedMissing) {
  const std::string tool = "C:\\Program Files\\Outils\\msinfo32.exe", dir = "C:\\Outils";
  const std::string in_dir = dir + "\\MSINFO32.EXE";
  const std::string nul(1, '\0');
  struct Case {
    const char* what;
    std::optional<std::string> path, folder;  // data of "PATH" and "MSINFO"
    // F: MSINFO32.EXE is in the folder; U: a user without write rights; X: starts fail.
    std::string world;
    std::vector<std::string> starts;  // the message follows unless one succeeds
    bool second_location_read;
  };
  const Case cases[] = {
      {"PATH ends in its NUL", tool + nul, {}, "", {tool}, false},
      {"PATH without a NUL", tool, "C:\\x", "", {tool}, false},
      {"a reader without write rights", tool, {}, "U", {tool}, false},
      {"PATH names a missing file", tool, dir, "FX", {tool}, false},
      {"no PATH, the folder lacks the tool", {}, dir + nul, "", {}, true},
      {"no PATH, the folder holds it", {}, dir, "FU", {in_dir}, true},
      {"PATH over 1024 bytes", std::string(1025, 'x'), dir, "F", {in_dir}, true},
      {"MSINFO on an unreadable drive", {}, "A:\\Outils", "", {}, true},
      {"neither value", {}, {}, "F", {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AboutWindow about;
    if (c.path) about.registry.SeedValue(kHklm, kSysInfoPathKey, "PATH", kSz, Data(*c.path));
    if (c.folder)
      about.registry.SeedValue(kHklm, kSysInfoFolderKey, "MSINFO", kSz, Data(*c.folder));
    if (Has(c.world, 'F')) about.files.Put("c:\\outils\\msinfo32.exe", "MZ");
    about.files.unreadable_drives = {'A'};
    about.registry.SetAdministrator(!Has(c.world, 'U'));
    about.shell.start_succeeds = !Has(c.world, 'X');
    about.window.Show(true);
    about.screen.Click(about.window.cmdSysInfo);

    std::vector<std::string> starts;
    for (const auto& start : about.shell.starts)
      starts.push_back(start.path + (start.show == 1 ? "" : " hidden"));
    EXPECT_EQ(starts, c.starts);
    const bool message = starts.empty() || Has(c.world, 'X');
    ASSERT_EQ(about.screen.boxes().size(), message ? 1u : 0u);
    if (message) {
      const testing::ShownBox& box = about.screen.boxes()[0];
      EXPECT_EQ(box.prompt + "|" + box.title + "|" + std::to_string(box.style),
                "Information Systeme introuvable !|Ferrolis|0");
    }
    bool second = false;
    for (const auto& call : about.registry.calls()) {
      EXPECT_TRUE(call.op != "OpenKey" || call.access == 0x20019u) << call.path;
      second = second || call.path == kSysInfoFolderKey;
    }
    EXPECT_EQ(second, c.second_location_read);
    EXPECT_EQ(about.registry.OpenHandleCount(), 0u);
  }
}

}  // namespace
}  // namespace ferrolis::about
