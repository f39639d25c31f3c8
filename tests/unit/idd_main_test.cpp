// The main window's loading, rights, scope switching, save and closing,
// headless, on the registry and file doubles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mainwindow/idd_main.h"
#include "support/main_window_world.h"
#include "ui/msgbox.h"

namespace ferrolis::mainwindow {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;
using Strings = std::vector<std::string>;

constexpr const char* kWinlogon = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

struct Main : testing::MainWindowWorld {
  explicit Main(bool administrator = true) {
    registry.SetAdministrator(administrator);
    registry.SeedKey(kHkeyLocalMachine, kWinlogon);
    const std::string entry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\app";
    registry.SeedValue(kHkeyLocalMachine, entry, "DisplayName", platform::kRegSz, Sz("Appli"));
    registry.SeedValue(kHkeyLocalMachine, entry, "UninstallString", platform::kRegSz, Sz("x"));
  }
  static std::vector<std::uint8_t> Sz(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
  }
  void Logon(const std::string& name, const std::string& text) {
    registry.SeedValue(kHkeyLocalMachine, kWinlogon, name, platform::kRegSz, Sz(text));
  }
  void Policy(platform::RootKey root, const std::string& name) {
    registry.SeedValue(root, kPolicies, name, platform::kRegDword, {1, 0, 0, 0});
  }
  void Open() {
    runtime.Dispatch([&] { window.Show(true); });
  }
  void Enter(ui::Control& box, const std::string& text) { runtime.UserChangedText(box, text); }
  // A stored value: its text, "#n" for a DWORD, "-" when absent.
  std::string Stored(platform::RootKey root, const char* path, const std::string& name) const {
    const auto raw = registry.Value(root, path, name);
    if (!raw) return "-";
    if (raw->type == platform::kRegDword) return "#" + std::to_string(raw->data[0]);
    return {raw->data.begin(), raw->data.end() - (raw->data.empty() ? 0 : 1)};
  }
  std::string Winlogon(const std::string& name) const {
    return Stored(kHkeyLocalMachine, kWinlogon, name);
  }
  // The values written or deleted since the last ClearCalls, in order.
  std::string Writes() const {
    std::string names;
    for (const auto& call : registry.calls())
      if (call.op == "SetValue" || call.op == "DeleteValue") names += call.name + " ";
    return names;
  }
  // Every box shown, as "title|style", and the last one's prompt.
  Strings Boxes() const {
    Strings shown;
    for (const auto& box : screen.boxes())
      shown.push_back(box.title + "|" + std::to_string(box.style));
    return shown;
  }
  std::string LastPrompt() const {
    return screen.boxes().empty() ? "" : screen.boxes().back().prompt;
  }
  bool Clean() const {
    return !window.IDCM_Save.enabled() && window.LogonChanged == kFalse &&
           window.RestrictionsChanged == kFalse;
  }
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
    t.Policy(kHkeyCurrentUser, "NoRun");
    t.Policy(kHkeyLocalMachine, "NoDesktop");
    t.Open();
    IDD_Main& w = t.window;
    EXPECT_TRUE(t.Clean() && t.screen.boxes().empty());
    EXPECT_EQ(w.AdminRights, c.administrator ? kTrue : kFalse);
    EXPECT_EQ(w.IDOP_Current.value(), 1);
    EXPECT_EQ(w.IDOP_All.value(), 0);
    EXPECT_EQ(w.IDCK_Disable[4]->value(), 1) << "current user";
    EXPECT_EQ(w.IDCK_Disable[9]->value(), 0) << "current user";
    EXPECT_EQ(w.IDE_ReEnterPassword.text(), "Mot de passe");
    EXPECT_EQ(w.lstPrograms.ListCount(), 1);
    for (ui::Control* control :
         {&w.IDOP_All, &w.IDCK_AutoLogin, &w.IDE_Domain, &w.IDL_Domain, &w.IDE_Password,
          &w.IDL_Password, &w.IDE_Username, &w.IDL_Username, &w.IDE_ReEnterPassword,
          &w.IDL_ReEnterPassword, &w.lstPrograms, &w.IDL_AddRemove, &w.cmdRefresh, &w.cmdDelete})
      EXPECT_EQ(control->enabled(), c.administrator) << control->name();
    EXPECT_FALSE(w.IDE_Shell.enabled() || w.IDL_Shell.enabled());
    for (ui::Control* control : {w.IDCK_Disable[0], &w.IDOP_Current, &w.IDCM_Exit, &w.Text1})
      EXPECT_TRUE(control->enabled()) << control->name();
  }
}

TEST(MainWindowLoad, AutoAdminLogonIsOnForTheText1OnlyAndAnotherPlatformIsRefused) {
  for (const auto& [stored, state] : std::vector<std::pair<const char*, int>>{
           {"1", 1}, {"0", 0}, {nullptr, 0}, {"2", 0}, {"oui", 0}, {" 1", 0}, {"-1", 0}}) {
    Main t;
    if (stored) t.Logon("AutoAdminLogon", stored);
    t.Open();
    EXPECT_EQ(t.window.IDCK_AutoLogin.value(), state) << (stored ? stored : "(none)");
    EXPECT_EQ(t.window.IDE_Username.enabled(), state == 1) << (stored ? stored : "(none)");
    EXPECT_TRUE(t.Clean());
  }
  for (const std::uint32_t id : {0u, 1u}) {
    Main t;
    t.system.platform_id = id;
    t.Open();
    EXPECT_EQ(t.Boxes(), Strings{"Erreur de version Windows - Quitter Ferrolis|0"});
    EXPECT_EQ(t.LastPrompt(),
              "Version Windows 95/98 détectée !\rFerrolis fonctionne uniquement sur Windows NT "
              "4.0/2000 PRO.\rVoir Gardelis pour Windows 95/98.");
    EXPECT_EQ(t.system.exits.size(), 1u);
    EXPECT_TRUE(t.registry.calls().empty()) << "nothing read after the refusal";
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
    t.Policy(c.to_all ? kHkeyLocalMachine : kHkeyCurrentUser, "NoFind");
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

    ASSERT_FALSE(t.screen.boxes().empty());
    EXPECT_EQ(t.Boxes()[0] + t.screen.boxes()[0].prompt,
              std::string("FerrolisNT|35Voulez vous enregistrer ") + (c.to_all ? "les" : "ces") +
                  " paramètres ?");
    const bool saved = c.answer == ui::kResultYes && !c.passwords_differ;
    const bool switched = saved || c.answer == ui::kResultNo;
    EXPECT_EQ(t.Stored(c.to_all ? kHkeyCurrentUser : kHkeyLocalMachine, kPolicies, "NoRun"),
              saved ? "#1" : "-");
    EXPECT_EQ(to.value(), switched ? 1 : 0);
    EXPECT_EQ(from.value(), switched ? 0 : 1);
    // The boxes show the new scope's NoFind, or still the edit of NoRun.
    EXPECT_EQ(w.IDCK_Disable[3]->value(), switched ? 1 : 0);
    EXPECT_EQ(w.IDCK_Disable[4]->value(), switched ? 0 : 1);
    EXPECT_EQ(w.IDE_Shell.enabled(), switched == c.to_all);
    EXPECT_EQ(w.ScopeReverting, kFalse);
    EXPECT_EQ(w.RestrictionsChanged != kFalse || w.IDCM_Save.enabled(), !switched);
    if (switched) continue;
    EXPECT_EQ(w.RestrictionsChanged, kTrue);
    EXPECT_EQ(t.Writes(), "") << "nothing written";
    const std::size_t shown = t.screen.boxes().size();
    t.screen.Answer(ui::kResultCancel);
    t.screen.Click(to);
    EXPECT_EQ(t.screen.boxes().size(), shown + 1) << "the next switch asks again";
  }
}

TEST(ScopeSwitch, AShellOnlyEditIsCleanAfterASwitchALogonEditIsNot) {
  for (const bool logon : {false, true}) {
    Main t;
    t.Logon("AutoAdminLogon", "1");  // the logon group can be used
    t.Open();
    t.screen.Click(t.window.IDOP_All);
    t.Enter(logon ? t.window.IDE_Username : t.window.IDE_Shell, "C:\\kiosque.exe");
    t.screen.Click(t.window.IDOP_Current);
    EXPECT_TRUE(t.screen.boxes().empty());
    EXPECT_EQ(t.window.IDCM_Save.enabled(), logon);
    t.screen.Close(t.window);
    EXPECT_EQ(t.screen.boxes().size(), logon ? 1u : 0u) << "closing asks only when edited";
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
    t.Policy(kHkeyCurrentUser, "NoDesktop");
    t.files.Put("C:\\Shell\\kiosque.exe", "MZ");
    t.Logon("Shell", "C:\\Shell\\kiosque.exe");  // shown in both scopes, editable in one
    t.Open();
    IDD_Main& w = t.window;
    if (c.all_users) t.screen.Click(w.IDOP_All);
    if (c.auto_login) t.screen.Click(w.IDCK_AutoLogin);
    t.Enter(w.IDE_Username, c.user);
    t.Enter(w.IDE_Password, c.password);
    t.Enter(w.IDE_ReEnterPassword, c.password);
    t.Enter(w.IDE_Domain, c.domain);
    t.Enter(w.IDE_Shell, "C:\\Shell\\kiosque.exe");
    for (const int box : {2, 4, 9}) t.screen.Click(*w.IDCK_Disable[box]);
    t.registry.ClearCalls();
    t.screen.Click(w.IDCM_Save);

    EXPECT_EQ(t.Writes(),
              "PowerdownAfterShutdown AutoAdminLogon DefaultUserName DefaultPassword "
              "DefaultDomainName NoCommonGroups NoInternetIcon NoFavoritesMenu NoRecentDocsMenu "
              "NoSetFolders NoSetActiveDesktop NoSetTaskbar NoFolderOptions NoFind NoRun NoLogoff "
              "NoClose NoNetHood NoViewContextMenu NoDesktop Shell ");
    EXPECT_EQ(t.Winlogon("PowerdownAfterShutdown") + "|" + t.Winlogon("AutoAdminLogon") + "|" +
                  t.Winlogon("DefaultUserName") + "|" + t.Winlogon("DefaultPassword") + "|" +
                  t.Winlogon("DefaultDomainName") + "|" + t.Winlogon("Shell"),
              "1|" + std::string(c.auto_login ? "1" : "0") + "|" + c.user + "|" +
                  (c.password.empty() ? "" : "-") + "|" + c.domain + "|C:\\Shell\\kiosque.exe");
    EXPECT_EQ(t.secrets.Retrieve("DefaultPassword").value_or(""), c.password);
    const platform::RootKey scope = c.all_users ? kHkeyLocalMachine : kHkeyCurrentUser;
    const platform::RootKey other = c.all_users ? kHkeyCurrentUser : kHkeyLocalMachine;
    EXPECT_EQ(t.Stored(scope, kPolicies, "NoRun") + t.Stored(scope, kPolicies, "NoSetTaskbar") +
                  t.Stored(scope, kPolicies, "NoDesktop") + t.Stored(other, kPolicies, "NoRun"),
              c.all_users ? "#1#1#1-" : "#1#1--");
    EXPECT_TRUE(t.Clean() && t.screen.boxes().empty());
    EXPECT_EQ(t.window.focused(), &w.IDCM_Exit) << "the disabled button hands the focus on";
    EXPECT_EQ(t.system.policy_notifications, 1);
  }
}

TEST(Save, MismatchedPasswordsWriteNothingWhereverTheSaveStarts) {
  enum From { kButton, kCloseBox, kExitButton, kSessionEnd };
  for (const From from : {kButton, kCloseBox, kExitButton, kSessionEnd}) {
    for (const char* confirmation : {"sécret", "Sécret ", ""}) {
      SCOPED_TRACE(std::to_string(from) + " \"" + confirmation + "\"");
      Main t;
      t.Open();
      IDD_Main& w = t.window;
      t.screen.Click(w.IDCK_AutoLogin);
      t.screen.Click(*w.IDCK_Disable[4]);
      t.Enter(w.IDE_Password, "Sécret");
      t.Enter(w.IDE_ReEnterPassword, confirmation);
      t.registry.ClearCalls();
      if (from == kButton) t.screen.Click(w.IDCM_Save);
      if (from == kCloseBox) t.screen.Close(w);
      if (from == kExitButton) t.screen.Click(w.IDCM_Exit);
      if (from == kSessionEnd) EXPECT_FALSE(t.runtime.UserQueryEndSession());
      EXPECT_EQ(t.Boxes().back() + t.LastPrompt(), "Erreur|16Mot de passe incorrect !");
      for (const auto& call : t.registry.calls())
        EXPECT_TRUE(call.op == "OpenKey" || call.op == "QueryValue" || call.op == "CloseKey")
            << call.op << " " << call.name;
      // The focus selects the whole password, counted in characters.
      EXPECT_EQ(w.focused(), &w.IDE_Password);
      EXPECT_EQ(w.IDE_Password.sel_start(), 0);
      EXPECT_EQ(w.IDE_Password.sel_length(), 6);
      EXPECT_TRUE(w.IDCM_Save.enabled() && w.RestrictionsChanged && w.LogonChanged);
      EXPECT_TRUE(w.loaded() && !t.runtime.ended()) << "the window stays for a correction";
    }
  }
}

// The logon password: shown from the secret, else from an earlier set-up's registry value, and
// saved into the secret; written in clear, and said once, only where Windows refuses the secret.
TEST(Save, TheLogonPasswordMovesIntoTheSecretOrIsSaidToBeInClear) {
  struct Case {
    const char *secret, *value, *typed;  // nullptr: none stored, nothing typed
    bool refuse, protect;                // the secret refused; the registry value too
    const char *shown, *saved, *box;     // saved: "registry value|secret"; box: in its prompt
  };
  for (const Case& c :
       {Case{nullptr, "Ancien", nullptr, false, false, "Ancien", "-|Ancien", ""},
        Case{"Neuf", "Ancien", nullptr, false, false, "Neuf", "-|Neuf", ""},
        Case{"Neuf", "Ancien", "", false, false, "Neuf", "|-", ""},
        Case{nullptr, "Ancien", "Mdp", true, false, "Ancien", "Mdp|-", "Le mot de passe AutoLogin"},
        Case{"Neuf", "Ancien", "Mdp", true, true, "Ancien", "Ancien|Neuf",
             ":\r• DefaultPassword\r"}}) {
    Main t;
    if (c.secret) t.secrets.stored["DefaultPassword"] = c.secret;
    if (c.value) t.Logon("DefaultPassword", c.value);
    if (c.protect) t.registry.ProtectValue(kHkeyLocalMachine, kWinlogon, "DefaultPassword");
    t.secrets.refuse = c.refuse;
    t.Open();
    EXPECT_EQ(t.window.IDE_Password.text(), c.shown);
    t.screen.Click(t.window.IDCK_AutoLogin);
    if (c.typed)
      for (ui::Control* box : {&t.window.IDE_Password, &t.window.IDE_ReEnterPassword})
        t.Enter(*box, c.typed);
    t.screen.Click(t.window.IDCM_Save);
    t.secrets.refuse = false;
    EXPECT_EQ(
        t.Winlogon("DefaultPassword") + "|" + t.secrets.Retrieve("DefaultPassword").value_or("-"),
        c.saved);
    EXPECT_EQ(t.Boxes(), *c.box ? Strings{"Enregistrer la configuration|48"} : Strings{});
    EXPECT_NE(t.LastPrompt().find(c.box), std::string::npos) << t.LastPrompt();
    EXPECT_EQ(t.Clean(), !c.protect);
  }
}

// Refused: a standard user's policy key, one Winlogon value, the rights test.
TEST(Save, RefusedWritesAreNamedAndKeepTheWindowUnsavedWhereverTheSaveStarts) {
  enum From { kButton, kCloseBox, kScopeSwitch };
  struct Case {
    const char* refused;
    std::string box, prompt;
    std::string stored;  // DefaultUserName|NoRun|NoClose of the current user
  };
  const std::string refusal = "Enregistrer la configuration|48";
  const std::string head = "Windows a refusé d'enregistrer ces paramètres :\r• ";
  const std::string tail =
      "\rIls sont restés tels qu'ils étaient. Les autres paramètres ont été enregistrés.";
  for (const Case& c :
       {Case{"policies", refusal,
             head + "Désactiver le bouton < Exécuter>\r• Désactiver le menu <Arrêter>" + tail,
             "Jean|-|#1"},
        Case{"DefaultDomainName", refusal, head + "DefaultDomainName" + tail, "Jean|#1|-"},
        Case{"PowerdownAfterShutdown", "Erreur de sauvegarde|16",
             "Vous n'avez pas les droits administrateur pour modifier cette section du regsitre !",
             "-|-|#1"}}) {
    for (const From from : {kButton, kCloseBox, kScopeSwitch}) {
      SCOPED_TRACE(std::string(c.refused) + " " + std::to_string(from));
      Main t;
      t.Policy(kHkeyCurrentUser, "NoClose");
      t.Logon("AutoAdminLogon", "1");
      if (c.refused == std::string("policies"))
        t.registry.ProtectKey(kHkeyCurrentUser,
                              "Software\\Microsoft\\Windows\\CurrentVersion\\Policies");
      else
        t.registry.ProtectValue(kHkeyLocalMachine, kWinlogon, c.refused);
      t.Open();
      IDD_Main& w = t.window;
      t.screen.Click(*w.IDCK_Disable[4]);  // on: written
      t.screen.Click(*w.IDCK_Disable[6]);  // off: NoClose deleted; the absent rest is no refusal
      t.Enter(w.IDE_Username, "Jean");
      t.registry.ClearCalls();
      if (from != kButton) t.screen.Answer(ui::kResultYes);
      if (from == kButton) t.screen.Click(w.IDCM_Save);
      if (from == kCloseBox) t.screen.Close(w);
      if (from == kScopeSwitch) t.screen.Click(w.IDOP_All);

      EXPECT_EQ(t.Boxes().back() + t.LastPrompt(), c.box + c.prompt);
      EXPECT_EQ(t.Boxes().size(), from == kButton ? 1u : 2u) << "one box says it all";
      EXPECT_EQ(t.Winlogon("DefaultUserName") + "|" +
                    t.Stored(kHkeyCurrentUser, kPolicies, "NoRun") + "|" +
                    t.Stored(kHkeyCurrentUser, kPolicies, "NoClose"),
                c.stored);
      EXPECT_EQ(t.Writes().starts_with("PowerdownAfterShutdown AutoAdminLogon"), c.box == refusal);
      EXPECT_TRUE(w.IDCM_Save.enabled() && w.RestrictionsChanged && w.LogonChanged && w.loaded() &&
                  !t.runtime.ended());
      EXPECT_EQ(w.IDOP_Current.value(), 1) << "the scope stays";
      EXPECT_EQ(w.IDOP_All.value(), 0) << "the scope stays";
      t.screen.Answer(ui::kResultNo);  // closing still asks
      t.screen.Close(w);
      EXPECT_EQ(t.Boxes().back(), "Quitter Ferrolis|36");
      EXPECT_TRUE(t.runtime.ended());
    }
  }
}

TEST(Closing, RemindsOnQuitAsksOnlyWhenEditedThenEnds) {
  struct Case {
    int way;  // 0 close box, 1 button, 2 menu, 3 the session's end
    bool edited;
    int answer;
    Strings boxes;
    bool saved;
    bool ends = true;  // false: the window stays with its edits
  };
  const std::string question = "Quitter Ferrolis|36", reminder = "Quitter Ferrolis|48";
  for (const Case& c :
       {Case{0, false, 0, {}, false}, Case{0, true, ui::kResultNo, {question}, false},
        Case{0, true, ui::kResultYes, {question}, true}, Case{1, false, 0, {reminder}, false},
        Case{2, true, ui::kResultYes, {reminder, question}, true},
        Case{0, true, ui::kResultCancel, {question}, false, false},
        Case{2, true, ui::kResultCancel, {reminder, question}, false, false},
        Case{3, false, 0, {}, false}, Case{3, true, ui::kResultNo, {question}, false},
        Case{3, true, ui::kResultYes, {question}, true},
        Case{3, true, ui::kResultCancel, {question}, false, false}}) {
    SCOPED_TRACE(std::to_string(c.way) + " " + std::to_string(c.edited));
    Main t;
    t.Open();
    if (c.edited) t.screen.Click(*t.window.IDCK_Disable[6]);
    if (c.way == 1 || c.way == 2) t.screen.Answer(ui::kResultOk);
    if (c.answer) t.screen.Answer(c.answer);
    if (c.way == 0) t.screen.Close(t.window);
    if (c.way == 1) t.screen.Click(t.window.IDCM_Exit);
    if (c.way == 2) t.screen.Click(t.window.Mnu_Quitter);
    if (c.way == 3) {
      EXPECT_EQ(t.runtime.UserQueryEndSession(), c.ends);
      EXPECT_TRUE(t.system.exits.empty()) << "the program ends when the session does";
      t.runtime.UserEndSession(c.ends);
    }
    EXPECT_EQ(t.Boxes(), c.boxes);
    if (c.way == 1 || c.way == 2) {
      EXPECT_EQ(t.screen.boxes()[0].prompt,
                "Vous devez redémarrer le micro-ordinateur\rpour que les modifications soient "
                "prises en compte !");
    }
    EXPECT_EQ(t.Stored(kHkeyCurrentUser, kPolicies, "NoClose"), c.saved ? "#1" : "-");
    EXPECT_EQ(t.system.exits.size(), c.ends ? 1u : 0u);
    EXPECT_EQ(!t.runtime.ended() && t.window.loaded() && t.window.IDCM_Save.enabled(), !c.ends);
  }
}

TEST(ShellValue, WrittenOnlyForANormalFileAndAnUnwrittenChangeIsSaid) {
  struct Case {
    std::string text, stored;
    bool written;
    std::string message;  // a piece of the warning, empty for none
  };
  for (const Case& c :
       {Case{"C:\\Shell\\kiosque.exe", "explorer.exe", true, ""},
        Case{"explorer.exe", "explorer.exe", false, ""},
        Case{"explorer.exe", "C:\\Shell\\kiosque.exe", false,
             "« explorer.exe » ne désigne aucun fichier existant."},
        Case{"C:\\Shell\\kiosque.exe /plein", "", false, "Aucune valeur Shell"},
        Case{"C:\\Shell\\cache.exe", "explorer.exe", false, "reste « explorer.exe »"},
        Case{"C:\\Shell\\cache.exe", "", false, "cache.exe » ne désigne pas un fichier ordinaire"},
        Case{"C:\\Shell\\Dossier", "", false, "« C:\\Shell\\Dossier » ne désigne pas un fichier"},
        Case{"C:\\Shell\\*.exe", "", false, "*.exe » contient un caractère générique"},
        Case{"C:\\Shell\\kiosque.ex?", "", false, "caractère générique"},
        // The box quotes the start and the end of a long text, never all of it.
        Case{"C:\\" + std::string(2000, 'a') + ".exe", "", false,
             "« C:\\" + std::string(37, 'a') + "…" + std::string(35, 'a') + ".exe » ne désigne"},
        Case{"A:\\kiosque.exe", "explorer.exe", false, "n'a pas pu être recherché"},
        Case{"   ", "explorer.exe", false, "est vide"}, Case{"   ", "", false, ""}}) {
    SCOPED_TRACE(c.text);
    Main t;
    t.files.Put("C:\\Shell\\kiosque.exe", "MZ");
    t.files.Put("C:\\Shell\\cache.exe", "MZ");
    t.files.Find("C:\\Shell\\cache.exe")->hidden = true;
    t.files.CreateFolders("C:\\Shell\\Dossier");
    t.files.unreadable_drives.insert('A');
    if (!c.stored.empty()) t.Logon("Shell", c.stored);
    t.Open();
    t.screen.Click(t.window.IDOP_All);
    t.Enter(t.window.IDE_Shell, c.text);
    t.screen.Click(*t.window.IDCK_Disable[0]);  // something to save even when the text is kept
    t.screen.Click(t.window.IDCM_Save);
    EXPECT_EQ(t.Winlogon("Shell"), c.written ? c.text : (c.stored.empty() ? "-" : c.stored));
    EXPECT_TRUE(t.Clean()) << "the save completes";
    EXPECT_EQ(t.Boxes(), !c.message.empty() ? Strings{"Exécuter Shell|48"} : Strings{});
    if (!c.message.empty()) {
      EXPECT_NE(t.LastPrompt().find(c.message), std::string::npos) << t.LastPrompt();
    }
  }
}

TEST(MainWindowLoad, SaysOnceWhenTheProgramRunsUnderAnotherAccountThanTheSession) {
  struct Case {
    const char *program, *session;
    bool said;
  };
  for (const Case c : {Case{"POSTE\\léa", "POSTE\\léa", false}, Case{"POSTE\\admin", "", false},
                       Case{"", "POSTE\\léa", false}, Case{"DOMAINE\\admin", "POSTE\\léa", true}}) {
    SCOPED_TRACE(std::string(c.program) + " / " + c.session);
    Main t;
    t.system.program_account = c.program;
    t.system.session_account = c.session;
    t.Open();
    EXPECT_EQ(t.Boxes(), c.said ? Strings{"Ferrolis|64"} : Strings{});
    if (c.said) {
      EXPECT_EQ(t.LastPrompt(),
                "Ferrolis s'exécute sous le compte DOMAINE\\admin, et non sous celui de la session "
                "(POSTE\\léa) : « Utilisateur courant » désigne le compte DOMAINE\\admin.");
    }
  }
}

TEST(QuoteForBox, QuotesAtMostEightyCharactersCutBetweenCharacters) {
  std::string eighty;
  for (int i = 0; i < 80; ++i) eighty += "é";
  EXPECT_EQ(ui::QuoteForBox(eighty), "« " + eighty + " »");
  EXPECT_EQ(ui::QuoteForBox(eighty + "x"),
            "« " + eighty.substr(0, 80) + "…" + eighty.substr(0, 76) + "x »");
}

TEST(MainWindowLayout, ControlsFitTheirContainerAndNeverOverlap) {
  Main t;
  const auto area = [&t](const ui::Control* c) {
    return c ? c->position()
             : ui::Twips{0, 0, t.window.style().client_width, t.window.style().client_height};
  };
  for (const auto& a : t.window.controls()) {
    if (a->kind() == ui::ControlKind::MenuItem) continue;
    const ui::Twips p = a->position(), box = area(a->container());
    EXPECT_TRUE(p.left >= 0 && p.top >= 0 && p.left + p.width <= box.width &&
                p.top + p.height <= box.height)
        << a->name() << a->index();
    for (const auto& b : t.window.controls()) {
      const ui::Twips q = b->position();
      if (a.get() >= b.get() || a->container() != b->container()) continue;
      EXPECT_TRUE(p.left + p.width <= q.left || q.left + q.width <= p.left ||
                  p.top + p.height <= q.top || q.top + q.height <= p.top)
          << a->name() << a->index() << " overlaps " << b->name() << b->index();
    }
  }
}

}  // namespace
}  // namespace ferrolis::mainwindow
