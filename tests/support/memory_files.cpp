#include "support/memory_files.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace ferrolis::testing {

using platform::FileError;

namespace {
constexpr unsigned long kFileNotFound = 2;
constexpr unsigned long kAccessDenied = 5;
constexpr unsigned long kNotReady = 21;
constexpr unsigned long kDiskFull = 112;

// A file search's pattern: "*" any run of characters, "?" any one character
// (byte-wise, enough for the names the tests use). Both sides folded already.
bool Matches(const char* pattern, const char* name) {
  if (*pattern == '\0') return *name == '\0';
  if (*pattern == '*')
    return Matches(pattern + 1, name) || (*name != '\0' && Matches(pattern, name + 1));
  if (*name == '\0') return false;
  return (*pattern == '?' || *pattern == *name) && Matches(pattern + 1, name + 1);
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
}  // namespace

class MemoryFiles::File final : public platform::RecordFile {
 public:
  File(MemoryFiles& owner, std::shared_ptr<Entry> entry)
      : owner_(owner), entry_(std::move(entry)) {}

  std::uint64_t Length() override { return entry_->bytes.size(); }

  std::string Read(std::uint64_t offset, std::size_t count) override {
    if (offset >= entry_->bytes.size()) return {};
    return entry_->bytes.substr(static_cast<std::size_t>(offset), count);
  }

  void Write(std::uint64_t offset, const std::string& bytes) override {
    const auto end = static_cast<std::size_t>(offset) + bytes.size();
    const std::size_t growth = end > entry_->bytes.size() ? end - entry_->bytes.size() : 0;
    if (owner_.free_space && growth > *owner_.free_space) {
      // A full disk takes what fits, then fails.
      const auto fits = static_cast<std::size_t>(*owner_.free_space);
      if (entry_->bytes.size() < offset + fits) entry_->bytes.resize(offset + fits, '\0');
      std::memcpy(entry_->bytes.data() + offset, bytes.data(), std::min(fits, bytes.size()));
      *owner_.free_space = 0;
      throw FileError("disk full", kDiskFull);
    }
    if (owner_.free_space) *owner_.free_space -= growth;
    if (entry_->bytes.size() < end) entry_->bytes.resize(end, '\0');
    std::memcpy(entry_->bytes.data() + offset, bytes.data(), bytes.size());
  }

  void Flush() override {}

 private:
  MemoryFiles& owner_;
  std::shared_ptr<Entry> entry_;
};

std::string MemoryFiles::Key(const std::string& path) {
  std::string key = path;
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return key;
}

void MemoryFiles::CheckDrive(const std::string& path) const {
  if (path.size() >= 2 && path[1] == ':' &&
      unreadable_drives.count(
          static_cast<char>(std::toupper(static_cast<unsigned char>(path[0]))))) {
    throw FileError("drive not ready: " + path, kNotReady);
  }
}

void MemoryFiles::CheckWritable(const std::string& path) const {
  CheckDrive(path);
  if (read_only_folders.count(Key(FolderOf(path))) || read_only_folders.count(FolderOf(path))) {
    throw FileError("access denied: " + path, kAccessDenied);
  }
}

void MemoryFiles::CheckHeld(const std::string& path) {
  const auto it = held.find(path);
  if (it != held.end() && it->second-- > 0)
    throw FileError("held: " + path, platform::kFileSharingViolation);
}

void MemoryFiles::Put(const std::string& path, const std::string& bytes) {
  auto entry = std::make_shared<Entry>();
  entry->bytes = bytes;
  entries_[Key(path)] = std::move(entry);
}

MemoryFiles::Entry* MemoryFiles::Find(const std::string& path) {
  const auto it = entries_.find(Key(path));
  return it == entries_.end() ? nullptr : it->second.get();
}

std::string MemoryFiles::Bytes(const std::string& path) {
  const Entry* entry = Find(path);
  return entry == nullptr ? std::string() : entry->bytes;
}

unsigned MemoryFiles::GetSystemDirectoryA(char* buffer, unsigned size) {
  const auto length = static_cast<unsigned>(system_directory.size());
  if (length == 0) return 0;
  if (length + 1 > size) return length + 1;
  std::memcpy(buffer, system_directory.data(), length);
  buffer[length] = '\0';
  return length;
}

platform::FoundEntry MemoryFiles::FindEntry(const std::string& path) {
  CheckDrive(path);
  using platform::FoundEntry;
  const auto kind = [](const Entry& entry) {
    return entry.hidden || entry.system || entry.directory ? FoundEntry::OtherEntry
                                                           : FoundEntry::NormalFile;
  };
  const std::string key = Key(path);
  const std::string folder = FolderOf(key);
  const std::string pattern = key.substr(folder.size());
  if (pattern.find_first_of("*?") == std::string::npos) {
    const Entry* entry = Find(path);
    return entry == nullptr ? FoundEntry::Nothing : kind(*entry);
  }
  // A normal file among the entries of the folder that the pattern matches.
  FoundEntry found = FoundEntry::Nothing;
  for (const auto& [name, entry] : entries_) {
    if (name.size() > folder.size() && name.compare(0, folder.size(), folder) == 0 &&
        name.find('\\', folder.size()) == std::string::npos &&
        Matches(pattern.c_str(), name.c_str() + folder.size())) {
      found = kind(*entry);
      if (found == FoundEntry::NormalFile) break;
    }
  }
  return found;
}

void MemoryFiles::Delete(const std::string& path) {
  CheckWritable(path);
  const auto it = entries_.find(Key(path));
  if (it == entries_.end()) throw FileError("not found: " + path, kFileNotFound);
  if (it->second->read_only || it->second->directory)
    throw FileError("access denied: " + path, kAccessDenied);
  entries_.erase(it);
}

std::unique_ptr<platform::RecordFile> MemoryFiles::OpenRecordFile(const std::string& path,
                                                                  bool create) {
  CheckDrive(path);
  CheckHeld(path);
  auto it = entries_.find(Key(path));
  if (create) {
    CheckWritable(path);
    if (it != entries_.end() && (it->second->read_only || it->second->directory)) {
      throw FileError("access denied: " + path, kAccessDenied);
    }
    auto entry = std::make_shared<Entry>();
    entries_[Key(path)] = entry;
    return std::make_unique<File>(*this, entry);
  }
  if (it == entries_.end() || it->second->directory)
    throw FileError("not found: " + path, kFileNotFound);
  return std::make_unique<File>(*this, it->second);
}

std::unique_ptr<platform::RecordFile> MemoryFiles::CreateNewRecordFile(const std::string& path) {
  if (Has(path)) throw FileError("already there: " + path, platform::kFileExists);
  return OpenRecordFile(path, true);
}

void MemoryFiles::ClearAttributes(const std::string& path) {
  if (Entry* entry = Find(path)) entry->hidden = entry->system = entry->read_only = false;
}

void MemoryFiles::Replace(const std::string& from, const std::string& to) {
  CheckWritable(from);
  CheckWritable(to);
  CheckHeld(to);
  const auto source = entries_.find(Key(from));
  if (source == entries_.end()) throw FileError("not found: " + from, kFileNotFound);
  const auto target = entries_.find(Key(to));
  if (target != entries_.end() && (target->second->read_only || target->second->directory)) {
    throw FileError("access denied: " + to, kAccessDenied);
  }
  auto entry = source->second;
  entries_.erase(source);
  entries_[Key(to)] = std::move(entry);
}

bool MemoryFiles::PathExists(const std::string& path) {
  CheckDrive(path);
  return Find(path) != nullptr;
}

void MemoryFiles::CreateFolders(const std::string& path) {
  std::size_t next = path.size() >= 2 && path[1] == ':' ? 3 : 0;
  while (next <= path.size()) {
    std::size_t end = path.find('\\', next);
    if (end == std::string::npos) end = path.size();
    if (end > next) {
      const std::string level = path.substr(0, end);
      if (const Entry* entry = Find(level)) {
        if (!entry->directory) throw FileError("a file is in the way: " + level, 80);
      } else {
        CheckWritable(level);
        Put(level, "");
        Find(level)->directory = true;
      }
    }
    next = end + 1;
  }
}

std::vector<std::string> MemoryFiles::FilesIn(const std::string& folder) const {
  std::vector<std::string> files;
  const std::string prefix = Key(folder) + "\\";
  for (const auto& [key, entry] : entries_) {
    if (!entry->directory && key.rfind(prefix, 0) == 0 &&
        key.find('\\', prefix.size()) == std::string::npos) {
      files.push_back(key);
    }
  }
  return files;
}

}  // namespace ferrolis::testing
