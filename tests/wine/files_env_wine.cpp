// The file contract environment under Wine: real files in a temporary folder,
// attributes set through kernel32, drive A as the test script mapped it.
#include <windows.h>

#include <cstdlib>

#include "contract/files_env.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_text.h"

namespace ferrolis::testing {
namespace {

using platform::win32::Narrow;
using platform::win32::Widen;

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

class RealFilesEnv final : public FilesEnv {
 public:
  RealFilesEnv() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"ferrolis-files-" + std::to_wstring(GetCurrentProcessId()) +
              L"-" + std::to_wstring(++counter_);
    RemoveTree(folder_);
    CreateDirectoryW(folder_.c_str(), nullptr);
  }
  ~RealFilesEnv() override { RemoveTree(folder_); }

  platform::FileSystem& fs() override { return files_; }
  const platform::TextCodec& codec() override { return codec_; }
  std::string Scratch() override { return Narrow(folder_) + "\\"; }

  void Put(const std::string& path, const std::string& bytes) override {
    const HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }

  std::string Bytes(const std::string& path) override {
    const HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
      bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
  }

  bool Exists(const std::string& path) override {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  void SetAttributes(const std::string& path, bool hidden, bool system, bool read_only) override {
    DWORD attributes = 0;
    if (hidden) attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (system) attributes |= FILE_ATTRIBUTE_SYSTEM;
    if (read_only) attributes |= FILE_ATTRIBUTE_READONLY;
    SetFileAttributesW(Widen(path).c_str(), attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes);
  }

  void MakeFolder(const std::string& path) override {
    CreateDirectoryW(Widen(path).c_str(), nullptr);
  }

  std::string MissingDrive() override {
    const DWORD drives = GetLogicalDrives();
    for (int letter = 'Q'; letter <= 'Y'; ++letter) {
      if ((drives & (1u << (letter - 'A'))) == 0)
        return std::string(1, static_cast<char>(letter)) + ":";
    }
    return "Q:";
  }

  std::string FloppyFolder() override {
    // The test script maps drive A to this folder and names it here.
    const char* folder = std::getenv("FERROLIS_FLOPPY_FOLDER");
    return folder == nullptr ? std::string() : std::string(folder);
  }
  // The script runs the tests that need drive A absent separately, unmapped.
  bool UnmapDriveA() override { return FloppyFolder().empty(); }

 private:
  static inline int counter_ = 0;
  std::wstring folder_;
  platform::win32::Win32FileSystem files_;
  platform::win32::Win32TextCodec codec_;
};

}  // namespace

std::unique_ptr<FilesEnv> MakeFilesEnv() { return std::make_unique<RealFilesEnv>(); }

}  // namespace ferrolis::testing
