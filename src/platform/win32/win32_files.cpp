#include "platform/win32/win32_files.h"

#include <windows.h>
// after <windows.h>
#include <shlobj.h>

#include "platform/win32/win32_handle.h"
#include "platform/win32/win32_text.h"

namespace ferrolis::platform::win32 {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
  const DWORD code = GetLastError();
  throw FileError(what + " failed for " + path + " (error " + std::to_string(code) + ")", code);
}

// "X:\" for a path on a drive letter, "\\server\share\" for a UNC path, or
// empty when the path names no root of its own.
std::wstring RootOf(const std::wstring& path) {
  if (path.size() >= 2 && path[1] == L':') return path.substr(0, 2) + L"\\";
  if (path.rfind(L"\\\\", 0) == 0) {
    const auto share = path.find(L'\\', 2);
    if (share == std::wstring::npos) return path + L"\\";
    const auto end = path.find(L'\\', share + 1);
    return end == std::wstring::npos ? path + L"\\" : path.substr(0, end + 1);
  }
  return {};
}

// The system directory when Windows sends this process from it to SysWOW64
// (a 32-bit process on 64-bit Windows); empty otherwise.
const std::string& RedirectedSystemDirectory() {
  static const std::string directory = [] {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64) || !wow64) return std::string();
    wchar_t system[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : Narrow(system);
  }();
  return directory;
}

// The open file is owned from CreateFileW on: a failed allocation while it
// is handed to its record closes it.
class Win32RecordFile final : public RecordFile {
 public:
  Win32RecordFile(OwnedKernelHandle handle, std::string path)
      : handle_(std::move(handle)), path_(std::move(path)) {}

  std::uint64_t Length() override {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(handle_, &size)) Fail("GetFileSizeEx", path_);
    return static_cast<std::uint64_t>(size.QuadPart);
  }

  std::string Read(std::uint64_t offset, std::size_t count) override {
    Seek(offset);
    std::string bytes(count, '\0');
    std::size_t done = 0;
    while (done < count) {
      DWORD got = 0;
      if (!ReadFile(handle_, bytes.data() + done, static_cast<DWORD>(count - done), &got,
                    nullptr)) {
        Fail("ReadFile", path_);
      }
      if (got == 0) break;
      done += got;
    }
    bytes.resize(done);
    return bytes;
  }

  void Write(std::uint64_t offset, const std::string& bytes) override {
    Seek(offset);
    std::size_t done = 0;
    while (done < bytes.size()) {
      DWORD put = 0;
      if (!WriteFile(handle_, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &put,
                     nullptr) ||
          put == 0) {
        Fail("WriteFile", path_);
      }
      done += put;
    }
  }

  void Flush() override {
    if (!FlushFileBuffers(handle_)) Fail("FlushFileBuffers", path_);
  }

 private:
  void Seek(std::uint64_t offset) {
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(handle_, position, nullptr, FILE_BEGIN)) Fail("SetFilePointerEx", path_);
  }

  OwnedKernelHandle handle_;
  std::string path_;
};

std::unique_ptr<RecordFile> OpenedRecordFile(HANDLE handle, const std::string& path) {
  if (handle == INVALID_HANDLE_VALUE) Fail("CreateFile", path);
  OwnedKernelHandle owned(handle);
  return std::make_unique<Win32RecordFile>(std::move(owned), path);
}

}  // namespace

std::wstring PathOnDisk(const std::string& path) {
  const std::string& redirected = RedirectedSystemDirectory();
  return Widen(redirected.empty() ? path : SysnativePath(path, redirected));
}

unsigned Win32FileSystem::GetSystemDirectoryA(char* buffer, unsigned size) {
  return ::GetSystemDirectoryA(buffer, size);
}

std::string Win32FileSystem::Wow64SystemDirectory() {
  wchar_t folder[MAX_PATH] = {};
  // Fails with ERROR_CALL_NOT_IMPLEMENTED on 32-bit Windows.
  const UINT length = GetSystemWow64DirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  std::wstring path(folder, length);
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return Narrow(path);
}

FoundEntry Win32FileSystem::FindEntry(const std::string& path) {
  const std::wstring wide = PathOnDisk(path);
  WIN32_FIND_DATAW found;
  const HANDLE first = FindFirstFileW(wide.c_str(), &found);
  if (first == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return FoundEntry::Nothing;
    if (error == ERROR_PATH_NOT_FOUND) {
      // A missing folder is "not found"; a missing or unreadable drive is not.
      const std::wstring root = RootOf(wide);
      if (root.empty() || GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return FoundEntry::Nothing;
      }
    }
    SetLastError(error);
    Fail("FindFirstFile", path);
  }
  const OwnedSearch search(first);
  // A wildcard may match several entries: the search succeeds when any of
  // them is a normal file, not only the first one listed.
  const DWORD excluded = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
  bool normal = false;
  do {
    normal = (found.dwFileAttributes & excluded) == 0;
  } while (!normal && FindNextFileW(search, &found));
  return normal ? FoundEntry::NormalFile : FoundEntry::OtherEntry;
}

void Win32FileSystem::Delete(const std::string& path) {
  if (!DeleteFileW(PathOnDisk(path).c_str())) Fail("DeleteFile", path);
}

std::unique_ptr<RecordFile> Win32FileSystem::OpenRecordFile(const std::string& path, bool create) {
  const DWORD access = create ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
  return OpenedRecordFile(
      CreateFileW(PathOnDisk(path).c_str(), access, FILE_SHARE_READ, nullptr,
                  create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
      path);
}

std::unique_ptr<RecordFile> Win32FileSystem::CreateNewRecordFile(const std::string& path) {
  // CREATE_NEW fails on anything already there, so the file is always a new
  // one with the attributes asked for here, never those of a leftover.
  return OpenedRecordFile(
      CreateFileW(PathOnDisk(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr),
      path);
}

void Win32FileSystem::Replace(const std::string& from, const std::string& to) {
  // Windows refuses to replace a read-only file; not every implementation of
  // MoveFileEx does, so the rule is enforced here.
  const DWORD target = GetFileAttributesW(PathOnDisk(to).c_str());
  if (target != INVALID_FILE_ATTRIBUTES && (target & FILE_ATTRIBUTE_READONLY) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    Fail("MoveFileEx", to);
  }
  if (!MoveFileExW(PathOnDisk(from).c_str(), PathOnDisk(to).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    Fail("MoveFileEx", to);
  }
}

void Win32FileSystem::ClearAttributes(const std::string& path) {
  if (!SetFileAttributesW(PathOnDisk(path).c_str(), FILE_ATTRIBUTE_NORMAL))
    Fail("SetFileAttributes", path);
}

void Win32FileSystem::Pause(unsigned milliseconds) { Sleep(milliseconds); }

bool Win32FileSystem::PathExists(const std::string& path) {
  return GetFileAttributesW(PathOnDisk(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Win32FileSystem::LocalAppDataFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
    return {};
  std::wstring path = folder;
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return Narrow(path);
}

void Win32FileSystem::CreateFolders(const std::string& path) {
  const std::wstring wide = PathOnDisk(path);
  // Each level in turn, from the first one below the root of the path.
  const std::size_t root = RootOf(wide).size();
  std::size_t next = root;
  while (next <= wide.size()) {
    std::size_t end = wide.find(L'\\', next);
    if (end == std::wstring::npos) end = wide.size();
    if (end > next) {
      const std::wstring level = wide.substr(0, end);
      // A folder that is already there is fine, whatever the error says
      // (a protected parent can answer "access denied" for it).
      if (!CreateDirectoryW(level.c_str(), nullptr)) {
        const DWORD error = GetLastError();
        const DWORD attributes = GetFileAttributesW(level.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
          SetLastError(error == ERROR_ALREADY_EXISTS ? ERROR_FILE_EXISTS : error);
          Fail("CreateDirectory", Narrow(level));
        }
      }
    }
    next = end + 1;
  }
}

}  // namespace ferrolis::platform::win32
