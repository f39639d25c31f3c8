#include "contract/files_env.h"
#include "support/memory_files.h"

namespace ferrolis::testing {
namespace {

class MemoryFilesEnv final : public FilesEnv {
 public:
  // Plays 64-bit Windows, as the Wine prefix of the cross-built suites does.
  MemoryFilesEnv() {
    files_.unreadable_drives.insert('Q');
    files_.wow64_system_directory = "C:\\WINDOWS\\SysWOW64";
  }
  platform::FileSystem& fs() override { return files_; }
  const platform::TextCodec& codec() override { return codec_; }
  std::string Scratch() override { return "C:\\scratch\\"; }
  void Put(const std::string& path, const std::string& bytes) override { files_.Put(path, bytes); }
  std::string Bytes(const std::string& path) override { return files_.Bytes(path); }
  bool Exists(const std::string& path) override { return files_.Has(path); }
  void SetAttributes(const std::string& path, bool hidden, bool system, bool read_only) override {
    auto* entry = files_.Find(path);
    entry->hidden = hidden;
    entry->system = system;
    entry->read_only = read_only;
  }
  void MakeFolder(const std::string& path) override {
    files_.Put(path, "");
    files_.Find(path)->directory = true;
  }
  std::string MissingDrive() override { return "Q:"; }
  // Drive A of the double shows this folder's files under "A:\".
  std::string FloppyFolder() override { return files_.unreadable_drives.count('A') ? "" : "A:\\"; }
  bool UnmapDriveA() override {
    files_.unreadable_drives.insert('A');
    return true;
  }

 private:
  MemoryFiles files_;
  platform::Cp1252Codec codec_;
};

}  // namespace

std::unique_ptr<FilesEnv> MakeFilesEnv() { return std::make_unique<MemoryFilesEnv>(); }

}  // namespace ferrolis::testing
