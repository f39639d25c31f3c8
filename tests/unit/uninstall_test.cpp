// The uninstall panel of the main window, headless, on the registry and file
// doubles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ascii.h"
#include "support/main_window_world.h"
#include "ui/msgbox.h"

namespace ferrolis::uninstall {
namespace {

using platform::kHkeyLocalMachine;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kBackups = "C:\\Users\\admin\\AppData\\Local\\Ferrolis\\Sauvegardes";

Bytes Text(const std::string& utf8) {
  Bytes bytes(utf8.begin(), utf8.end());
  bytes.push_back(0);
  return bytes;
}

Bytes Dword(std::uint32_t n) {
  return {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
          static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
}

// The text of a backup file (UTF-16LE after its byte order mark) in UTF-8.
std::string Utf8Of(const std::string& file) {
  std::u16string units;
  for (std::size_t i = 2; i + 1 < file.size(); i += 2) {
    units += static_cast<char16_t>(static_cast<unsigned char>(file[i]) |
                                   (static_cast<unsigned char>(file[i + 1]) << 8));
  }
  return platform::Utf16ToUtf8(units);
}

class UninstallPanel : public ::testing::Test {
 protected:
  UninstallPanel() {
    // The administrator's Winlogon key, which the window's rights probe reads.
    registry_.SeedValue(kHkeyLocalMachine,
                        "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                        "DefaultUserName", platform::kRegSz, Text("admin"));
  }

  void Entry(const std::string& subkey, const std::string& display, const std::string& command,
             const std::string& version = {}) {
    const std::string path = Path(subkey);
    registry_.SeedKey(kHkeyLocalMachine, path);
    if (!display.empty()) Value(subkey, "DisplayName", platform::kRegSz, Text(display));
    if (!command.empty()) Value(subkey, "UninstallString", platform::kRegSz, Text(command));
    if (!version.empty()) Value(subkey, "Version", platform::kRegSz, Text(version));
  }
  void Value(const std::string& subkey, const std::string& name, std::uint32_t type, Bytes data) {
    registry_.SeedValue(kHkeyLocalMachine, Path(subkey), name, type, std::move(data));
  }
  static std::string Path(const std::string& subkey) {
    return std::string(kUninstall) + "\\" + subkey;
  }
  bool Exists(const std::string& subkey) const {
    return registry_.KeyExists(kHkeyLocalMachine, Path(subkey));
  }

  // Opens the window with the uninstall controls usable, as for an
  // administrator, and the list filled.
  void Open() {
    main_.Show(true);
    main_.cmdDelete.SetEnabled(true);
    screen_.Click(main_.cmdRefresh);
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < main_.lstPrograms.ListCount(); ++i)
      lines.push_back(main_.lstPrograms.List(i));
    return lines;
  }
  void Select(const std::string& line, bool selected = true) {
    for (int i = 0; i < main_.lstPrograms.ListCount(); ++i) {
      if (main_.lstPrograms.List(i) == line) {
        SelectLine(i, selected);
        return;
      }
    }
    FAIL() << "no line " << line;
  }
  // The user ticks or unticks one line, the others staying as they are.
  void SelectLine(int index, bool selected) {
    std::vector<bool> lines;
    for (int i = 0; i < main_.lstPrograms.ListCount(); ++i)
      lines.push_back(i == index ? selected : main_.lstPrograms.Selected(i));
    runtime_.UserSelectedLines(main_.lstPrograms, lines);
  }
  std::vector<std::string> BackupFiles() const { return files_.FilesIn(kBackups); }

  testing::MainWindowWorld world_;
  ui::Runtime& runtime_ = world_.runtime;
  testing::HeadlessRenderer& screen_ = world_.screen;
  testing::MemoryFiles& files_ = world_.files;
  testing::MemoryRegistry& registry_ = world_.registry;
  mainwindow::IDD_Main& main_ = world_.window;
};

TEST_F(UninstallPanel, ListsEntriesWithANameAndACommandOrVersionInAlphabeticalOrder) {
  struct Case {
    const char* subkey;
    const char* display;
    const char* command;
    const char* version;
  };
  for (const Case& c : std::vector<Case>{
           {"A", "Zip Outil", "zip.exe /u", ""},    // name and command
           {"B", "Lecteur", "", ""},                // name only
           {"C", "", "orphan.exe /u", "1.0"},       // no name
           {"D", "   ", "blank.exe /u", ""},        // blank name
           {"E", " espaces autour ", "e.exe", ""},  // kept untrimmed
           {"F", "Éditeur", "", "2.1"},             // version only, accent
           {"G", "Explorateur", "   ", "   "},      // blank command and version
           {"H", "editeur", "h.exe", ""},           // differs only in case
           {"I", "Zip Outil", "zip2.exe", ""},      // same name twice
           {"J", "Agenda", "", ""},                 // version as a number
       }) {
    Entry(c.subkey, c.display, c.command, c.version);
  }
  Value("J", "Version", platform::kRegDword, Dword(0));
  Open();
  EXPECT_EQ(Lines(), (std::vector<std::string>{" espaces autour ", "Agenda", "editeur", "Éditeur",
                                               "Zip Outil", "Zip Outil"}));
}

TEST_F(UninstallPanel, DeletesEveryEntryCarryingASelectedNameAfterBackingItUp) {
  Entry("Keep", "Garder", "keep.exe");
  Entry("Case", "outil", "case.exe");  // differs from "Outil" only in case
  Entry("One", "Outil", "one.exe");
  Entry("Two", "Outil", "two.exe");
  Entry("Hidden", "Outil", "");  // not listed, but carries the name
  Entry("Deep", "Pilote", "deep.exe");
  Value("Deep\\Level1\\Level2", "Data", platform::kRegBinary, {1, 2, 3});
  Entry("Third", "Suite", "", "7");
  Open();
  ASSERT_EQ(Lines(),
            (std::vector<std::string>{"Garder", "Outil", "Outil", "outil", "Pilote", "Suite"}));

  Select("Suite");
  SelectLine(2, true);  // the second "Outil"
  Select("Pilote");
  screen_.Click(main_.cmdDelete);

  for (const char* gone : {"One", "Two", "Hidden", "Deep", "Third"})
    EXPECT_FALSE(Exists(gone)) << gone;
  EXPECT_TRUE(Exists("Keep"));
  EXPECT_TRUE(Exists("Case"));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Garder", "outil"}));
  EXPECT_EQ(main_.lstPrograms.SelCount(), 0);
  EXPECT_TRUE(main_.cmdDelete.enabled());
  EXPECT_TRUE(screen_.boxes().empty());

  // One backup, holding every deleted key with its values and subkeys.
  ASSERT_EQ(BackupFiles().size(), 1u);
  const std::string backup = Utf8Of(files_.Bytes(BackupFiles()[0]));
  const std::string root = std::string("[HKEY_LOCAL_MACHINE\\") + kUninstall + "\\";
  for (const char* key :
       {"Third", "One", "Two", "Hidden", "Deep", "Deep\\Level1", "Deep\\Level1\\Level2"}) {
    EXPECT_NE(backup.find(root + key + "]\r\n"), std::string::npos) << key;
  }
  EXPECT_NE(backup.find("\"UninstallString\"=\"two.exe\"\r\n"), std::string::npos);
  EXPECT_NE(backup.find("\"Data\"=hex:01,02,03\r\n"), std::string::npos);
  EXPECT_EQ(backup.find("Keep]"), std::string::npos);
  EXPECT_EQ(backup.find("Case]"), std::string::npos);
}

// 64-bit Windows lists the programs of both registry views, whichever build
// of this program runs; their deletion and backup cover both.
TEST_F(UninstallPanel, On64BitWindowsBothRegistryViewsAreListedDeletedAndBackedUp) {
  const std::string wow = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  const auto entry32 = [&](const std::string& subkey, const std::string& display) {
    registry_.SeedValue(kHkeyLocalMachine, wow + "\\" + subkey, "DisplayName", platform::kRegSz,
                        Text(display));
    registry_.SeedValue(kHkeyLocalMachine, wow + "\\" + subkey, "UninstallString", platform::kRegSz,
                        Text("u.exe"));
  };
  Entry("X", "Outil", "x.exe");
  Entry("Y", "Łukasz Éditions", "y.exe");
  entry32("X", "Outil");  // the same subkey and name in the other view
  entry32("Z", "Zèbre 32 bits");
  registry_.SeedKey(kHkeyLocalMachine, wow + "\\Z\\Sub");

  // 32-bit Windows has one view: SOFTWARE\WOW6432Node is no view of it.
  Open();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Łukasz Éditions", "Outil"}));

  registry_.SetSixtyFourBitWindows(true);
  screen_.Click(main_.cmdRefresh);
  EXPECT_EQ(Lines(),
            (std::vector<std::string>{"Łukasz Éditions", "Outil", "Outil", "Zèbre 32 bits"}));
  Select("Outil");
  Select("Zèbre 32 bits");
  screen_.Click(main_.cmdDelete);
  EXPECT_EQ(Lines(), std::vector<std::string>{"Łukasz Éditions"});
  EXPECT_FALSE(Exists("X"));
  EXPECT_FALSE(registry_.KeyExists(kHkeyLocalMachine, wow + "\\X"));
  EXPECT_FALSE(registry_.KeyExists(kHkeyLocalMachine, wow + "\\Z"));

  // One file; the keys of the 32-bit view under the name the editor gives them.
  ASSERT_EQ(BackupFiles().size(), 1u);
  const std::string backup = Utf8Of(files_.Bytes(BackupFiles()[0]));
  for (const std::string& key :
       {std::string(kUninstall) + "\\X", wow + "\\X", wow + "\\Z", wow + "\\Z\\Sub"}) {
    EXPECT_NE(backup.find("[HKEY_LOCAL_MACHINE\\" + key + "]\r\n"), std::string::npos) << key;
  }
  EXPECT_NE(backup.find("\"DisplayName\"=\"Zèbre 32 bits\"\r\n"), std::string::npos);
  EXPECT_EQ(platform::SixtyFourBitViewPath(kHkeyLocalMachine, "software\\wow6432node\\A"),
            "software\\wow6432node\\A");
}

TEST_F(UninstallPanel, TheSelectionAloneEnablesDeleteAndWithNothingSelectedItOnlyRefreshes) {
  Entry("A", "Alpha", "a.exe");
  Entry("B", "Beta", "b.exe");
  Open();
  main_.cmdDelete.SetEnabled(false);
  Select("Alpha");
  Select("Beta");
  Select("Alpha", false);
  EXPECT_TRUE(main_.cmdDelete.enabled());
  Select("Beta", false);
  EXPECT_FALSE(main_.cmdDelete.enabled());

  // A refresh clears the selection but leaves the button enabled; a click
  // then deletes nothing, writes no backup and refreshes.
  Select("Beta");
  Entry("C", "Gamma", "c.exe");
  screen_.Click(main_.cmdRefresh);
  EXPECT_EQ(main_.lstPrograms.SelCount(), 0);
  EXPECT_TRUE(main_.cmdDelete.enabled());
  Entry("D", "Delta", "d.exe");
  registry_.ClearCalls();
  screen_.Click(main_.cmdDelete);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Alpha", "Beta", "Delta", "Gamma"}));
  for (const auto& call : registry_.calls()) EXPECT_NE(call.op, "DeleteKey");
  EXPECT_TRUE(BackupFiles().empty());
  EXPECT_TRUE(screen_.boxes().empty());
}

TEST_F(UninstallPanel, KeysTheRegistryRefusesAreNamedAfterTheBackupAndTheListIsRefreshed) {
  Entry("A", "Alpha", "a.exe");
  Entry("B", "Beta", "b.exe");
  Value("B\\Free", "x", platform::kRegSz, Text("1"));
  Value("B\\Locked", "y", platform::kRegSz, Text("2"));
  Open();
  // A user without the rights; then one key below an entry that its ACL protects.
  registry_.SetAdministrator(false);
  Select("Alpha");
  screen_.Click(main_.cmdDelete);
  registry_.SetAdministrator(true);
  registry_.ProtectKey(kHkeyLocalMachine, Path("B\\Locked"));
  Select("Alpha");
  Select("Beta");
  screen_.Click(main_.cmdDelete);

  EXPECT_FALSE(Exists("A"));
  EXPECT_FALSE(Exists("B\\Free"));
  EXPECT_EQ(Lines(), std::vector<std::string>{"Beta"});
  ASSERT_EQ(screen_.boxes().size(), 2u);
  const std::string refused =
      "Le registre a refusé de supprimer ces entrées, qui restent dans la liste :\r";
  const std::string backup = "\r\rLa sauvegarde faite avant la suppression se trouve dans :\r" +
                             std::string(kBackups) + "\\2024-03-05 14-07-09";
  EXPECT_EQ(screen_.boxes()[0].prompt, refused + "« Alpha »" + backup + ".reg");
  EXPECT_EQ(screen_.boxes()[1].prompt, refused + "« Beta »" + backup + " (2).reg");
  for (const auto& box : screen_.boxes()) EXPECT_EQ(box.style, ui::kOkOnly + ui::kExclamation);
}

TEST_F(UninstallPanel, AnEntryNamedWithASlashIsItsOwnKeyForListingBackupAndDeletion) {
  Entry("Slash/Key", "Barre oblique", "slash.exe");
  Entry("Slash\\Key", "Autre clé", "other.exe");  // the subkey Key of the key Slash
  Open();
  ASSERT_EQ(Lines(), std::vector<std::string>{"Barre oblique"});
  Select("Barre oblique");
  screen_.Click(main_.cmdDelete);
  EXPECT_FALSE(Exists("Slash/Key"));
  EXPECT_TRUE(registry_.Value(kHkeyLocalMachine, Path("Slash\\Key"), "DisplayName"));
  ASSERT_EQ(BackupFiles().size(), 1u);
  const std::string backup = Utf8Of(files_.Bytes(BackupFiles()[0]));
  EXPECT_NE(backup.find("\\Slash/Key]\r\n\"DisplayName\"=\"Barre oblique\""), std::string::npos);
  EXPECT_EQ(backup.find("Autre"), std::string::npos) << backup;
}

TEST_F(UninstallPanel, AnEntryHoldingANameTheBackupCannotHoldIsNamedAndNothingIsDeleted) {
  Entry("Plain", "Simple", "plain.exe");
  Entry("Value", "Valeur", "value.exe");
  Value("Value", "Ligne\nbrisée", platform::kRegSz, Text("x"));
  Entry("Key", "Clé", "key.exe");
  registry_.SeedKey(kHkeyLocalMachine, Path("Key\\Sous\r\nclé"));
  Open();
  for (const std::string line : {"Valeur", "Clé"}) {
    Select("Simple");
    Select(line);
    screen_.Click(main_.cmdDelete);
    EXPECT_EQ(screen_.boxes().back().prompt,
              "L'entrée « " + line +
                  " » contient un nom de clé ou de valeur que le fichier de sauvegarde ne peut "
                  "pas contenir (un saut de ligne, ou un caractère illisible).\r\rAucune entrée "
                  "n'a été supprimée.");
    for (const char* subkey : {"Plain", "Value", "Key"}) EXPECT_TRUE(Exists(subkey));
    EXPECT_TRUE(BackupFiles().empty());
    screen_.Click(main_.cmdRefresh);
  }
  EXPECT_EQ(screen_.boxes().size(), 2u);
}

TEST_F(UninstallPanel, NothingIsDeletedWhenTheBackupCannotBeWritten) {
  struct Case {
    const char* why;
    void (*spoil)(testing::MemoryFiles&);
    const char* folder_named;
  };
  for (const Case& c : std::vector<Case>{
           {"disk full", [](testing::MemoryFiles& f) { f.free_space = 40; }, kBackups},
           {"folder refuses writes",
            [](testing::MemoryFiles& f) {
              f.read_only_folders.insert(std::string(kBackups) + "\\");
            },
            kBackups},
           {"a file where the folder goes", [](testing::MemoryFiles& f) { f.Put(kBackups, "x"); },
            kBackups},
           {"no local application data folder",
            [](testing::MemoryFiles& f) { f.local_app_data.clear(); }, "introuvable"},
       }) {
    SCOPED_TRACE(c.why);
    files_ = testing::MemoryFiles();
    c.spoil(files_);
    Entry("A", "Alpha", "a.exe");
    if (!main_.loaded()) Open();
    screen_.Click(main_.cmdRefresh);
    const std::size_t boxes = screen_.boxes().size();
    Select("Alpha");
    screen_.Click(main_.cmdDelete);

    EXPECT_TRUE(Exists("A"));
    ASSERT_EQ(screen_.boxes().size(), boxes + 1);
    const auto& box = screen_.boxes().back();
    EXPECT_EQ(box.style, ui::kOkOnly + ui::kExclamation);
    EXPECT_NE(box.prompt.find(c.folder_named), std::string::npos) << box.prompt;
    EXPECT_NE(box.prompt.find("Aucune entrée n'a été supprimée."), std::string::npos);
    // The selection stays for another try; no partial backup is left.
    EXPECT_EQ(main_.lstPrograms.SelCount(), 1);
    for (const auto& file : BackupFiles()) EXPECT_EQ(file.find(".reg"), std::string::npos) << file;
  }
}

TEST_F(UninstallPanel, LeftoverTemporaryFilesInTheBackupFolderStopNoBackup) {
  const std::string stem = std::string(kBackups) + "\\2024-03-05 14-07-09";
  const auto lower = platform::AsciiLowercase;
  struct Case {
    std::string leftover;
    bool directory;  // else a read-only file
    std::vector<std::string> files_after;
  };
  for (const Case& c : std::vector<Case>{
           {stem + ".tmp", false, {lower(stem + ".reg"), lower(stem + ".tmp")}},
           {stem + ".reg.1.tmp", true, {lower(stem + ".reg")}},  // cannot be cleared
       }) {
    SCOPED_TRACE(c.leftover);
    files_ = testing::MemoryFiles();
    files_.Put(c.leftover, "old");
    files_.Find(c.leftover)->read_only = !c.directory;
    files_.Find(c.leftover)->directory = c.directory;
    Entry("A", "Alpha", "a.exe");
    if (!main_.loaded()) Open();
    screen_.Click(main_.cmdRefresh);
    Select("Alpha");
    screen_.Click(main_.cmdDelete);
    EXPECT_FALSE(Exists("A"));
    EXPECT_TRUE(screen_.boxes().empty());
    EXPECT_EQ(BackupFiles(), c.files_after);
    EXPECT_TRUE(files_.Has(c.leftover));
  }
}

}  // namespace
}  // namespace ferrolis::uninstall
