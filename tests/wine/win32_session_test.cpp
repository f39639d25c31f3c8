// Logoff and shutdown as Windows asks them, on the real main window over the
// platform doubles: the reply to WM_QUERYENDSESSION is the answer the window
// gives to its closing question, and WM_ENDSESSION says whether it ends.
#include <gtest/gtest.h>

#include "access/module1.h"
#include "mainwindow/idd_main.h"
#include "platform/text_codec.h"
#include "platform/win32/win32_renderer.h"
#include "program/services.h"
#include "support/fake_shell.h"
#include "support/fake_system.h"
#include "support/memory_files.h"
#include "support/memory_registry.h"
#include "support/memory_secrets.h"
#include "ui/runtime.h"
#include "wine/dialog_answerer.h"

namespace ferrolis::platform::win32 {
namespace {

struct MainWindowOnScreen {
  testing::FakeSystem system;
  ui::Runtime runtime{program::HostOf(system)};
  Win32Renderer renderer{runtime, GetModuleHandleW(nullptr)};
  testing::MemoryFiles files;
  Cp1252Codec codec;
  testing::MemoryRegistry registry;
  testing::FakeShell shell;
  testing::MemorySecrets secrets;
  program::Services services{runtime, system, registry, files, shell, codec, secrets};
  access::Module1 module{files, codec, runtime};
  std::unique_ptr<mainwindow::IDD_Main> window;

  MainWindowOnScreen() {
    runtime.SetRenderer(renderer);
    window = std::make_unique<mainwindow::IDD_Main>(services, module);
    window->Show(false);
  }
  LRESULT QueryEndSession() {
    return SendMessageW(reinterpret_cast<HWND>(window->hwnd()), WM_QUERYENDSESSION, 0,
                        ENDSESSION_LOGOFF);
  }
  void EndSession(bool ending) {
    SendMessageW(reinterpret_cast<HWND>(window->hwnd()), WM_ENDSESSION, ending, ENDSESSION_LOGOFF);
  }
};

TEST(Win32Session, NothingToSaveLetsTheSessionEndAtOnce) {
  MainWindowOnScreen on;
  EXPECT_EQ(on.QueryEndSession(), TRUE) << "nothing to save: the session may end";
  EXPECT_TRUE(on.system.exits.empty()) << "the program ends when the session does";
  on.EndSession(true);
  EXPECT_EQ(on.system.exits, std::vector<int>{0});
}

TEST(Win32Session, AQuestionAnsweredNoLetsTheSessionEndAndAFailedSaveHoldsIt) {
  MainWindowOnScreen on;
  on.window->IDCK_Disable[4]->SetValue(1);
  on.window->IDE_Password.SetText("un");
  on.window->IDE_ReEnterPassword.SetText("deux");
  {
    testing::DialogAnswerer question(L"Quitter Ferrolis", IDYES);
    testing::DialogAnswerer refusal(L"Erreur", IDOK);
    EXPECT_EQ(on.QueryEndSession(), FALSE) << "the save the user asked for did not happen";
    EXPECT_EQ(question.Prompt(), L"Voulez vous enregistrer les modifications ?");
    EXPECT_EQ(question.owner, reinterpret_cast<HWND>(on.window->hwnd()));
    EXPECT_TRUE(refusal.found);
  }
  EXPECT_TRUE(on.window->loaded());
  EXPECT_TRUE(on.window->IDCM_Save.enabled());
  EXPECT_TRUE(on.system.exits.empty());

  testing::DialogAnswerer question(L"Quitter Ferrolis", IDNO);
  EXPECT_EQ(on.QueryEndSession(), TRUE);
  EXPECT_TRUE(question.found);
  on.EndSession(true);
  EXPECT_EQ(on.system.exits, std::vector<int>{0});
}

}  // namespace
}  // namespace ferrolis::platform::win32
