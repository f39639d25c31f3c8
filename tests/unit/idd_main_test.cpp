// The main window's loading, rights, scope switching, save and closing,
// headless, on the registry and file doubles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mainwindow/idd_main.h"
#include "support/fake_shell.h"
#include "support/fake_system.h"
#include "support/headless_renderer.h"
#include "support/memory_files.h"
#include "support/memory_registry.h"
#include "ui/msgbox.h"

namespace ferrolis::mainwindow {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

constexpr const char* kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr int kScopeStyle = ui::kYesNoCancel + ui::kQuestion;

std::vector<std::uint8_t> Sz(const std::string& text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}
const std::vector<std::uint8_t> kDwordOne{1, 0, 0, 0};

struct Main {
  explicit Main(bool administrator = true) {
    registry.SetAdministrator(administrator);
    registry.SeedKey(kHkeyLocalMachine, kWinlogon);
    const std::string entry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\app";
    registry.SeedValue(kHkeyLocalMachine, entry, "DisplayName", platform::kRegSz, Sz("Appli"));
    registry.SeedValue(kHkeyLocalMachine, entry, "UninstallString", platform::kRegSz, Sz("x"));
  }
  void Logon(const std::string& name, const std::string& text) {
    registry.SeedValue(kHkeyLocalMachine, kWinlogon, name, platform::kRegSz, Sz(text));
  }
  void Open() {
    runtime.Dispatch([&] { window.Show(true); });
  }
  void Enter(ui::Control& box, const std::string& text) { runtime.UserChangedText(box, text); }
  // A stored value as "text" for REG_SZ, "#n" for REG_DWORD, "-" when absent.
  std::string Stored(platform::RootKey root, const char* path, const std::string& name) const {
    const auto raw = registry.Value(root, path, name);
    if (!raw) return "-";
    if (raw->type == platform::kRegDword) return "#" + std::to_string(raw->data[0]);
    return {raw->data.begin(), raw->data.end() - (raw->data.empty() ? 0 : 1)};
  }
  // The values written or deleted since the last ClearCalls, in order.
  std::vector<std::string> Writes() const {
    std::vector<std::string> names;
    for (const auto& call : registry.calls())
      if (call.op == "SetValue" || call.op == "DeleteValue") names.push_back(call.name);
    return names;
  }
  std::string LastBox() const {
    if (screen.boxes().empty()) return "none";
    const auto& box = screen.boxes().back();
    return box.title + "|" + std::to_string(box.style) + "|" + box.prompt;
  }
  bool Clean() const {
    return !window.IDCM_Save.enabled() && window.LogonChanged == kFalse &&
           window.RestrictionsChanged == kFalse;
  }

  testing::FakeSystem system;
  ui::Runtime runtime{system};
  testing::HeadlessRenderer screen{runtime};
  testing::MemoryFiles files;
  platform::Cp1252Codec codec;
  testing::MemoryRegistry registry;
  testing::FakeShell shell;
  ui::Services services{runtime, system, registry, files, shell, codec};
  access::Module1 module{files, codec, runtime};
  IDD_Main window{services, module};
};

TEST(MainWindowLoad, OpensCleanInTheCurrentUserScopeWithRightsFromTheWinlogonKey) {
  struct Case {
    bool administrator;
    const char* user;  // nullptr: no DefaultUserName value
  };
  for (const Case c : {Case{true, "admin"}, Case{true, nullptr}, Case{true, "Failed"},
                       Case{true, "   "}, Case{false, "bob"}}) {
    SCOPED_TRACE(std::string(c.administrator ? "admin " : "user ") + (c.user ? c.user : "(none)"));
    Main t(c.administrator);
    if (c.user) t.Logon("DefaultUserName", c.user);
    t.Logon("AutoAdminLogon", "1");
    t.Logon("DefaultPassword", "Mot de passe");
    t.registry.SeedValue(kHkeyCurrentUser, kPolicies, "NoRun", platform::kRegDword, kDwordOne);
    t.registry.SeedValue(kHkeyLocalMachine, kPolicies, "NoDesktop", platform::kRegDword, kDwordOne);
    t.Open();
    IDD_Main& w = t.window;
    EXPECT_TRUE(t.Clean());
    EXPECT_TRUE(t.screen.boxes().empty());
    EXPECT_EQ(w.AdminRights, c.administrator ? kTrue : kFalse);
    EXPECT_EQ(w.IDOP_Current.value() * 10 + w.IDOP_All.value(), 10);
    EXPECT_EQ(w.IDCK_Disable[4]->value() * 10 + w.IDCK_Disable[9]->value(), 10) << "current user";
    EXPECT_EQ(w.IDE_ReEnterPassword.text(), "Mot de passe");
    EXPECT_EQ(w.lstPrograms.ListCount(), 1);
    for (ui::Control* control :
         {&w.IDOP_All, &w.IDCK_AutoLogin, &w.IDE_Domain, &w.IDL_Domain, &w.IDE_Password,
          &w.IDL_Password, &w.IDE_Username, &w.IDL_Username, &w.IDE_ReEnterPassword,
          &w.IDL_ReEnterPassword, &w.lstPrograms, &w.IDL_AddRemove, &w.cmdRefresh, &w.cmdDelete})
      EXPECT_EQ(control->enabled(), c.administrator) << control->name();
    for (ui::Control* control : {&w.IDE_Shell, &w.IDL_Shell})
      EXPECT_FALSE(control->enabled()) << control->name();
    for (ui::Control* control : {w.IDCK_Disable[0], w.IDCK_Disable[11], &w.IDOP_Current,
                                 &w.IDCM_Exit, &w.Text1, &w.Command1})
      EXPECT_TRUE(control->enabled()) << control->name();
  }
}

TEST(MainWindowLoad, AutoAdminLogonIsOnForTheText1Only) {
  for (const auto& [stored, state] : std::vector<std::pair<const char*, int>>{
           {"1", 1}, {"0", 0}, {nullptr, 0}, {"2", 0}, {"oui", 0}, {" 1", 0}, {"-1", 0}}) {
    SCOPED_TRACE(stored ? stored : "(none)");
    Main t;
    if (stored) t.Logon("AutoAdminLogon", stored);
    t.Open();
    EXPECT_EQ(t.window.IDCK_AutoLogin.value(), state);
    EXPECT_EQ(t.window.IDE_Username.enabled(), state == 1);
    EXPECT_TRUE(t.Clean());
  }
}

TEST(MainWindowLoad, AnotherPlatformIsRefusedBeforeAnythingIsRead) {
  for (const std::uint32_t id : {0u, 1u}) {
    Main t;
    t.system.platform_id = id;
    t.Open();
    EXPECT_EQ(t.LastBox(),
              "Erreur de version Windows - Quitter Ferrolis|0|Version Windows 95/98 détectée !\r"
              "Ferrolis fonctionne uniquement sur Windows NT 4.0/2000 PRO.\r"
              "Voir Gardelis pour Windows 95/98.");
    EXPECT_EQ(t.system.exits.size(), 1u);
    EXPECT_TRUE(t.registry.calls().empty());
  }
}

TEST(MainWindowEdits, EditBoxesSelectTheirWholeTextInCharactersOnFocus) {
  Main t;
  t.Open();
  IDD_Main& w = t.window;
  for (ui::Control* box :
       {&w.IDE_Username, &w.IDE_Password, &w.IDE_ReEnterPassword, &w.IDE_Domain, &w.IDE_Shell}) {
    box->SetText("Hélène");
    t.screen.Focus(w.IDCM_Exit);
    t.screen.Focus(*box);
    EXPECT_EQ(box->sel_start() * 100 + box->sel_length(), 6) << box->name();
  }
}

// A restriction ticked, then the other scope chosen and the question answered.
TEST(ScopeSwitch, YesSavesIntoTheScopeLeftNoDiscardsCancelKeepsTheEditsAndAsksAgain) {
  struct Case {
    bool to_all;
    int answer;
    bool passwords_differ;
  };
  for (const Case c : {Case{true, ui::kResultYes, false}, Case{false, ui::kResultYes, false},
                       Case{true, ui::kResultNo, false}, Case{false, ui::kResultNo, false},
                       Case{true, ui::kResultCancel, false}, Case{false, ui::kResultCancel, false},
                       Case{true, ui::kResultYes, true}}) {
    SCOPED_TRACE(std::to_string(c.to_all) + " " + std::to_string(c.answer) +
                 (c.passwords_differ ? " differ" : ""));
    Main t;
    t.registry.SeedValue(c.to_all ? kHkeyLocalMachine : kHkeyCurrentUser, kPolicies, "NoFind",
                         platform::kRegDword, kDwordOne);
    t.Open();
    IDD_Main& w = t.window;
    ui::Control& from = c.to_all ? w.IDOP_Current : w.IDOP_All;
    ui::Control& to = c.to_all ? w.IDOP_All : w.IDOP_Current;
    t.screen.Click(from);
    EXPECT_TRUE(t.screen.boxes().empty()) << "nothing pending, nothing asked";
    if (c.passwords_differ) {
      t.screen.Click(w.IDCK_AutoLogin);
      t.Enter(w.IDE_ReEnterPassword, "autre");
    }
    t.screen.Click(*w.IDCK_Disable[4]);
    t.screen.Answer(c.answer);
    t.registry.ClearCalls();
    t.screen.Click(to);

    ASSERT_GE(t.screen.boxes().size(), 1u);
    const auto& question = t.screen.boxes()[0];
    EXPECT_EQ(question.title + "|" + std::to_string(question.style) + "|" + question.prompt,
              std::string("FerrolisNT|35|Voulez vous enregistrer ") + (c.to_all ? "les" : "ces") +
                  " paramètres ?");
    const platform::RootKey left = c.to_all ? kHkeyCurrentUser : kHkeyLocalMachine;
    const bool saved = c.answer == ui::kResultYes && !c.passwords_differ;
    const bool switched = saved || c.answer == ui::kResultNo;
    EXPECT_EQ(t.Stored(left, kPolicies, "NoRun"), saved ? "#1" : "-");
    EXPECT_EQ(to.value() * 10 + from.value(), switched ? 10 : 1);
    EXPECT_EQ(w.IDCK_Disable[3]->value(), switched ? 1 : 0) << "boxes show the new scope";
    EXPECT_EQ(w.IDCK_Disable[4]->value(), switched ? 0 : 1);
    EXPECT_EQ(w.IDE_Shell.enabled(), switched == c.to_all);
    EXPECT_EQ(w.ScopeReverting, kFalse);
    if (switched) {
      EXPECT_EQ(w.RestrictionsChanged, kFalse);
      EXPECT_FALSE(w.IDCM_Save.enabled());
      continue;
    }
    EXPECT_TRUE(w.IDCM_Save.enabled());
    EXPECT_EQ(w.RestrictionsChanged, kTrue);
    EXPECT_EQ(t.Writes(), std::vector<std::string>{}) << "nothing written";
    const std::size_t shown = t.screen.boxes().size();
    t.screen.Answer(ui::kResultCancel);
    t.screen.Click(to);
    EXPECT_EQ(t.screen.boxes().size(), shown + 1) << "the next switch asks again";
  }
}

TEST(ScopeSwitch, AShellOnlyEditIsCleanAfterASwitchALogonEditIsNot) {
  for (const bool logon : {false, true}) {
    Main t;
    t.Open();
    t.screen.Click(t.window.IDOP_All);
    t.Enter(logon ? t.window.IDE_Username : t.window.IDE_Shell, "C:\\kiosque.exe");
    t.screen.Click(t.window.IDOP_Current);
    EXPECT_TRUE(t.screen.boxes().empty());
    EXPECT_EQ(t.window.IDCM_Save.enabled(), logon);
    t.screen.Close(t.window);
    EXPECT_EQ(t.screen.boxes().size(), logon ? 1u : 0u);
    EXPECT_TRUE(t.runtime.ended());
  }
}

TEST(Save, WritesEveryValueInOrderIntoTheCurrentScope) {
  struct Case {
    bool all_users, auto_login;
    std::string user, password, domain;
  };
  for (const Case& c :
       {Case{false, true, "Jean", "Secret", "BUREAU"}, Case{true, false, "", "", ""}}) {
    Main t;
    t.Logon("PowerdownAfterShutdown", "0");
    t.registry.SeedValue(kHkeyCurrentUser, kPolicies, "NoDesktop", platform::kRegDword, kDwordOne);
    t.files.Put("C:\\Shell\\kiosque.exe", "MZ");
    t.Open();
    IDD_Main& w = t.window;
    if (c.all_users) t.screen.Click(w.IDOP_All);
    if (c.auto_login) t.screen.Click(w.IDCK_AutoLogin);
    t.Enter(w.IDE_Username, c.user);
    t.Enter(w.IDE_Password, c.password);
    t.Enter(w.IDE_ReEnterPassword, c.password);
    t.Enter(w.IDE_Domain, c.domain);
    t.Enter(w.IDE_Shell, "C:\\Shell\\kiosque.exe");
    t.screen.Click(*w.IDCK_Disable[2]);
    t.screen.Click(*w.IDCK_Disable[4]);
    if (!c.all_users) t.screen.Click(*w.IDCK_Disable[9]);
    t.registry.ClearCalls();
    t.screen.Click(w.IDCM_Save);

    EXPECT_EQ(t.Writes(), (std::vector<std::string>{"PowerdownAfterShutdown",
                                                    "AutoAdminLogon",
                                                    "DefaultUserName",
                                                    "DefaultPassword",
                                                    "DefaultDomainName",
                                                    "NoCommonGroups",
                                                    "NoInternetIcon",
                                                    "NoFavoritesMenu",
                                                    "NoRecentDocsMenu",
                                                    "NoSetFolders",
                                                    "NoSetActiveDesktop",
                                                    "NoSetTaskbar",
                                                    "NoFolderOptions",
                                                    "NoFind",
                                                    "NoRun",
                                                    "NoLogoff",
                                                    "NoClose",
                                                    "NoNetHood",
                                                    "NoViewContextMenu",
                                                    "NoDesktop",
                                                    "Shell"}));
    EXPECT_EQ(t.Stored(kHkeyLocalMachine, kWinlogon, "PowerdownAfterShutdown"), "1");
    EXPECT_EQ(t.Stored(kHkeyLocalMachine, kWinlogon, "AutoAdminLogon"), c.auto_login ? "1" : "0");
    EXPECT_EQ(t.Stored(kHkeyLocalMachine, kWinlogon, "DefaultUserName"), c.user);
    EXPECT_EQ(t.Stored(kHkeyLocalMachine, kWinlogon, "DefaultPassword"), c.password);
    EXPECT_EQ(t.Stored(kHkeyLocalMachine, kWinlogon, "DefaultDomainName"), c.domain);
    EXPECT_EQ(t.Stored(kHkeyLocalMachine, kWinlogon, "Shell"), "C:\\Shell\\kiosque.exe");
    const platform::RootKey scope = c.all_users ? kHkeyLocalMachine : kHkeyCurrentUser;
    const platform::RootKey other = c.all_users ? kHkeyCurrentUser : kHkeyLocalMachine;
    EXPECT_EQ(t.Stored(scope, kPolicies, "NoRun") + t.Stored(scope, kPolicies, "NoSetTaskbar"),
              "#1#1");
    EXPECT_EQ(t.Stored(other, kPolicies, "NoRun"), "-");
    EXPECT_EQ(t.Stored(kHkeyCurrentUser, kPolicies, "NoDesktop"), c.all_users ? "#1" : "-");
    EXPECT_TRUE(t.Clean());
    EXPECT_EQ(t.system.policy_notifications, 1);
    EXPECT_TRUE(t.screen.boxes().empty());
  }
}

TEST(Save, MismatchedPasswordsWriteNothingWhereverTheSaveStarts) {
  enum From { kButton, kCloseBox, kExitButton };
  for (const From from : {kButton, kCloseBox, kExitButton}) {
    for (const char* confirmation : {"secret", "Secret ", ""}) {
      SCOPED_TRACE(std::to_string(from) + " \"" + confirmation + "\"");
      Main t;
      t.Open();
      IDD_Main& w = t.window;
      t.screen.Click(w.IDCK_AutoLogin);
      t.screen.Click(*w.IDCK_Disable[4]);
      t.Enter(w.IDE_Password, "Secret");
      t.Enter(w.IDE_ReEnterPassword, confirmation);
      t.registry.ClearCalls();
      if (from == kButton) t.screen.Click(w.IDCM_Save);
      if (from == kCloseBox) t.screen.Close(w);
      if (from == kExitButton) t.screen.Click(w.IDCM_Exit);
      EXPECT_EQ(t.LastBox(), "Erreur|16|Mot de passe incorrect !");
      for (const auto& call : t.registry.calls())
        EXPECT_TRUE(call.op == "OpenKey" || call.op == "QueryValue" || call.op == "CloseKey")
            << call.op << " " << call.name;
      EXPECT_EQ(w.focused(), &w.IDE_Password);
      EXPECT_EQ(w.IDE_Password.sel_length(), 6);
      EXPECT_TRUE(w.IDCM_Save.enabled() && w.RestrictionsChanged && w.LogonChanged);
      EXPECT_FALSE(t.runtime.ended()) << "the window stays for a correction";
      EXPECT_TRUE(w.loaded());
    }
  }
}

TEST(Closing, RemindsOnQuitAsksOnlyWhenEditedThenEnds) {
  struct Case {
    int way;  // 0 close box, 1 button, 2 menu
    bool edited;
    int answer;
    std::vector<std::string> titles;
    bool saved;
  };
  const std::string q = "Quitter Ferrolis|";
  for (const Case& c :
       {Case{0, false, 0, {}, false}, Case{0, true, ui::kResultNo, {q + "36"}, false},
        Case{0, true, ui::kResultYes, {q + "36"}, true}, Case{1, false, 0, {q + "48"}, false},
        Case{2, true, ui::kResultYes, {q + "48", q + "36"}, true}}) {
    SCOPED_TRACE(std::to_string(c.way) + " " + std::to_string(c.edited));
    Main t;
    t.Open();
    if (c.edited) t.screen.Click(*t.window.IDCK_Disable[6]);
    if (c.way != 0) t.screen.Answer(ui::kResultOk);
    if (c.answer) t.screen.Answer(c.answer);
    if (c.way == 0) t.screen.Close(t.window);
    if (c.way == 1) t.screen.Click(t.window.IDCM_Exit);
    if (c.way == 2) t.screen.Click(t.window.Mnu_Quitter);
    std::vector<std::string> titles;
    for (const auto& box : t.screen.boxes())
      titles.push_back(box.title + "|" + std::to_string(box.style));
    EXPECT_EQ(titles, c.titles);
    if (c.way != 0) {
      EXPECT_EQ(t.screen.boxes()[0].prompt,
                "Vous devez redémarrer le micro-ordinateur\r"
                "pour que les modifications soient prises en compte !");
    }
    EXPECT_EQ(t.Stored(kHkeyCurrentUser, kPolicies, "NoClose"), c.saved ? "#1" : "-");
    EXPECT_EQ(t.system.exits.size(), 1u);
  }
}

TEST(ShellValue, WrittenOnlyForANormalFileAndAnUnwrittenChangeIsSaid) {
  struct Case {
    std::string text, stored;
    bool written;
    const char* message;  // a piece of the warning, nullptr for none
  };
  for (const Case& c :
       {Case{"C:\\Shell\\kiosque.exe", "explorer.exe", true, nullptr},
        Case{"explorer.exe", "explorer.exe", false, nullptr},
        Case{"explorer.exe", "C:\\Shell\\kiosque.exe", false, "« explorer.exe » ne désigne"},
        Case{"C:\\Shell\\kiosque.exe /plein", "", false, "Aucune valeur Shell"},
        Case{"C:\\Shell\\cache.exe", "explorer.exe", false, "reste « explorer.exe »"},
        Case{"A:\\kiosque.exe", "explorer.exe", false, "n'a pas pu être recherché"},
        Case{"   ", "explorer.exe", false, "est vide"}, Case{"   ", "", false, nullptr}}) {
    SCOPED_TRACE(c.text);
    Main t;
    t.files.Put("C:\\Shell\\kiosque.exe", "MZ");
    t.files.Put("C:\\Shell\\cache.exe", "MZ");
    t.files.Find("C:\\Shell\\cache.exe")->hidden = true;
    t.files.unreadable_drives.insert('A');
    if (!c.stored.empty()) t.Logon("Shell", c.stored);
    t.Open();
    t.screen.Click(t.window.IDOP_All);
    t.Enter(t.window.IDE_Shell, c.text);
    t.screen.Click(*t.window.IDCK_Disable[0]);  // something to save even when the text is kept
    t.screen.Click(t.window.IDCM_Save);
    EXPECT_EQ(t.Stored(kHkeyLocalMachine, kWinlogon, "Shell"),
              c.written ? c.text : (c.stored.empty() ? "-" : c.stored));
    EXPECT_TRUE(t.Clean()) << "the save completes";
    if (!c.message) {
      EXPECT_TRUE(t.screen.boxes().empty()) << t.LastBox();
      continue;
    }
    EXPECT_NE(t.LastBox().find("Exécuter Shell|48|"), std::string::npos) << t.LastBox();
    EXPECT_NE(t.LastBox().find(c.message), std::string::npos) << t.LastBox();
  }
}

TEST(MainWindowLayout, ControlsFitTheirContainerAndNeverOverlap) {
  Main t;
  std::vector<const ui::Control*> placed;
  for (const auto& control : t.window.controls())
    if (control->kind() != ui::ControlKind::MenuItem) placed.push_back(control.get());
  const auto inside = [&t](const ui::Control& c) {
    const ui::Twips p = c.position();
    const int width =
        c.container() ? c.container()->position().width : t.window.style().client_width;
    const int height =
        c.container() ? c.container()->position().height : t.window.style().client_height;
    return p.left >= 0 && p.top >= 0 && p.left + p.width <= width && p.top + p.height <= height;
  };
  for (const ui::Control* a : placed) {
    EXPECT_TRUE(inside(*a)) << a->name() << a->index();
    for (const ui::Control* b : placed) {
      if (a >= b || a->container() != b->container()) continue;
      const ui::Twips p = a->position(), q = b->position();
      EXPECT_TRUE(p.left + p.width <= q.left || q.left + q.width <= p.left ||
                  p.top + p.height <= q.top || q.top + q.height <= p.top)
          << a->name() << a->index() << " overlaps " << b->name() << b->index();
    }
  }
}

}  // namespace
}  // namespace ferrolis::mainwindow
