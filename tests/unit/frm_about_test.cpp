#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "about/frm_about.h"
#include "mainwindow/idd_main.h"
#include "support/fake_shell.h"
#include "support/fake_system.h"
#include "support/headless_renderer.h"
#include "support/memory_files.h"
#include "support/memory_registry.h"

namespace ferrolis::about {
namespace {

using Bytes = std::vector<std::uint8_t>;
Bytes Data(const std::string& text) { return Bytes(text.begin(), text.end()); }

struct AboutWindow {
  testing::FakeSystem system;
  ui::Runtime runtime{system};
  testing::HeadlessRenderer screen{runtime};
  testing::MemoryRegistry registry;
  testing::MemoryFiles files;
  testing::FakeShell shell;
  platform::Cp1252Codec ansi;
  ui::Services services{runtime, system, registry, files, shell, ansi};
  frmAbout window{services};
};

TEST(FrmAbout, EachOpeningShowsTheSameContents) {
  AboutWindow about;
  std::vector<std::string> seen;
  for (int opening = 0; opening < 2; ++opening) {
    about.window.Show(true);
    seen.push_back(about.window.caption() + "|" + about.window.lblTitle.caption() + "|" +
                   about.window.lblVersion.caption());
    about.screen.Click(about.window.cmdOK);
    EXPECT_FALSE(about.window.loaded());
  }
  EXPECT_EQ(seen, std::vector<std::string>(2, "A propos Ferrolis|Ferrolis|Version 1.1.0"));
  EXPECT_TRUE(about.window.cmdOK.is_default() && about.window.cmdOK.is_cancel());
}

TEST(FrmAbout, DetailsLinesAreJoinedByACarriageReturnAlone) {
  AboutWindow about;
  about.window.Show(true);
  about.screen.Click(about.window.Command1);
  ASSERT_EQ(about.screen.boxes().size(), 1u);
  EXPECT_EQ(about.screen.boxes()[0].prompt,
            std::string("Ferrolis v1.1.0 - Protection sous Windows 2000 Pro - XP et NT\r\r") +
                kAuthorNotice + "\rE-Mail : " + kMakerEmailAddress + "\rURL : " + kMakerWebAddress +
                "\r");
  EXPECT_EQ(about.screen.boxes()[0].title, "A propos");
  EXPECT_EQ(about.screen.boxes()[0].style, 64);
}

TEST(FrmAbout, LinksOpenThroughTheShellUnderAHandPointerAndFailSilently) {
  struct Link {
    const char* control;
    std::string file, parameters, directory;
  };
  const std::string folder = "C:\\Program Files\\Ferrolis";
  const Link links[] = {
      {"Label3", "http://ferrolis.example.org", "", folder},
      {"Image2", "http://ferrolis.example.org/Don/Don.htm", "", folder},
      {"lblDisclaimer", "mailto:auteur@ferrolis.example.org", "0", "0"},
  };
  for (const Link& link : links) {
    for (std::intptr_t result : {42, 0, 31}) {
      AboutWindow about;
      about.shell.execute_result = result;
      about.window.Show(true);
      ui::Control& control = *about.window.Find(link.control);
      about.screen.Click(control);
      ASSERT_EQ(about.shell.executes.size(), 1u) << control.name();
      const auto& call = about.shell.executes[0];
      EXPECT_EQ(call.owner, about.window.hwnd());
      EXPECT_EQ(call.operation + "|" + call.file + "|" + call.parameters + "|" + call.directory,
                "Open|" + link.file + "|" + link.parameters + "|" + link.directory);
      EXPECT_EQ(call.show, 1);
      EXPECT_EQ(control.pointer(), ui::MousePointer::Hand) << control.name();
      EXPECT_TRUE(about.screen.boxes().empty() && !about.runtime.ended()) << control.name();
    }
  }
}

// A shell that fails by throwing, as a conversion of the link could.
class ThrowingShell final : public platform::Shell {
 public:
  void ShellAbout(platform::NativeHandle, const std::string&, const std::string&,
                  platform::NativeHandle) override {}
  std::intptr_t ShellExecute(platform::NativeHandle, const std::string&, const std::string&,
                             const std::string&, const std::string&, int) override {
    throw std::runtime_error("no mail program");
  }
  bool StartProgram(const std::string&, int) override { return false; }
};

TEST(FrmAbout, EveryErrorOfTheMailLinkIsIgnored) {
  AboutWindow about;
  ThrowingShell shell;
  ui::Services services{about.runtime, about.system, about.registry,
                        about.files,   shell,        about.ansi};
  frmAbout window{services};
  window.Show(true);
  about.screen.Click(window.lblDisclaimer);
  EXPECT_TRUE(about.screen.boxes().empty());
  EXPECT_FALSE(about.runtime.ended());
}

constexpr platform::RootKey kHklm = platform::kHkeyLocalMachine;

TEST(FrmAbout, SystemInformationToolIsFoundOrReportedMissing) {
  const std::string tool = "C:\\Program Files\\Outils\\msinfo32.exe";
  const std::string in_folder = "C:\\Outils\\MSINFO32.EXE";
  struct Case {
    const char* what;
    std::optional<Bytes> path;    // data of "PATH"
    std::optional<Bytes> folder;  // data of "MSINFO"
    bool tool_in_folder, administrator, start_ok;
    std::vector<std::string> starts;  // the message follows when none succeeds
    bool second_location_read;
  };
  const Case cases[] = {
      {"PATH ends in its NUL", Data(tool + '\0'), {}, false, true, true, {tool}, false},
      {"PATH without a NUL", Data(tool), Data("C:\\x"), false, true, true, {tool}, false},
      {"a reader without write rights", Data(tool), {}, false, false, true, {tool}, false},
      {"PATH names a missing file",
       Data(tool),
       Data("C:\\Outils"),
       true,
       true,
       false,
       {tool},
       false},
      {"no PATH, the folder lacks the tool",
       {},
       Data(std::string("C:\\Outils") + '\0'),
       false,
       true,
       true,
       {},
       true},
      {"no PATH, the folder holds it",
       {},
       Data("C:\\Outils"),
       true,
       false,
       true,
       {in_folder},
       true},
      {"PATH over 1024 bytes",
       Data(std::string(1025, 'x')),
       Data("C:\\Outils"),
       true,
       true,
       true,
       {in_folder},
       true},
      {"MSINFO on an unreadable drive", {}, Data("A:\\Outils"), false, true, true, {}, true},
      {"neither value", {}, {}, true, true, true, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AboutWindow about;
    if (c.path) about.registry.SeedValue(kHklm, kSysInfoPathKey, "PATH", platform::kRegSz, *c.path);
    if (c.folder) {
      about.registry.SeedValue(kHklm, kSysInfoFolderKey, "MSINFO", platform::kRegSz, *c.folder);
    }
    if (c.tool_in_folder) about.files.Put("c:\\outils\\msinfo32.exe", "MZ");
    about.files.unreadable_drives = {'A'};
    about.registry.SetAdministrator(c.administrator);
    about.shell.start_succeeds = c.start_ok;
    about.window.Show(true);
    about.screen.Click(about.window.cmdSysInfo);

    std::vector<std::string> starts;
    for (const auto& start : about.shell.starts) {
      starts.push_back(start.path);
      EXPECT_EQ(start.show, 1);
    }
    EXPECT_EQ(starts, c.starts);
    if (starts.empty() || !c.start_ok) {
      ASSERT_EQ(about.screen.boxes().size(), 1u);
      const testing::ShownBox& box = about.screen.boxes()[0];
      EXPECT_EQ(box.prompt + "|" + box.title + "|" + std::to_string(box.style),
                "Information Systeme introuvable !|Ferrolis|0");
    } else {
      EXPECT_TRUE(about.screen.boxes().empty());
    }
    bool second = false;
    for (const auto& call : about.registry.calls()) {
      if (call.op == "OpenKey") {
        EXPECT_EQ(call.access, 0x20019u) << call.path;
      }
      second = second || call.path == kSysInfoFolderKey;
    }
    EXPECT_EQ(second, c.second_location_read);
    EXPECT_EQ(about.registry.OpenHandleCount(), 0u);
  }
}

TEST(FrmAbout, MainWindowMenuOpensBothAboutBoxes) {
  AboutWindow about;
  access::Module1 module1(about.files, about.ansi, about.runtime);
  mainwindow::IDD_Main main(about.services, module1);
  about.screen.Click(main.IDM_About);
  ASSERT_EQ(about.shell.abouts.size(), 1u);
  EXPECT_EQ(about.shell.abouts[0].owner, main.hwnd());
  about.screen.Click(main.Mnu_Auteur);
  EXPECT_EQ(about.screen.shown(), std::vector<std::string>{"frmAbout (modal)"});
}

}  // namespace
}  // namespace ferrolis::about
