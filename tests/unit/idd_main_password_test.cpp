#include <gtest/gtest.h>

#include "access/frm_mdp.h"
#include "access/password_codec.h"
#include "mainwindow/idd_main.h"
#include "support/main_window_world.h"
#include "ui/msgbox.h"

namespace ferrolis::mainwindow {
namespace {

constexpr const char* kSystemCopy = "C:\\WINDOWS\\system32\\FRLS.PW";
constexpr const char* kFloppy = "A:\\FRLS.PW";

// The main window over in-memory files, with the frame driven as the user does.
struct Frame : testing::MainWindowWorld {
  void Open(const std::string& stored) {
    module.StoredPassword = stored;
    if (!stored.empty()) module.WritePasswordFile(stored);
    window.Show(true);
  }
  void Enter(ui::Control& box, const std::string& text) {
    box.SetText("");
    screen.Type(box, text);
  }
  // The old password validated: the frame's second stage.
  void Unlock(const std::string& stored) {
    Open(stored);
    Enter(window.Text1, stored);
    screen.Click(window.Command1);
    ASSERT_TRUE(window.Text2.visible());
  }
  bool SecondStage() const {
    for (ui::Control* c : {&window.Label2, &window.Text2, &window.Command3, &window.Command4})
      if (c->visible() != window.Text2.visible()) ADD_FAILURE() << c->name() << " out of step";
    return window.Text2.visible();
  }
  // What the next start reads from the system copy.
  std::string SystemCopy() {
    return access::Module1(files, codec, runtime).DecodePasswordFile(kSystemCopy);
  }
  // Box i had this title and style, and this prompt unless none is given.
  void ExpectBox(std::size_t i, const std::string& title, int style, std::string prompt = "") {
    ASSERT_GT(screen.boxes().size(), i);
    const testing::ShownBox& box = screen.boxes()[i];
    EXPECT_EQ(
        box.title + "|" + std::to_string(box.style) + "|" + (prompt.empty() ? "" : box.prompt),
        title + "|" + std::to_string(style) + "|" + prompt);
  }
};

TEST(PasswordFrame, ValidatesTheOldPasswordExactly) {
  struct Case {
    std::string stored, typed;
    bool unlocked_before, accepted;
  };
  for (const Case& c :
       {Case{"", "", false, true}, Case{"Été 2024", "Été 2024", false, true},
        Case{"", " ", false, false}, Case{"Secret", "secret", false, false},
        Case{"Secret", "Secret ", false, false}, Case{"Secret", "Secr", true, false}}) {
    SCOPED_TRACE("stored \"" + c.stored + "\" typed \"" + c.typed + "\"");
    Frame t;
    if (c.unlocked_before)
      t.Unlock(c.stored);
    else
      t.Open(c.stored);
    const std::size_t boxes = t.screen.boxes().size();
    t.Enter(t.window.Text1, c.typed);
    t.screen.Click(t.window.Command1);
    EXPECT_TRUE(t.SecondStage() == (c.accepted || c.unlocked_before)) << "a failure never hides";
    if (c.accepted) {
      EXPECT_EQ(t.screen.boxes().size(), boxes);
      EXPECT_EQ(t.window.focused(), &t.window.Text2);
      EXPECT_EQ(t.window.Text1.text(), c.typed);
    } else {
      t.ExpectBox(boxes, "Mauvais mot de passe", ui::kOkOnly + ui::kExclamation,
                  "Ce n'est pas le bon mot de passe !");
      EXPECT_EQ(t.window.focused(), &t.window.Text1);
      EXPECT_EQ(t.window.Text1.text(), "");
    }
  }
}

// The gate and "Valider" compare the typed text with the text the file's codes
// stand for: no look-alike, no "?" for a character the code page lacks.
TEST(PasswordFrame, TheGateAndValiderCompareExactly) {
  struct Case {
    const char *stored, *typed;
    bool accepted;
  };
  for (const auto& [stored, typed, accepted] :
       {Case{"Lukasz", "Łukasz", false}, Case{"Lukasz", "Lukasz", true}, Case{"a?b", "a☃b", false},
        Case{"a?b", "aЖb", false}, Case{"a?b", "a?b", true}, Case{"Été", "Ete", false},
        Case{"Été", "été", false}, Case{"Été", "Été", true}, Case{"Secret", "SECRET", false}}) {
    SCOPED_TRACE(std::string(stored) + " / " + typed);
    Frame t;
    t.module.EncodePasswordFile(kSystemCopy, stored);
    access::FrmMDP gate(t.services, t.module, [&]() -> ui::Form& { return t.window; });
    t.runtime.Run(gate);
    t.screen.Type(gate.Text1, typed);
    t.screen.Click(gate.Command1);
    EXPECT_EQ(t.window.shown(), accepted) << "gate";
    t.window.Show(true);
    t.Enter(t.window.Text1, typed);
    t.screen.Click(t.window.Command1);
    EXPECT_EQ(t.SecondStage(), accepted) << "Valider";
  }
}

// Before the old password is validated, the new-password handlers do nothing,
// whatever called them (a click sent to their hidden buttons).
TEST(PasswordFrame, TheNewPasswordIsTakenOnlyAtTheSecondStage) {
  Frame t;
  t.Open("ancien");
  t.window.Text2.SetText("pirate");
  t.window.Command3_Click();
  t.window.Command4_Click();
  EXPECT_EQ(t.module.StoredPassword + "|" + t.SystemCopy(), "ancien|ancien");
  EXPECT_TRUE(t.screen.boxes().empty()) << "not even the floppy prompt";
}

TEST(PasswordFrame, ValiderEtEnregistrerStoresEachPressAndTheNextStartAgrees) {
  Frame t;
  t.Unlock("ancien");
  t.window.IDCM_Save.SetEnabled(false);
  for (const char* next : {"premier", "Deuxième à l'œil", ""}) {
    t.Enter(t.window.Text2, next);
    t.screen.Click(t.window.Command3);
    EXPECT_EQ(t.module.StoredPassword, next);
    EXPECT_EQ(t.files.Bytes(kSystemCopy).size(),
              t.codec.ToAnsi(next).size() * access::kRecordLength);
    EXPECT_EQ(t.SystemCopy(), next);
    EXPECT_EQ(t.window.Text2.text(), next);
  }
  EXPECT_TRUE(t.screen.boxes().empty()) << "no message on success";
  EXPECT_FALSE(t.window.IDCM_Save.enabled()) << "the frame's edits are not configuration changes";
  t.Enter(t.window.Text1, "premier");
  t.screen.Click(t.window.Command1);
  t.ExpectBox(0, "Mauvais mot de passe", ui::kOkOnly + ui::kExclamation);
  t.screen.Click(t.window.Command1);  // the empty password now holds
  EXPECT_EQ(t.screen.boxes().size(), 1u);
}

TEST(PasswordFrame, AFailedSystemWriteChangesNothingAndSaysSo) {
  for (const char* button : {"Command3", "Command4"}) {
    SCOPED_TRACE(button);
    Frame t;
    t.Unlock("ancien");
    access::Module1(t.files, t.codec, t.runtime).EncodePasswordFile(kFloppy, "disquette");
    t.files.read_only_folders.insert("C:\\WINDOWS\\system32\\");
    t.Enter(t.window.Text2, "nouveau");
    t.screen.Click(*t.window.Find(button));
    EXPECT_EQ(t.module.StoredPassword, "ancien");
    EXPECT_EQ(t.SystemCopy(), "ancien");
    EXPECT_EQ(access::Module1(t.files, t.codec, t.runtime).DecodePasswordFile(kFloppy),
              "disquette");
    const std::size_t last = t.screen.boxes().size() - 1;
    t.ExpectBox(last, "Mot de passe non modifié", ui::kOkOnly + ui::kExclamation);
    EXPECT_NE(t.screen.boxes()[last].prompt.find("n'a pas été modifié"), std::string::npos);
    t.Enter(t.window.Text1, "ancien");
    t.screen.Click(t.window.Command1);
    EXPECT_EQ(t.screen.boxes().size(), last + 1) << "the old password still validates";
  }
}

// The password file holds ANSI codes only: a character outside the code page
// is refused with a message before anything is stored or asked for.
TEST(PasswordFrame, APasswordThePasswordFileCannotHoldIsRefused) {
  for (const char* button : {"Command3", "Command4"}) {
    SCOPED_TRACE(button);
    Frame t;
    t.Unlock("ancien");
    access::Module1(t.files, t.codec, t.runtime).EncodePasswordFile(kFloppy, "disquette");
    const std::string files_before = t.files.Bytes(kSystemCopy) + t.files.Bytes(kFloppy);
    t.Enter(t.window.Text2, "Łukasz");
    t.screen.Click(*t.window.Find(button));
    EXPECT_EQ(t.module.StoredPassword, "ancien");
    EXPECT_EQ(t.files.Bytes(kSystemCopy) + t.files.Bytes(kFloppy), files_before);
    ASSERT_EQ(t.screen.boxes().size(), 1u) << "no floppy prompt";
    t.ExpectBox(0, "Mot de passe refusé", ui::kOkOnly + ui::kExclamation,
                "Le caractère « Ł » ne peut pas être enregistré dans le fichier mot de passe !\r"
                "Choisissez un mot de passe sans ce caractère.\r"
                "Le mot de passe n'a pas été modifié.");
    EXPECT_EQ(t.window.focused(), &t.window.Text2);
    EXPECT_EQ(t.window.Text2.text(), "Łukasz") << "left for the user to correct";
  }
}

TEST(PasswordFrame, FloppySave) {
  struct Case {
    const char* name;
    int answer;
    bool no_disk, protected_disk;
    bool changed, floppy_written;
  };
  for (const Case& c : {Case{"cancelled", ui::kResultCancel, false, false, false, false},
                        Case{"no disk", ui::kResultOk, true, false, true, false},
                        Case{"write-protected", ui::kResultOk, false, true, true, false},
                        Case{"saved", ui::kResultOk, false, false, true, true}}) {
    SCOPED_TRACE(c.name);
    Frame t;
    t.Unlock("ancien");
    if (c.no_disk) t.files.unreadable_drives.insert('A');
    if (c.protected_disk) t.files.read_only_folders.insert("A:\\");
    t.Enter(t.window.Text2, "Sauvé à 100 %");
    t.screen.Answer(c.answer);
    t.screen.Click(t.window.Command4);
    t.ExpectBox(0, "Sauvegarde du mot de passe sur disquette", ui::kOkCancel,
                "Insérer une disquette formatée dans le lecteur A !");
    const std::string expected = c.changed ? "Sauvé à 100 %" : "ancien";
    EXPECT_EQ(t.module.StoredPassword, expected);
    EXPECT_EQ(t.SystemCopy(), expected);
    t.files.unreadable_drives.clear();
    EXPECT_EQ(t.files.Has(kFloppy), c.floppy_written);
    if (c.changed && !c.floppy_written)
      t.ExpectBox(1, "Erreur", ui::kOkOnly + ui::kExclamation,
                  "Disquette non formatée ou erreur sur la disquette !");
    else
      EXPECT_EQ(t.screen.boxes().size(), 1u);
    if (!c.floppy_written) continue;

    // Read back by the frame's floppy button: it validates and shows no box
    // beyond its own prompt.
    EXPECT_EQ(t.files.Bytes(kFloppy), t.files.Bytes(kSystemCopy));
    t.Enter(t.window.Text1, "");
    t.screen.Click(t.window.Command2);
    EXPECT_EQ(t.window.Text1.text(), "Sauvé à 100 %");
    EXPECT_EQ(t.screen.boxes().size(), 2u);
    EXPECT_EQ(t.window.focused(), &t.window.Text2);

    // And by the gate of the next start.
    access::Module1 next(t.files, t.codec, t.runtime);
    access::FrmMDP gate(t.services, next, [&t]() -> ui::Form& { return t.window; });
    gate.Show(false);
    t.screen.Click(gate.Command3);
    EXPECT_EQ(gate.Text1.text(), "Sauvé à 100 %");
    EXPECT_EQ(t.screen.boxes().size(), 3u) << "no wrong-password box";
  }
}

}  // namespace
}  // namespace ferrolis::mainwindow
