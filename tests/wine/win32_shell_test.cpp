// The shell's About box through the ANSI entry point.
#include "platform/win32/win32_shell.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ferrolis::platform::win32
