#include "access/module1.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "access/password_codec.h"
#include "program/services.h"
#include "support/fake_system.h"
#include "support/headless_renderer.h"
#include "support/memory_files.h"
#include "ui/msgbox.h"

namespace ferrolis::access {
namespace {

using testing::MemoryFiles;

constexpr const char* kSystemCopy = "C:\\WINDOWS\\system32\\FRLS.PW";

class Module1Test : public ::testing::Test {
 protected:
  testing::FakeSystem system_;
  ui::Runtime runtime_{program::HostOf(system_)};
  testing::HeadlessRenderer screen_{runtime_};
  MemoryFiles files_;
  platform::Cp1252Codec codec_;
  Module1 module_{files_, codec_, runtime_};
};

std::string Record(const std::string& text) {
  std::string record = text;
  record.resize(kRecordLength, ' ');
  return record;
}

TEST_F(Module1Test, BuildsThePathsFromTheSystemDirectory) {
  EXPECT_EQ(module_.GetSystemDir(), "C:\\WINDOWS\\system32");
  EXPECT_EQ(module_.SystemCopyPath(), kSystemCopy);
  files_.system_directory = "C:\\";
  EXPECT_EQ(module_.SystemCopyPath(), "C:\\FRLS.PW");
  files_.system_directory = codec_.ToAnsi("D:\\Système");
  EXPECT_EQ(module_.GetSystemDir(), "D:\\Système");
  files_.system_directory.clear();
  EXPECT_EQ(module_.GetSystemDir(), "");
  EXPECT_EQ(module_.SystemCopyPath(), "\\FRLS.PW");
  files_.system_directory = std::string(300, 'x');  // does not fit the buffer
  EXPECT_EQ(module_.GetSystemDir(), "");
  EXPECT_EQ(Module1::FloppyCopyPath(), "A:\\FRLS.PW");
}

TEST_F(Module1Test, AddTrailingBackslash) {
  EXPECT_EQ(Module1::AddTrailingBackslash(""), "\\");
  EXPECT_EQ(Module1::AddTrailingBackslash("C:"), "C:\\");
  EXPECT_EQ(Module1::AddTrailingBackslash("C:\\WINNT\\system32"), "C:\\WINNT\\system32\\");
  EXPECT_EQ(Module1::AddTrailingBackslash("C:\\"), "C:\\");
}

TEST_F(Module1Test, FileExistsFindsNormalFilesOnly) {
  files_.Put("C:\\dir\\normal", "x");
  files_.Put("C:\\dir\\readonly", "x");
  files_.Find("C:\\dir\\readonly")->read_only = true;
  files_.Put("C:\\dir\\hidden", "x");
  files_.Find("C:\\dir\\hidden")->hidden = true;
  files_.Put("C:\\dir\\system", "x");
  files_.Find("C:\\dir\\system")->system = true;
  files_.Put("C:\\dir\\folder", "");
  files_.Find("C:\\dir\\folder")->directory = true;
  EXPECT_TRUE(module_.FileExists("C:\\dir\\normal"));
  EXPECT_TRUE(module_.FileExists("c:\\DIR\\Normal"));
  EXPECT_TRUE(module_.FileExists("C:\\dir\\readonly"));
  EXPECT_FALSE(module_.FileExists("C:\\dir\\hidden"));
  EXPECT_FALSE(module_.FileExists("C:\\dir\\system"));
  EXPECT_FALSE(module_.FileExists("C:\\dir\\folder"));
  EXPECT_FALSE(module_.FileExists("C:\\dir\\missing"));
  files_.unreadable_drives.insert('A');
  EXPECT_THROW(module_.FileExists("A:\\FRLS.PW"), platform::FileError);
}

TEST_F(Module1Test, EncodeWritesOneFiftyByteRecordPerCharacter) {
  module_.EncodePasswordFile(kSystemCopy, "aA");
  EXPECT_EQ(files_.Bytes(kSystemCopy), Record(" 84.8687258939633") + Record(" 113.741591404281"));
  // Accented characters are stored by their ANSI code (é is 233).
  module_.EncodePasswordFile(kSystemCopy, "é");
  EXPECT_EQ(files_.Bytes(kSystemCopy), Record(RenderRecordNumber(EncodeCharacter(233, 1))));
  module_.EncodePasswordFile(kSystemCopy, "");
  EXPECT_TRUE(files_.Has(kSystemCopy));
  EXPECT_EQ(files_.Bytes(kSystemCopy), "");
  EXPECT_EQ(module_.DecodePasswordFile(kSystemCopy), "");
  EXPECT_EQ(files_.FileCount(), 1u) << "no temporary file is left behind";
}

TEST_F(Module1Test, EveryAnsiTextSurvivesTheRoundTrip) {
  std::string all_codes;
  for (int c = 1; c < 256; ++c) all_codes += static_cast<char>(c);
  for (const std::string& password :
       {std::string("Mot de passe"), std::string("  aa  "), std::string("ZZZZZZZZ"),
        std::string("Été à l'œil €"), codec_.FromAnsi(all_codes), std::string(1, '\0') + "x"}) {
    module_.EncodePasswordFile(kSystemCopy, password);
    EXPECT_EQ(files_.Bytes(kSystemCopy).size(), codec_.ToAnsi(password).size() * kRecordLength);
    EXPECT_EQ(module_.DecodePasswordFile(kSystemCopy), password);
  }
}

TEST_F(Module1Test, AShorterPasswordLeavesNoTraceOfALongerOne) {
  module_.EncodePasswordFile(kSystemCopy, "un mot de passe long");
  module_.EncodePasswordFile(kSystemCopy, "court");
  EXPECT_EQ(files_.Bytes(kSystemCopy).size(), 5 * kRecordLength);
  EXPECT_EQ(module_.DecodePasswordFile(kSystemCopy), "court");
}

TEST_F(Module1Test, DecodeReadsFilesOfWholeRecordsOnly) {
  // Cut or grown by part of a record, a file is damaged: 49 spaces would read
  // as the empty password.
  for (const std::size_t size : {49, 51, 149}) {
    files_.Put(kSystemCopy, std::string(size, ' '));
    EXPECT_THROW(module_.DecodePasswordFile(kSystemCopy), PasswordFileError) << size;
  }
  // A record of spaces is the character with code 0.
  files_.Put(kSystemCopy, Record("") + Record(" 113.741591404281"));
  EXPECT_EQ(module_.DecodePasswordFile(kSystemCopy), std::string(1, '\0') + "A");
  // Neither the leading space nor padding matter; the number is read from the start.
  files_.Put(kSystemCopy, Record("84.8687258939633 trailing words"));
  EXPECT_EQ(module_.DecodePasswordFile(kSystemCopy), "a");
}

TEST_F(Module1Test, DecodeFailsOnDamagedRecordsAndLeavesStoredPassword) {
  files_.system_directory = "C:\\WINDOWS\\system32";
  module_.StoredPassword = "avant";
  files_.Put(kSystemCopy, Record(" 99999"));  // code far above 255
  EXPECT_THROW(module_.ReadPasswordFile(), PasswordFileError);
  files_.Put(kSystemCopy, Record(" -5"));
  EXPECT_THROW(module_.ReadPasswordFile(), PasswordFileError);
  files_.Put(kSystemCopy, Record(" 1E999"));
  EXPECT_THROW(module_.ReadPasswordFile(), PasswordFileError);
  EXPECT_EQ(module_.StoredPassword, "avant");
  EXPECT_THROW(module_.DecodePasswordFile("C:\\missing\\FRLS.PW"), platform::FileError);
}

TEST_F(Module1Test, AFailedWriteLeavesTheOldFileWhole) {
  module_.WritePasswordFile("ancien");
  const std::string before = files_.Bytes(kSystemCopy);

  files_.free_space = 120;  // room for two records and a bit
  EXPECT_THROW(module_.WritePasswordFile("nouveau mot de passe"), platform::FileError);
  EXPECT_EQ(files_.Bytes(kSystemCopy), before);
  EXPECT_EQ(files_.FileCount(), 1u) << "the partial file is removed";

  files_.free_space.reset();
  files_.read_only_folders.insert("C:\\WINDOWS\\system32\\");
  EXPECT_THROW(module_.WritePasswordFile("nouveau"), platform::FileError);
  EXPECT_EQ(files_.Bytes(kSystemCopy), before);

  files_.read_only_folders.clear();
  files_.Find(kSystemCopy)->read_only = true;
  EXPECT_THROW(module_.WritePasswordFile("nouveau"), platform::FileError);
  EXPECT_EQ(module_.DecodePasswordFile(kSystemCopy), "ancien");
}

// A file held by another program (sharing violation) is tried again a few
// times, briefly; one that stays held makes the read or the change fail.
TEST_F(Module1Test, AHeldFileIsTriedAgainBriefly) {
  for (const bool write : {false, true}) {
    for (const int held : {1, 99}) {
      MemoryFiles files;
      Module1 module(files, codec_, runtime_);
      module.WritePasswordFile("ancien");
      files.held[kSystemCopy] = held;
      try {
        write ? module.WritePasswordFile("nouveau") : module.ReadPasswordFile();
      } catch (const platform::FileError&) {
        EXPECT_EQ(held, 99);
      }
      EXPECT_EQ(files.pauses, std::vector<unsigned>(held == 1 ? 1 : 4, 100)) << write;
      files.held.clear();
      EXPECT_EQ(module.DecodePasswordFile(kSystemCopy) + "|" + module.StoredPassword,
                held == 99 ? "ancien|"
                : write    ? "nouveau|"
                           : "ancien|ancien");
    }
  }
}

TEST_F(Module1Test, WritePasswordFileWritesTheSystemCopy) {
  module_.WritePasswordFile("secret");
  module_.StoredPassword.clear();
  module_.ReadPasswordFile();
  EXPECT_EQ(module_.StoredPassword, "secret");
}

// 64-bit Windows: the native copy, and the SysWOW64 copy of earlier 32-bit
// releases, which is read only when the native one is missing and is kept in
// step with it. Both change or neither does.
TEST_F(Module1Test, OnePasswordFilePerMachineAcrossTheSysWow64Copy) {
  constexpr const char* kWow64Copy = "C:\\WINDOWS\\SysWOW64\\FRLS.PW";
  const auto decoded = [this](const char* path) {
    return files_.Has(path) ? module_.DecodePasswordFile(path) : std::string("(none)");
  };
  EXPECT_EQ(module_.Wow64CopyPath(), "") << "32-bit Windows has no SysWOW64";
  files_.wow64_system_directory = "C:\\WINDOWS\\SysWOW64";
  EXPECT_EQ(module_.Wow64CopyPath(), kWow64Copy);
  EXPECT_EQ(module_.FindSystemCopy(), std::nullopt);

  // Only an earlier 32-bit release's copy: no first use, its password holds.
  module_.EncodePasswordFile(kWow64Copy, "ancien 32 bits");
  EXPECT_EQ(module_.FindSystemCopy(), kWow64Copy);
  module_.ReadPasswordFile();
  EXPECT_EQ(module_.StoredPassword, "ancien 32 bits");

  module_.WritePasswordFile("nouveau");
  EXPECT_EQ(decoded(kSystemCopy) + "|" + decoded(kWow64Copy), "nouveau|nouveau");
  EXPECT_EQ(module_.FindSystemCopy(), kSystemCopy) << "the native copy comes first";

  // The native copy cannot be written: the SysWOW64 copy gets its bytes back.
  files_.read_only_folders.insert("C:\\WINDOWS\\system32\\");
  EXPECT_THROW(module_.WritePasswordFile("refusé"), platform::FileError);
  EXPECT_EQ(decoded(kSystemCopy) + "|" + decoded(kWow64Copy), "nouveau|nouveau");
  // Nor can the SysWOW64 one: nothing changes.
  files_.read_only_folders = {"C:\\WINDOWS\\SysWOW64\\"};
  EXPECT_THROW(module_.WritePasswordFile("refusé"), platform::FileError);
  EXPECT_EQ(decoded(kSystemCopy) + "|" + decoded(kWow64Copy), "nouveau|nouveau");

  // A hidden SysWOW64 copy is no copy: neither read nor written.
  files_.read_only_folders.clear();
  files_.Delete(kSystemCopy);
  files_.Find(kWow64Copy)->hidden = true;
  EXPECT_EQ(module_.FindSystemCopy(), std::nullopt);
  module_.WritePasswordFile("seul");
  EXPECT_EQ(decoded(kSystemCopy) + "|" + decoded(kWow64Copy), "seul|nouveau");
}

TEST_F(Module1Test, TellsTheFirstCharacterThePasswordFileCannotHold) {
  for (const auto& [password, character] : std::vector<std::pair<std::string, std::string>>{
           {"", ""},
           {"Été à l'œil € ÿ", ""},
           {"Łukasz", "Ł"},  // Windows would store "L", a best-fit look-alike
           {"abc Жx ✓", "Ж"},
           {"ok😀", "😀"},
       }) {
    EXPECT_EQ(module_.UnstorableCharacter(password), character) << password;
  }
}

class FloppyTest : public Module1Test {
 protected:
  static constexpr const char* kFloppy = "A:\\FRLS.PW";
  static constexpr const char* kInsertPrompt =
      "Insérer une disquette formatée dans le lecteur A avec le fichier mot de passe !";
};

TEST_F(FloppyTest, CancelEndsWithoutFurtherMessage) {
  module_.EncodePasswordFile(kFloppy, "disquette");
  screen_.Answer(ui::kResultCancel);
  EXPECT_FALSE(module_.ReadFloppyPassword().has_value());
  ASSERT_EQ(screen_.boxes().size(), 1u);
  EXPECT_EQ(screen_.boxes()[0].prompt, kInsertPrompt);
  EXPECT_EQ(screen_.boxes()[0].title, "Mot de passe sur disquette");
  EXPECT_EQ(screen_.boxes()[0].style, ui::kOkCancel);
}

TEST_F(FloppyTest, ReadsTheCopyWithoutTouchingTheStoredPassword) {
  module_.StoredPassword = "système";
  module_.EncodePasswordFile(kFloppy, "disquette");
  EXPECT_EQ(module_.ReadFloppyPassword(), "disquette");
  EXPECT_EQ(module_.StoredPassword, "système");
  EXPECT_EQ(screen_.boxes().size(), 1u);
}

TEST_F(FloppyTest, MissingFileIsReportedAsNotFound) {
  EXPECT_FALSE(module_.ReadFloppyPassword().has_value());
  ASSERT_EQ(screen_.boxes().size(), 2u);
  EXPECT_EQ(screen_.boxes()[1].prompt, "Fichier mot de passe non trouvé !");
  EXPECT_EQ(screen_.boxes()[1].title, "Mot de passe non trouvé");
  EXPECT_EQ(screen_.boxes()[1].style, ui::kOkOnly + ui::kInformation);
}

TEST_F(FloppyTest, DriveErrorsAndDamagedFilesAreReportedAsErrors) {
  const auto expect_error_box = [this] {
    ASSERT_EQ(screen_.boxes().size(), 2u);
    EXPECT_EQ(
        screen_.boxes()[1].prompt,
        "Disquette non formatée - Erreur sur la disquette ou Fichier mot de passe non trouvé !");
    EXPECT_EQ(screen_.boxes()[1].title, "Erreur");
    EXPECT_EQ(screen_.boxes()[1].style, ui::kOkOnly + ui::kExclamation);
  };
  files_.unreadable_drives.insert('A');
  EXPECT_FALSE(module_.ReadFloppyPassword().has_value());
  expect_error_box();

  testing::HeadlessRenderer fresh{runtime_};
  files_.unreadable_drives.clear();
  files_.Put(kFloppy, Record(" 4000"));
  EXPECT_FALSE(module_.ReadFloppyPassword().has_value());
  ASSERT_EQ(fresh.boxes().size(), 2u);
  EXPECT_EQ(fresh.boxes()[1].title, "Erreur");
}

}  // namespace
}  // namespace ferrolis::access
