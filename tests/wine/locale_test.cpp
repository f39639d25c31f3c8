// The password file does not depend on the user's locale: under a French
// locale, whose decimal separator is ",", the bytes and the decoding stay.
#include <windows.h>

#include <gtest/gtest.h>

#include <clocale>

#include "access/module1.h"
#include "contract/files_env.h"
#include "program/services.h"
#include "support/fake_system.h"
#include "support/headless_renderer.h"

namespace ferrolis::testing {
namespace {

TEST(PasswordFileLocale, ACommaLocaleChangesNoByte) {
  auto env = MakeFilesEnv();
  FakeSystem system;
  ui::Runtime runtime{program::HostOf(system)};
  HeadlessRenderer screen{runtime};
  access::Module1 module{env->fs(), env->codec(), runtime};
  const std::string path = env->Scratch() + "FRLS.PW";

  module.EncodePasswordFile(path, "Mot de passe 1");
  const std::string reference = env->Bytes(path);

  const std::string previous = std::setlocale(LC_ALL, nullptr);
  ASSERT_NE(std::setlocale(LC_ALL, "French_France.1252"), nullptr);
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  const LCID previous_thread_locale = GetThreadLocale();
  SetThreadLocale(MAKELCID(MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), SORT_DEFAULT));

  module.EncodePasswordFile(path, "Mot de passe 1");
  const std::string under_french = env->Bytes(path);
  const std::string decoded = module.DecodePasswordFile(path);

  SetThreadLocale(previous_thread_locale);
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(under_french, reference);
  EXPECT_NE(under_french.find('.'), std::string::npos);
  EXPECT_EQ(under_french.find(','), std::string::npos);
  EXPECT_EQ(decoded, "Mot de passe 1");
}

}  // namespace
}  // namespace ferrolis::testing
