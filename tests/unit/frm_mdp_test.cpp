#include "access/frm_mdp.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "mainwindow/idd_main.h"
#include "support/world.h"
#include "ui/msgbox.h"

namespace ferrolis::access {
namespace {

constexpr const char* kSystemCopy = "C:\\WINDOWS\\system32\\FRLS.PW";
constexpr const char* kFloppy = "A:\\FRLS.PW";
constexpr const char* kWrongPrompt = "Désolé - Ce n'est pas le bon mot de passe !";

class GateTest : public ::testing::Test {
 protected:
  // Starts the program as the toolkit does: the gate is loaded, then shown.
  void Start() { runtime_.Run(gate_); }

  void StorePassword(const std::string& password) {
    Module1 writer(files_, codec_, runtime_);
    writer.EncodePasswordFile(kSystemCopy, password);
  }

  bool MainWindowShown() const {
    for (const auto& name : screen_.shown()) {
      if (name == "IDD_Main (modal)") return true;
    }
    return false;
  }

  bool Ended() const { return runtime_.ended() && system_.exits == std::vector<int>{0}; }

  // Another program works the hidden gate while the load's box is up: a text
  // accepted would bring a wrong-password box, an Enter the main window.
  void PressOnTheHiddenGateDuringTheBox() {
    screen_.WhileNextBoxOpen([this] {
      runtime_.UserChangedText(gate_.Text1, "x");
      screen_.PressKey(gate_.Text1, 13);
      screen_.Click(gate_.Command1);
    });
  }

  void ExpectWrongPasswordBox(std::size_t index) {
    ASSERT_GT(screen_.boxes().size(), index);
    EXPECT_EQ(screen_.boxes()[index].prompt, kWrongPrompt);
    EXPECT_EQ(screen_.boxes()[index].title, "Mauvais mot de passe");
    EXPECT_EQ(screen_.boxes()[index].style, ui::kOkOnly + ui::kExclamation);
    EXPECT_EQ(gate_.Text1.text(), "");
    EXPECT_EQ(gate_.focused(), &gate_.Text1);
  }

  testing::World world_;
  testing::FakeSystem& system_ = world_.system;
  ui::Runtime& runtime_ = world_.runtime;
  testing::HeadlessRenderer& screen_ = world_.screen;
  testing::MemoryFiles& files_ = world_.files;
  platform::Cp1252Codec& codec_ = world_.codec;
  Module1& module_ = world_.module;
  std::unique_ptr<mainwindow::IDD_Main> main_;
  FrmMDP gate_{world_.services, module_, [this]() -> ui::Form& {
                 if (!main_)
                   main_ = std::make_unique<mainwindow::IDD_Main>(world_.services, module_);
                 return *main_;
               }};
};

TEST_F(GateTest, IsLaidOutAsDesigned) {
  EXPECT_EQ(gate_.caption(), "Mot de Passe");
  EXPECT_EQ(gate_.style().border, ui::BorderStyle::FixedSingle);
  EXPECT_FALSE(gate_.style().min_button);
  EXPECT_FALSE(gate_.style().max_button);
  EXPECT_FALSE(gate_.style().show_in_taskbar);
  EXPECT_TRUE(gate_.style().centered);
  EXPECT_EQ(gate_.style().client_width, 3300);
  EXPECT_EQ(gate_.style().client_height, 1545);
  struct Expected {
    ui::Control& control;
    std::string caption;
    ui::Twips at;
    int tab;
  };
  for (const Expected& e :
       {Expected{gate_.Label1, "Entrez le mot de passe", {120, 120, 3135, 255}, 3},
        Expected{gate_.Text1, "", {120, 480, 3015, 285}, 0},
        Expected{gate_.Command1, "&OK", {120, 960, 1095, 495}, 1},
        Expected{gate_.Command2, "&Annuler", {1440, 960, 1095, 495}, 2},
        Expected{gate_.Command3, "", {2640, 960, 495, 495}, 4}}) {
    EXPECT_EQ(e.control.caption(), e.caption) << e.control.name();
    EXPECT_EQ(e.control.position().left, e.at.left) << e.control.name();
    EXPECT_EQ(e.control.position().top, e.at.top) << e.control.name();
    EXPECT_EQ(e.control.position().width, e.at.width) << e.control.name();
    EXPECT_EQ(e.control.position().height, e.at.height) << e.control.name();
    EXPECT_EQ(e.control.tab_index(), e.tab) << e.control.name();
  }
  EXPECT_TRUE(gate_.Label1.font().bold);
  EXPECT_EQ(gate_.Label1.font().name, "MS Sans Serif");
  EXPECT_EQ(gate_.Text1.password_char(), '*');
  EXPECT_EQ(gate_.Command3.tooltip(), "Lire le mot de passe à partir d'une disquette");
  EXPECT_FALSE(gate_.Command3.picture().empty());
}

TEST_F(GateTest, TheStoredPasswordOpensTheMainWindowAndNothingElseDoes) {
  StorePassword("Secret");
  Start();
  EXPECT_TRUE(screen_.boxes().empty());
  std::size_t boxes = 0;
  for (const char* attempt : {"secret", "Secret ", " Secret", "SECRET", "", "Secre"}) {
    screen_.Type(gate_.Text1, attempt);
    screen_.Click(gate_.Command1);
    ExpectWrongPasswordBox(boxes++);
  }
  EXPECT_FALSE(MainWindowShown());
  screen_.Type(gate_.Text1, "Secret");
  screen_.Click(gate_.Command1);
  EXPECT_EQ(screen_.boxes().size(), boxes);
  EXPECT_TRUE(MainWindowShown());
}

TEST_F(GateTest, EnterInThePasswordBoxActsAsOk) {
  StorePassword("abc");
  Start();
  screen_.Type(gate_.Text1, "abd\r");
  ExpectWrongPasswordBox(0);
  screen_.Type(gate_.Text1, "abc");
  EXPECT_EQ(gate_.Text1.text(), "abc");
  EXPECT_EQ(runtime_.UserKeyPress(gate_.Text1, 13), 0) << "the box never gets the Enter key";
  EXPECT_TRUE(MainWindowShown());
}

TEST_F(GateTest, OtherKeysAreLeftToTheBox) {
  StorePassword("abc");
  Start();
  EXPECT_EQ(runtime_.UserKeyPress(gate_.Text1, 'a'), 'a');
  EXPECT_EQ(runtime_.UserKeyPress(gate_.Text1, 27), 27) << "Escape does nothing special";
  EXPECT_TRUE(screen_.boxes().empty());
  EXPECT_FALSE(runtime_.ended());
}

TEST_F(GateTest, ACharacterTheCodePageLacksComparesAsItIsStored) {
  // "Ł" is not in the ANSI code page: a file written from "Łódź" holds "?" in
  // its place, and only what the file holds opens.
  StorePassword("Łódź");
  Start();
  EXPECT_EQ(module_.StoredPassword, "?ód?");
  screen_.Type(gate_.Text1, "Łódź");
  screen_.Click(gate_.Command1);
  ExpectWrongPasswordBox(0);
  screen_.Type(gate_.Text1, "?ód?");
  screen_.Click(gate_.Command1);
  EXPECT_EQ(screen_.boxes().size(), 1u);
  EXPECT_TRUE(MainWindowShown());
}

TEST_F(GateTest, CancelEndsTheProgramWithoutAWord) {
  StorePassword("secret");
  Start();
  screen_.Type(gate_.Text1, "partial");
  screen_.Click(gate_.Command2);
  EXPECT_TRUE(screen_.boxes().empty());
  EXPECT_TRUE(Ended());
  EXPECT_FALSE(MainWindowShown());
  // Nothing runs after the end.
  screen_.Click(gate_.Command1);
  EXPECT_TRUE(screen_.boxes().empty());
}

TEST_F(GateTest, ClosingTheGateClosesIt) {
  StorePassword("secret");
  Start();
  screen_.Close(gate_);
  EXPECT_FALSE(gate_.loaded());
  EXPECT_TRUE(runtime_.loaded_forms().empty());
}

TEST_F(GateTest, ClosingTheMainWindowEndsTheProgram) {
  files_.Put(kSystemCopy, "");
  Start();
  screen_.Click(gate_.Command1);
  ASSERT_TRUE(main_);
  EXPECT_EQ(main_->caption(), "Ferrolis");
  screen_.Close(*main_);
  EXPECT_TRUE(Ended());
}

// The states the program starts in: its one box, then the gate waiting for a
// password (the empty one without a copy) or the end, whatever the gate gets.
struct StartCase {
  std::string name;
  std::optional<std::string> copy{};  // the system copy's bytes ("": the empty password)
  bool hidden = false;
  bool running = false;     // another copy of the program
  bool unreadable = false;  // drive C
  std::string title{};      // of the one box, none when empty
  ::testing::Matcher<const std::string&> prompt = ::testing::_;
  bool ends = false;
};
const char* const kFirstUse = "Première utilisation de Ferrolis";
const std::string kFirstUseText =
    "Premier lancement de Ferrolis ! \rVous devez définir un mot de passe pour protéger son "
    "accès.\rLe mot de passe à défaut est vide.";
const std::string kInUse = "Ferrolis est déjà en cours d'utilisation !";
const std::string kCut(49, ' ');  // its whole records alone would be the empty password
const auto kDamaged = ::testing::HasSubstr("endommagé");
const StartCase kStarts[] = {
    {.name = "NoCopy", .title = kFirstUse, .prompt = kFirstUseText},
    {.name = "EmptyCopy", .copy = ""},
    {.name = "HiddenCopy", .copy = "", .hidden = true, .title = kFirstUse, .prompt = kFirstUseText},
    {.name = "InUse", .running = true, .title = "Gardelis", .prompt = kInUse, .ends = true},
    {.name = "DamagedCopy", .copy = kCut, .title = "Erreur", .prompt = kDamaged, .ends = true},
    {.name = "UnreadableSystemDrive", .unreadable = true, .title = "Erreur", .ends = true},
};
const auto kRowName = [](const auto& info) { return info.param.name; };
void PrintTo(const StartCase& c, std::ostream* out) { *out << c.name; }

class GateStart : public GateTest, public ::testing::WithParamInterface<StartCase> {};
INSTANTIATE_TEST_SUITE_P(States, GateStart, ::testing::ValuesIn(kStarts), kRowName);

TEST_P(GateStart, ShowsItsBoxThenWaitsOrEnds) {
  const StartCase& c = GetParam();
  system_.another_instance = c.running;
  if (c.copy) files_.Put(kSystemCopy, *c.copy);
  if (c.hidden) files_.Find(kSystemCopy)->hidden = true;
  if (c.unreadable) files_.unreadable_drives.insert('C');
  if (c.ends) PressOnTheHiddenGateDuringTheBox();
  Start();
  ASSERT_EQ(screen_.boxes().size(), c.title.empty() ? 0u : 1u);
  if (!c.title.empty()) {
    EXPECT_EQ(screen_.boxes()[0].title, c.title);
    EXPECT_THAT(screen_.boxes()[0].prompt, c.prompt);
    EXPECT_EQ(screen_.boxes()[0].style, ui::kOkOnly + ui::kExclamation);
    EXPECT_EQ(screen_.boxes()[0].owner, "") << "the box comes before the gate is shown";
  }
  EXPECT_EQ(files_.FileCount(), c.copy ? 1u : 0u) << "no file is created";
  if (c.copy) {
    EXPECT_EQ(files_.Bytes(kSystemCopy), *c.copy) << "the file is left for the administrator";
  }
  if (c.ends) {
    EXPECT_TRUE(Ended());
    EXPECT_TRUE(screen_.shown().empty());
    EXPECT_FALSE(screen_.loop_ran());
    return;
  }
  EXPECT_EQ(screen_.shown(), std::vector<std::string>{"FrmMDP"});
  EXPECT_EQ(gate_.focused(), &gate_.Text1);
  screen_.Type(gate_.Text1, "x");
  screen_.Click(gate_.Command1);
  ExpectWrongPasswordBox(c.title.empty() ? 0 : 1);
  EXPECT_FALSE(MainWindowShown());
  screen_.Click(gate_.Command1);
  EXPECT_TRUE(MainWindowShown());
  EXPECT_TRUE(gate_.loaded()) << "the gate stays open beneath";
}

// The floppy button with "secret" stored and "abc" typed: drive A and the
// answer to the floppy's box, then the box after it and the text left.
struct FloppyCase {
  std::string name;
  std::optional<std::string> floppy{};  // the password on the floppy; none: no file
  bool unreadable = false;              // drive A
  bool cancel = false;
  std::string title{};  // none when empty
  bool opens = false;
  std::string text = "abc";
};
const FloppyCase kFloppies[] = {
    {.name = "Cancelled", .floppy = "secret", .cancel = true},
    {.name = "RightCopy", .floppy = "secret", .opens = true, .text = "secret"},
    {.name = "WrongCopy", .floppy = "autre", .title = "Mauvais mot de passe", .text = ""},
    {.name = "NotFound", .title = "Mot de passe non trouvé"},
    {.name = "DriveError", .unreadable = true, .title = "Erreur"},
};

void PrintTo(const FloppyCase& c, std::ostream* out) { *out << c.name; }

class GateFloppy : public GateTest, public ::testing::WithParamInterface<FloppyCase> {};
INSTANTIATE_TEST_SUITE_P(Outcomes, GateFloppy, ::testing::ValuesIn(kFloppies), kRowName);

TEST_P(GateFloppy, TheFloppyButtonGivesItsOutcome) {
  const FloppyCase& c = GetParam();
  StorePassword("secret");
  Start();
  if (c.floppy) Module1(files_, codec_, runtime_).EncodePasswordFile(kFloppy, *c.floppy);
  if (c.unreadable) files_.unreadable_drives.insert('A');
  screen_.Type(gate_.Text1, "abc");
  screen_.Answer(c.cancel ? ui::kResultCancel : ui::kResultOk);
  screen_.Click(gate_.Command3);
  ASSERT_EQ(screen_.boxes().size(), c.title.empty() ? 1u : 2u);
  if (!c.title.empty()) {
    EXPECT_EQ(screen_.boxes()[1].title, c.title);
  }
  if (c.title == "Mauvais mot de passe") ExpectWrongPasswordBox(1);
  EXPECT_EQ(gate_.Text1.text(), c.text);
  EXPECT_EQ(MainWindowShown(), c.opens);
  EXPECT_EQ(module_.StoredPassword, "secret") << "the floppy never replaces the stored password";
  EXPECT_FALSE(runtime_.ended());
}

}  // namespace
}  // namespace ferrolis::access
