// The shell's About box through the ANSI entry point, starting a program, and
// the two folder dialogs.
#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/win32/win32_text.h"
#include "wine/dialog_answerer.h"

namespace ferrolis::platform::win32 {
namespace {

TEST(Win32Shell, AboutBoxGetsItsTextsInTheAnsiCodePage) {
  Win32TextCodec ansi;
  Win32Shell shell(ansi);
  // UTF-8 handed to ShellAboutA as it is would show "Ã©" for "é".
  testing::DialogAnswerer answer(L"Ferrolis é", IDOK);
  shell.ShellAbout(0, "Ferrolis é", "Réglages du poste", 0);
  ASSERT_TRUE(answer.found) << "no About box with \"Ferrolis é\" in its title";
  EXPECT_TRUE(answer.Shows(L"Réglages du poste"));
}

// What the probe program in `folder` wrote (its command line), once it has run.
std::string CommandLineWrittenIn(const std::wstring& folder) {
  const std::wstring file = folder + L"command_line.txt";
  for (int i = 0; i < 100 && GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
    Sleep(100);
  Sleep(100);  // the probe closes the file right after writing it
  std::ifstream in(file.c_str(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Win32Shell, StartsTheFileItIsGivenQuotedNeverAProgramNamedByThePathsFirstWord) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring root =
      std::wstring(temp) + L"ferrolis-start-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  const std::wstring folder = root + L"Dossier avec espace\\";
  const std::wstring files[] = {folder + L"probe.exe", folder + L"command_line.txt",
                                root + L"Dossier.exe", root + L"command_line.txt"};
  const auto clean = [&] {
    for (const std::wstring& file : files) DeleteFileW(file.c_str());
  };
  clean();  // what a run that failed may have left
  CreateDirectoryW(root.c_str(), nullptr);
  CreateDirectoryW(folder.c_str(), nullptr);
  // The probe built beside this test, and a copy that an unquoted command line starts first.
  wchar_t self[MAX_PATH] = {};
  std::wstring probe(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  probe = probe.substr(0, probe.find_last_of(L'\\') + 1) + L"ferrolis_command_line_probe.exe";
  ASSERT_TRUE(CopyFileW(probe.c_str(), files[0].c_str(), FALSE) &&
              CopyFileW(probe.c_str(), files[2].c_str(), FALSE));

  Win32TextCodec ansi;
  Win32Shell shell(ansi);
  EXPECT_TRUE(shell.StartProgram(Narrow(folder + L"probe.exe"), SW_HIDE));
  std::string quoted = "\"";
  quoted += Narrow(folder) + "probe.exe\"";
  EXPECT_EQ(CommandLineWrittenIn(folder), quoted);
  EXPECT_EQ(GetFileAttributesW((root + L"command_line.txt").c_str()), INVALID_FILE_ATTRIBUTES)
      << "the planted Dossier.exe ran";
  EXPECT_FALSE(shell.StartProgram(Narrow(folder + L"absent.exe"), SW_HIDE));

  clean();
  RemoveDirectoryW(folder.c_str());
  RemoveDirectoryW(root.c_str());
}

// Each dialog opens in the folder it is given, and gives back the folder
// chosen, nothing for Cancel. The picker, the one PickFolder shows first, is
// answered as a user who types a subfolder's name does: under Wine its OK with
// no name typed chooses nothing, and a name is taken in the folder shown.
TEST(Win32Shell, BothFolderDialogsOpenInTheirStartFolderAndTellOkFromCancel) {
  const std::string documents = DocumentsFolder();
  const DWORD attributes = GetFileAttributesW(Widen(documents).c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      << documents;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring start = std::wstring(temp) + L"ferrolis-dossier-é";
  const std::wstring inner = start + L"\\Parc";
  CreateDirectoryW(start.c_str(), nullptr);
  CreateDirectoryW(inner.c_str(), nullptr);
  const struct {
    FolderDialogKind kind;
    const wchar_t* title;  // the older dialog shows the title inside, not as its caption
    const wchar_t* typed;
    const std::wstring* chosen;
  } cases[] = {{FolderDialogKind::Picker, L"Choisir é", L"Parc", &inner},
               {FolderDialogKind::Browser, L"", L"", &start}};
  for (const auto& c : cases) {
    for (const int button : {IDOK, IDCANCEL}) {
      testing::DialogAnswerer answer(c.title, button, c.typed);
      const FolderDialogResult result = ShowFolderDialog(c.kind, 0, "Choisir é", Narrow(start));
      ASSERT_TRUE(answer.found) << static_cast<int>(c.kind);
      EXPECT_TRUE(result.shown);
      EXPECT_EQ(result.folder.has_value(), button == IDOK) << static_cast<int>(c.kind);
      if (result.folder) {
        EXPECT_EQ(lstrcmpiW(Widen(*result.folder).c_str(), c.chosen->c_str()), 0) << *result.folder;
      }
    }
  }
  RemoveDirectoryW(inner.c_str());
  RemoveDirectoryW(start.c_str());
}

}  // namespace
}  // namespace ferrolis::platform::win32
