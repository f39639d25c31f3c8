// The configuration export: the Registry.pol writer against files made by hand
// from the format, what is read and written, and the "Fichier" menu's flow in
// the main window, headless on the doubles.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "export/configuration_export.h"
#include "export/policy_file.h"
#include "platform/text_codec.h"
#include "support/main_window_world.h"
#include "ui/msgbox.h"

namespace ferrolis::exporting {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

constexpr const char* kExplorer =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
// The fifteen policy values, in the catalogue's order.
const std::vector<std::string> kFifteen = {
    "NoFavoritesMenu", "NoRecentDocsMenu", "NoSetFolders",  "NoSetActiveDesktop",
    "NoSetTaskbar",    "NoFolderOptions",  "NoFind",        "NoRun",
    "NoLogoff",        "NoClose",          "NoNetHood",     "NoViewContextMenu",
    "NoDesktop",       "NoCommonGroups",   "NoInternetIcon"};

std::string Golden(const std::string& name) {
  std::ifstream in(std::string(FERROLIS_GOLDEN_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PolicyFile, WritesEachKindOfRecordByteForByte) {
  const struct {
    const char* file;
    std::vector<PolicyRecord> records;
  } cases[] = {
      {"empty.pol", {}},
      {"on.pol", {DwordRecord(kExplorer, "NoRun", 1)}},
      {"off.pol", {DeletionRecord(kExplorer, "NoClose")}},
      {"text.pol", {TextRecord(kWinlogon, "Shell", "C:\\Bornes\\borneé.exe")}},
  };
  for (const auto& c : cases) EXPECT_EQ(PolicyFileBytes(c.records), Golden(c.file)) << c.file;
}

struct Export : testing::MainWindowWorld {
  Export() {
    registry.SetAdministrator(true);
    registry.SeedKey(kHkeyLocalMachine, kWinlogon);
    shell.picked_folder = "D:\\Parc";
  }
  void Policy(platform::RootKey root, const std::string& name, std::uint8_t data = 1) {
    registry.SeedValue(root, kExplorer, name, platform::kRegDword, {data, 0, 0, 0});
  }
  void Open() {
    runtime.Dispatch([&] { window.Show(true); });
  }
  // The policy records of one scope, the values in `on` set and the others deleted.
  static std::vector<PolicyRecord> Scope(const std::set<std::string>& on) {
    std::vector<PolicyRecord> records;
    for (const std::string& name : kFifteen)
      records.push_back(on.count(name) ? DwordRecord(kExplorer, name, 1)
                                       : DeletionRecord(kExplorer, name));
    return records;
  }
  static std::string RegSection(const std::string& root, const std::set<std::string>& on) {
    std::string text = "[" + root + "\\" + kExplorer + "]\r\n";
    for (const std::string& name : kFifteen)
      text += "\"" + name + "\"=" + (on.count(name) ? "dword:00000001" : "-") + "\r\n";
    return text + "\r\n";
  }
  std::string RegText(const std::string& path) {
    const std::string bytes = files.Bytes(path);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::u16string units;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
      units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    return platform::Utf16ToUtf8(units);
  }
  std::string LastPrompt() const {
    return screen.boxes().empty() ? "" : screen.boxes().back().prompt;
  }
};

TEST(ConfigurationExport, EachValueOfBothScopesAsStoredWithTheShellAndNoLogonValue) {
  Export t;
  t.Policy(kHkeyLocalMachine, "NoRun");
  t.Policy(kHkeyLocalMachine, "NoFolderOptions");  // read value by value, not by row
  t.Policy(kHkeyCurrentUser, "NoClose", 2);
  t.Policy(kHkeyCurrentUser, "NoDesktop", 0);
  const auto sz = [](const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
  };
  t.registry.SeedValue(kHkeyLocalMachine, kWinlogon, "Shell", platform::kRegSz,
                       sz("C:\\Bornes\\borne.exe"));
  t.registry.SeedValue(kHkeyLocalMachine, kWinlogon, "DefaultPassword", platform::kRegSz,
                       sz("secret"));
  t.Open();
  t.screen.Click(t.window.Mnu_Exporter);

  std::vector<PolicyRecord> machine = Export::Scope({"NoRun", "NoFolderOptions"});
  machine.push_back(TextRecord(kWinlogon, "PowerdownAfterShutdown", "1"));
  machine.push_back(TextRecord(kWinlogon, "Shell", "C:\\Bornes\\borne.exe"));
  EXPECT_EQ(t.files.Bytes("D:\\Parc\\Machine\\Registry.pol"), PolicyFileBytes(machine));
  EXPECT_EQ(t.files.Bytes("D:\\Parc\\User\\Registry.pol"),
            PolicyFileBytes(Export::Scope({"NoClose"})));
  EXPECT_EQ(
      t.RegText("D:\\Parc\\Ferrolis.reg"),
      "Windows Registry Editor Version 5.00\r\n\r\n" +
          Export::RegSection("HKEY_LOCAL_MACHINE", {"NoRun", "NoFolderOptions"}) + "[" +
          "HKEY_LOCAL_MACHINE\\" + kWinlogon +
          "]\r\n\"PowerdownAfterShutdown\"=\"1\"\r\n\"Shell\"=\"C:\\\\Bornes\\\\borne.exe\"\r\n"
          "\r\n" +
          Export::RegSection("HKEY_CURRENT_USER", {"NoClose"}));
  EXPECT_EQ(t.shell.folder_dialogs, std::vector<std::string>{std::string(kFolderDialogTitle)});
  EXPECT_EQ(t.screen.boxes().back().style, ui::kOkOnly + ui::kInformation);
  EXPECT_NE(t.LastPrompt().find("LGPO.exe /m Machine\\Registry.pol /u User\\Registry.pol"),
            std::string::npos);
  EXPECT_NE(t.LastPrompt().find("connexion automatique n'est pas exportée"), std::string::npos);
  // Without a Shell, none is exported.
  Export bare;
  bare.Open();
  bare.screen.Click(bare.window.Mnu_Exporter);
  EXPECT_EQ(bare.RegText("D:\\Parc\\Ferrolis.reg").find("Shell"), std::string::npos);
}

TEST(ConfigurationExport, UnsavedEditsAreSavedLeftOutOrKeptAsTheUserAnswers) {
  const struct {
    int answer;
    bool passwords_differ;
    bool dialog;
    const char* exported_no_run;  // "" when nothing is written
  } cases[] = {
      {ui::kResultYes, false, true, "dword:00000001"},
      {ui::kResultNo, false, true, "-"},
      {ui::kResultCancel, false, false, ""},
      {ui::kResultYes, true, false, ""},  // the save stops: so does the export
  };
  for (const auto& c : cases) {
    Export t;
    t.Open();
    t.screen.Click(*t.window.IDCK_Disable[4]);  // NoRun, for the current user
    if (c.passwords_differ) t.runtime.UserChangedText(t.window.IDE_ReEnterPassword, "x");
    t.screen.Answer(c.answer);
    t.screen.Click(t.window.Mnu_Exporter);
    ASSERT_FALSE(t.screen.boxes().empty());
    EXPECT_EQ(t.screen.boxes().front().title, "Exporter la configuration");
    EXPECT_EQ(t.screen.boxes().front().prompt, "Enregistrer les modifications avant l'export ?");
    EXPECT_EQ(t.screen.boxes().front().style, ui::kYesNoCancel + ui::kQuestion);
    EXPECT_EQ(t.shell.folder_dialogs.size(), c.dialog ? 1u : 0u) << c.answer;
    const std::string reg = c.dialog ? t.RegText("D:\\Parc\\Ferrolis.reg") : "";
    const std::string line = "[HKEY_CURRENT_USER\\" + std::string(kExplorer) + "]";
    EXPECT_EQ(c.dialog, reg.find(line) != std::string::npos);
    if (c.dialog) {
      EXPECT_NE(reg.find("\"NoRun\"=" + std::string(c.exported_no_run), reg.find(line)),
                std::string::npos);
    }
  }
}

TEST(ConfigurationExport, ExistingFilesAreReplacedOnlyWhenTheUserSaysSo) {
  for (const int answer : {ui::kResultNo, ui::kResultYes}) {
    Export t;
    t.files.Put("D:\\Parc\\User\\Registry.pol", "ancien");
    t.files.Put("D:\\Parc\\Ferrolis.reg", "ancien");
    t.Open();
    t.screen.Answer(answer);
    t.screen.Click(t.window.Mnu_Exporter);
    const std::string question = t.screen.boxes().front().prompt;
    EXPECT_NE(question.find("• User\\Registry.pol\r• Ferrolis.reg"), std::string::npos);
    EXPECT_EQ(question.find("Machine"), std::string::npos);
    EXPECT_EQ(t.files.Has("D:\\Parc\\Machine\\Registry.pol"), answer == ui::kResultYes);
    EXPECT_EQ(t.files.Bytes("D:\\Parc\\Ferrolis.reg") == "ancien", answer == ui::kResultNo);
    EXPECT_EQ(t.screen.boxes().size(), answer == ui::kResultYes ? 2u : 1u);
  }
  // Cancelled in the folder dialog: nothing is read, asked or written.
  Export cancelled;
  cancelled.shell.picked_folder.reset();
  cancelled.Open();
  cancelled.registry.ClearCalls();
  cancelled.screen.Click(cancelled.window.Mnu_Exporter);
  EXPECT_TRUE(cancelled.screen.boxes().empty());
  EXPECT_TRUE(cancelled.registry.calls().empty());
}

TEST(ConfigurationExport, AFileThatCannotBeWrittenIsNamedAndStopsTheExport) {
  Export t;
  t.files.Put("D:\\Parc\\Ferrolis.reg", "ancien");
  t.files.CreateFolders("D:\\Parc\\User");
  t.files.read_only_folders.insert("D:\\Parc\\User\\");
  t.Open();
  t.screen.Click(t.window.Mnu_Exporter);  // the replace question gets Oui
  EXPECT_TRUE(t.files.Has("D:\\Parc\\Machine\\Registry.pol"));
  EXPECT_FALSE(t.files.Has("D:\\Parc\\User\\Registry.pol"));
  EXPECT_EQ(t.files.Bytes("D:\\Parc\\Ferrolis.reg"), "ancien");
  EXPECT_EQ(t.screen.boxes().back().style, ui::kOkOnly + ui::kCritical);
  EXPECT_EQ(t.LastPrompt().substr(0, t.LastPrompt().find(" n'a pas")),
            "Le fichier « D:\\Parc\\User\\Registry.pol »");
  EXPECT_NE(t.LastPrompt().find("Fichiers déjà écrits :\r• Machine\\Registry.pol"),
            std::string::npos);
}

TEST(ConfigurationExport, TheMenuComesFirstAndNeedsNoRightsAndEachBoxNamesWhatItWrites) {
  Export t;
  t.registry.SetAdministrator(false);
  t.Open();
  std::vector<std::string> bar;
  for (const auto& control : t.window.controls())
    if (control->kind() == ui::ControlKind::MenuItem && !control->container())
      bar.push_back(control->caption());
  EXPECT_EQ(bar, (std::vector<std::string>{"&Fichier", "A Propos"}));
  EXPECT_TRUE(t.window.Mnu_Exporter.enabled());
  EXPECT_EQ(t.window.Mnu_Exporter.caption(), "&Exporter la configuration...");
  EXPECT_EQ(t.window.IDCK_Disable[4]->tooltip(), "NoRun");
  EXPECT_EQ(t.window.IDCK_Disable[2]->tooltip(),
            "NoSetFolders, NoSetActiveDesktop, NoSetTaskbar, NoFolderOptions");
  t.screen.Click(t.window.Mnu_Exporter);
  EXPECT_TRUE(t.files.Has("D:\\Parc\\Machine\\Registry.pol"));
}

}  // namespace
}  // namespace ferrolis::exporting
