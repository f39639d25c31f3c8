// The file operations of the password store, run against the in-memory double
// natively and against real files under Wine.
#include <gtest/gtest.h>

#include "access/module1.h"
#include "contract/files_env.h"
#include "program/services.h"
#include "support/fake_system.h"
#include "support/headless_renderer.h"
#include "ui/msgbox.h"

namespace ferrolis::testing {
namespace {

class FilesContract : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) { return env_->Scratch() + name; }

  std::unique_ptr<FilesEnv> env_ = MakeFilesEnv();
  platform::FileSystem& fs_ = env_->fs();
};

TEST_F(FilesContract, FindNormalFileSeesNormalReadOnlyAndArchiveFilesOnly) {
  for (const char* name : {"normal", "readonly", "hidden", "system", "both"})
    env_->Put(Path(name), "x");
  env_->SetAttributes(Path("readonly"), false, false, true);
  env_->SetAttributes(Path("hidden"), true, false, false);
  env_->SetAttributes(Path("system"), false, true, false);
  env_->SetAttributes(Path("both"), true, true, false);
  env_->MakeFolder(Path("folder"));

  EXPECT_TRUE(fs_.FindNormalFile(Path("normal")));
  EXPECT_TRUE(fs_.FindNormalFile(Path("NORMAL")));
  EXPECT_TRUE(fs_.FindNormalFile(Path("readonly")));
  // What is there but is not a normal file is told from what is not there.
  using platform::FoundEntry;
  for (const char* name : {"hidden", "system", "both", "folder", "h*", "fold?r"})
    EXPECT_EQ(fs_.FindEntry(Path(name)), FoundEntry::OtherEntry) << name;
  for (const char* name : {"missing", "no-such-folder\\FRLS.PW", "x*"})
    EXPECT_EQ(fs_.FindEntry(Path(name)), FoundEntry::Nothing) << name;
  // Wildcards: any normal match counts, not only the first one listed.
  EXPECT_TRUE(fs_.FindNormalFile(Path("*")));
  EXPECT_TRUE(fs_.FindNormalFile(Path("?ormal")));
  env_->SetAttributes(Path("readonly"), false, false, false);

  // A name outside the ANSI code page is searched as it is: as "?" it would be
  // a wildcard and find another file.
  env_->Put(Path("Zukasz.exe"), "x");
  EXPECT_FALSE(fs_.FindNormalFile(Path("Łukasz.exe")));
  env_->Put(Path("Łukasz.exe"), "x");
  EXPECT_TRUE(fs_.FindNormalFile(Path("Łukasz.exe")));
}

TEST_F(FilesContract, AMissingDriveIsAnErrorNotAMissingFile) {
  EXPECT_THROW(fs_.FindNormalFile(env_->MissingDrive() + "\\FRLS.PW"), platform::FileError);
  EXPECT_THROW(fs_.OpenRecordFile(env_->MissingDrive() + "\\FRLS.PW", true), platform::FileError);
}

TEST_F(FilesContract, RecordFilesReadWriteAndMeasure) {
  {
    const auto file = fs_.OpenRecordFile(Path("records"), true);
    EXPECT_EQ(file->Length(), 0u);
    file->Write(0, std::string(50, 'a'));
    file->Write(50, std::string(50, 'b'));
    file->Write(10, "XY");
    file->Flush();
    EXPECT_EQ(file->Length(), 100u);
  }
  EXPECT_EQ(env_->Bytes(Path("records")),
            std::string(10, 'a') + "XY" + std::string(38, 'a') + std::string(50, 'b'));
  {
    const auto file = fs_.OpenRecordFile(Path("records"), false);
    EXPECT_EQ(file->Read(50, 50), std::string(50, 'b'));
    EXPECT_EQ(file->Read(90, 50), std::string(10, 'b')) << "short at the end";
    EXPECT_EQ(file->Read(200, 50), "");
  }
  // Creating again empties the file.
  fs_.OpenRecordFile(Path("records"), true);
  EXPECT_EQ(env_->Bytes(Path("records")), "");
  EXPECT_THROW(fs_.OpenRecordFile(Path("missing"), false), platform::FileError);
}

TEST_F(FilesContract, ReplaceAndDelete) {
  env_->Put(Path("old"), "old bytes");
  env_->Put(Path("new"), "new bytes");
  fs_.Replace(Path("new"), Path("old"));
  EXPECT_EQ(env_->Bytes(Path("old")), "new bytes");
  EXPECT_FALSE(env_->Exists(Path("new")));
  fs_.Replace(Path("old"), Path("fresh"));
  EXPECT_EQ(env_->Bytes(Path("fresh")), "new bytes");
  EXPECT_TRUE(fs_.PathExists(Path("fresh")));
  fs_.Delete(Path("fresh"));
  EXPECT_FALSE(fs_.PathExists(Path("fresh")));
  EXPECT_THROW(fs_.Delete(Path("fresh")), platform::FileError);

  env_->Put(Path("locked"), "kept");
  env_->Put(Path("incoming"), "lost");
  env_->SetAttributes(Path("locked"), false, false, true);
  EXPECT_THROW(fs_.Replace(Path("incoming"), Path("locked")), platform::FileError);
  EXPECT_EQ(env_->Bytes(Path("locked")), "kept");
  env_->SetAttributes(Path("locked"), false, false, false);
}

class PasswordFilesContract : public FilesContract {
 protected:
  FakeSystem system_;
  ui::Runtime runtime_{program::HostOf(system_)};
  HeadlessRenderer screen_{runtime_};
  access::Module1 module_{fs_, env_->codec(), runtime_};
};

TEST_F(PasswordFilesContract, WritesTheExactBytesAndReadsThemBack) {
  const std::string path = Path("FRLS.PW");
  module_.EncodePasswordFile(path, "aA");
  std::string expected = " 84.8687258939633";
  expected.resize(50, ' ');
  std::string second = " 113.741591404281";
  second.resize(50, ' ');
  EXPECT_EQ(env_->Bytes(path), expected + second);
  EXPECT_EQ(module_.DecodePasswordFile(path), "aA");
  EXPECT_FALSE(env_->Exists(path + ".tmp"));

  module_.EncodePasswordFile(path, "Été");
  EXPECT_EQ(env_->Bytes(path).size(), 150u);
  EXPECT_EQ(module_.DecodePasswordFile(path), "Été");
  module_.EncodePasswordFile(path, "");
  EXPECT_TRUE(env_->Exists(path));
  EXPECT_EQ(env_->Bytes(path), "");
}

TEST_F(PasswordFilesContract, AReadOnlyFileIsNotReplacedAndStaysWhole) {
  const std::string path = Path("FRLS.PW");
  module_.EncodePasswordFile(path, "ancien");
  env_->SetAttributes(path, false, false, true);
  EXPECT_THROW(module_.EncodePasswordFile(path, "nouveau"), platform::FileError);
  EXPECT_EQ(module_.DecodePasswordFile(path), "ancien");
  EXPECT_FALSE(env_->Exists(path + ".tmp"));
  env_->SetAttributes(path, false, false, false);
}

TEST_F(PasswordFilesContract, AReadOnlyLeftoverTemporaryFileNeitherBlocksNorSpreads) {
  const std::string path = Path("FRLS.PW");
  env_->Put(path + ".1.tmp", "stale");
  env_->SetAttributes(path + ".1.tmp", false, false, true);
  module_.EncodePasswordFile(path, "premier");
  // A second change works only if the first one left no read-only file.
  module_.EncodePasswordFile(path, "second");
  EXPECT_EQ(module_.DecodePasswordFile(path), "second");
  EXPECT_FALSE(env_->Exists(path + ".1.tmp"));
  EXPECT_FALSE(env_->Exists(path + ".2.tmp"));
}

TEST_F(PasswordFilesContract, TheSystemDirectoryIsAFolderThatExists) {
  const std::string directory = module_.GetSystemDir();
  ASSERT_FALSE(directory.empty());
  EXPECT_NE(directory.back(), '\\');
  EXPECT_EQ(module_.SystemCopyPath(), directory + "\\FRLS.PW");
}

// On 64-bit Windows the copy of an earlier 32-bit release in SysWOW64 is read
// when the native one is missing, and a change writes both.
TEST_F(PasswordFilesContract, The64BitSystemCopyAndTheSysWow64One) {
  const std::string wow64 = module_.Wow64CopyPath();
  if (wow64.empty()) GTEST_SKIP() << "32-bit Windows";
  const std::string native = module_.SystemCopyPath();
  ASSERT_NE(fs_.Wow64SystemDirectory(), module_.GetSystemDir());
  for (const std::string& path : {native, wow64}) {
    if (fs_.PathExists(path)) fs_.Delete(path);
  }
  module_.EncodePasswordFile(wow64, "ancien");
  EXPECT_EQ(module_.FindSystemCopy(), wow64);
  module_.ReadPasswordFile();
  EXPECT_EQ(module_.StoredPassword, "ancien");
  module_.WritePasswordFile("nouveau");
  EXPECT_EQ(module_.FindSystemCopy(), native);
  EXPECT_EQ(module_.DecodePasswordFile(native), "nouveau");
  EXPECT_EQ(env_->Bytes(wow64), env_->Bytes(native));
  for (const std::string& path : {native, wow64}) fs_.Delete(path);
}

TEST_F(PasswordFilesContract, ReadsTheFloppyCopyThroughDriveA) {
  const std::string floppy = env_->FloppyFolder();
  ASSERT_FALSE(floppy.empty()) << "drive A must be mapped for this test";
  module_.EncodePasswordFile(floppy + "FRLS.PW", "disquette");
  EXPECT_EQ(module_.ReadFloppyPassword(), "disquette");
  env_->SetAttributes(floppy + "FRLS.PW", true, false, false);
  EXPECT_FALSE(module_.ReadFloppyPassword().has_value());
  ASSERT_EQ(screen_.boxes().size(), 3u);
  EXPECT_EQ(screen_.boxes()[2].title, "Mot de passe non trouvé");
  env_->SetAttributes(floppy + "FRLS.PW", false, false, false);
  if (floppy != "A:\\") fs_.Delete(floppy + "FRLS.PW");
}

TEST_F(PasswordFilesContract, WithoutDriveAReadingTheFloppyReportsAnError) {
  ASSERT_TRUE(env_->UnmapDriveA()) << "drive A must be absent for this test";
  EXPECT_THROW(module_.FileExists("A:\\FRLS.PW"), platform::FileError);
  EXPECT_FALSE(module_.ReadFloppyPassword().has_value());
  ASSERT_EQ(screen_.boxes().size(), 2u);
  EXPECT_EQ(
      screen_.boxes()[1].prompt,
      "Disquette non formatée - Erreur sur la disquette ou Fichier mot de passe non trouvé !");
  EXPECT_EQ(screen_.boxes()[1].title, "Erreur");
}

}  // namespace
}  // namespace ferrolis::testing
