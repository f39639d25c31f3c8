// The shell's About box, starting a program, and the older folder dialog.
#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/win32/win32_text.h"
#include "wine/dialog_answerer.h"

namespace ferrolis::platform::win32 {
namespace {

TEST(Win32Shell, AboutBoxKeepsEveryCharacterOfItsTexts) {
  Win32Shell shell;
  // UTF-8 would show "Ã©" for "é"; the ANSI code page 1252 has no "Ł".
  testing::DialogAnswerer answer(L"Ferrolis é Ł", IDOK);
  shell.ShellAbout(0, "Ferrolis é Ł", "Réglages du poste Ł", 0);
  ASSERT_TRUE(answer.found) << "no About box with \"Ferrolis é Ł\" in its title";
  EXPECT_TRUE(answer.Shows(L"Réglages du poste Ł"));
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

  Win32Shell shell;
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

// The older folder dialog, for where the picker is missing, opens in the
// folder it is given and gives it back on OK, nothing on Cancel; it shows the
// title inside, not as its caption. (The picker, under Wine, takes part in the
// end-to-end export.)
TEST(Win32Shell, TheOlderFolderDialogOpensInItsStartFolderAndTellsOkFromCancel) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring start = std::wstring(temp) + L"ferrolis-dossier-é";
  CreateDirectoryW(start.c_str(), nullptr);
  for (const int button : {IDOK, IDCANCEL}) {
    testing::DialogAnswerer answer(L"", button);
    const FolderDialogResult result =
        ShowFolderDialog(FolderDialogKind::Browser, 0, "Choisir é", Narrow(start));
    ASSERT_TRUE(answer.found && result.shown);
    EXPECT_TRUE(answer.Shows(L"Choisir é"));
    EXPECT_EQ(Widen(result.folder.value_or("")), button == IDOK ? start : L"");
  }
  RemoveDirectoryW(start.c_str());
}

}  // namespace
}  // namespace ferrolis::platform::win32
