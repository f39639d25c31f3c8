// The configuration export: the Registry.pol writer against files made by hand
// from the format, and the "Fichier" menu's flow in the main window, headless.
// What the files hold is checked end to end under Wine (mainwindow_tests.sh).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "export/policy_file.h"
#include "support/main_window_world.h"
#include "ui/msgbox.h"

namespace ferrolis::exporting {
namespace {

constexpr const char* kExplorer =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

TEST(PolicyFile, WritesEachKindOfRecordByteForByte) {
  const std::pair<const char*, std::vector<PolicyRecord>> cases[] = {
      {"empty.pol", {}},
      {"on.pol", {DwordRecord(kExplorer, "NoRun", 1)}},
      {"off.pol", {DeletionRecord(kExplorer, "NoClose")}},
      {"text.pol",
       {TextRecord("Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Shell",
                   "C:\\Bornes\\borneé.exe")}}};
  for (const auto& [file, records] : cases) {
    std::ifstream in(std::string(FERROLIS_GOLDEN_DIR) + "/" + file, std::ios::binary);
    EXPECT_EQ(PolicyFileBytes(records), std::string(std::istreambuf_iterator<char>(in), {}))
        << file;
  }
}

struct Export : testing::MainWindowWorld {
  explicit Export(bool administrator = true) {
    registry.SetAdministrator(administrator);
    registry.SeedKey(platform::kHkeyLocalMachine,
                     "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon");
    shell.picked_folder = "D:\\Parc";
    files.Put("D:\\Parc\\Ferrolis.reg", "ancien");
    runtime.Dispatch([&] { window.Show(true); });
  }
  std::string Box(std::size_t i) const { return screen.boxes().at(i).prompt; }
};

// Unsaved edits are saved (Oui), left out (Non) or the export dropped
// (Annuler, or a save that stops); the existing file is replaced only once
// the user says so.
TEST(ConfigurationExport, AsksBeforeLeavingOutEditsAndBeforeReplacingFiles) {
  const std::string no_run_on = PolicyFileBytes({DwordRecord(kExplorer, "NoRun", 1)}).substr(8);
  for (const int answer : {ui::kResultYes, ui::kResultNo, ui::kResultCancel, 0}) {
    Export t;
    t.screen.Click(*t.window.IDCK_Disable[4]);  // NoRun, current user
    if (!answer) {                              // passwords that differ: the save stops
      t.screen.Click(t.window.IDCK_AutoLogin);
      t.runtime.UserChangedText(t.window.IDE_ReEnterPassword, "x");
    }
    t.screen.Answer(answer ? answer : ui::kResultYes);
    t.screen.Answer(answer);  // replace the existing file?
    t.screen.Click(t.window.Mnu_Exporter);
    EXPECT_EQ(t.Box(0), "Enregistrer les modifications avant l'export ?");
    const bool exported = answer == ui::kResultYes || answer == ui::kResultNo;
    EXPECT_EQ(exported, t.screen.boxes().size() > 1 &&
                            t.Box(1).find(":\r• Ferrolis.reg\r") != std::string::npos);
    EXPECT_EQ(t.files.Bytes("D:\\Parc\\Ferrolis.reg") == "ancien", answer != ui::kResultYes);
    EXPECT_EQ(t.files.Bytes("D:\\Parc\\User\\Registry.pol").find(no_run_on) != std::string::npos,
              answer == ui::kResultYes);
    if (answer == ui::kResultYes) {
      EXPECT_NE(t.Box(2).find("LGPO.exe /m Machine\\Registry.pol /u User\\Registry.pol"),
                std::string::npos);
      EXPECT_NE(t.Box(2).find("connexion automatique n'est pas exportée"), std::string::npos);
    }
  }
}

// Reading is enough; a file that cannot be written is named and stops the
// export; Cancel in the folder dialog does nothing.
TEST(ConfigurationExport, NeedsNoRightsAndStopsAtAFileThatCannotBeWritten) {
  Export t(false);
  EXPECT_EQ(t.window.IDCK_Disable[2]->tooltip(),
            "NoSetFolders, NoSetActiveDesktop, NoSetTaskbar, NoFolderOptions");
  t.files.CreateFolders("D:\\Parc\\User");
  t.files.read_only_folders.insert("D:\\Parc\\User\\");
  t.screen.Click(t.window.Mnu_Exporter);
  EXPECT_EQ(t.files.Bytes("D:\\Parc\\Ferrolis.reg"), "ancien");
  EXPECT_EQ(t.screen.boxes().back().style, ui::kOkOnly + ui::kCritical);
  EXPECT_EQ(t.Box(1).substr(0, t.Box(1).find(" n'a pas")),
            "Le fichier « D:\\Parc\\User\\Registry.pol »");
  EXPECT_NE(t.Box(1).find("déjà écrits :\r• Machine\\Registry.pol"), std::string::npos);
  t.shell.picked_folder.reset();
  t.screen.Click(t.window.Mnu_Exporter);
  EXPECT_EQ(t.screen.boxes().size(), 2u);
}

}  // namespace
}  // namespace ferrolis::exporting
