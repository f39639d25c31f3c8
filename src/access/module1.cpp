#include "access/module1.h"

#include <string>

#include "access/password_codec.h"
#include "platform/ascii.h"
#include "ui/msgbox.h"
#include "ui/runtime.h"

namespace ferrolis::access {
namespace {

// An antivirus or the indexer may hold a file for a moment: an operation the
// file system refuses for a sharing or lock conflict is tried again a few
// times, within about half a second, before its failure counts.
constexpr int kAttempts = 5;
constexpr unsigned kPauseMs = 100;

bool Held(const platform::FileError& error, bool access_too) {
  const unsigned long code = error.code();
  return code == platform::kFileSharingViolation || code == platform::kFileLockViolation ||
         (access_too && code == platform::kFileAccessDenied);
}

// `access_too`: a file open without delete sharing answers "access denied" to
// a replacement, so that counts as held too.
template <class Action>
auto Retrying(platform::FileSystem& files, bool access_too, Action action) {
  for (int attempt = 1;; ++attempt) {
    try {
      return action();
    } catch (const platform::FileError& error) {
      if (attempt == kAttempts || !Held(error, access_too)) throw;
    }
    files.Pause(kPauseMs);
  }
}

}  // namespace

Module1::Module1(platform::FileSystem& files, const platform::TextCodec& codec,
                 ui::Runtime& runtime)
    : files_(files), codec_(codec), runtime_(runtime) {}

bool Module1::Matches(const std::string& typed) const { return typed == StoredPassword; }

std::string Module1::GetSystemDir() {
  constexpr unsigned kBufferSize = 255;
  std::string buffer(kBufferSize, ' ');
  const unsigned count = files_.GetSystemDirectoryA(buffer.data(), kBufferSize);
  // A count beyond the buffer means the call did not fit and wrote nothing.
  if (count == 0 || count > kBufferSize) return {};
  return codec_.FromAnsi(std::string_view(buffer).substr(0, count));
}

std::string Module1::AddTrailingBackslash(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path;
  return path + "\\";
}

bool Module1::FileExists(const std::string& path) { return files_.FindNormalFile(path); }

std::string Module1::SystemCopyPath() {
  return AddTrailingBackslash(GetSystemDir()) + kPasswordFileName;
}

std::string Module1::Wow64CopyPath() {
  const std::string directory = files_.Wow64SystemDirectory();
  return directory.empty() ? std::string() : AddTrailingBackslash(directory) + kPasswordFileName;
}

std::optional<std::string> Module1::FindSystemCopy() {
  const std::string native = SystemCopyPath();
  if (FileExists(native)) return native;
  const std::string wow64 = Wow64CopyPath();
  if (!wow64.empty() && FileExists(wow64)) return wow64;
  return std::nullopt;
}

std::string Module1::UnstorableCharacter(const std::string& password) const {
  for (std::size_t i = 0; i < password.size();) {
    const std::size_t length = platform::CharacterLength(password, i);
    const std::string character = password.substr(i, length);
    // A character the code page lacks comes back as "?" or as a look-alike.
    if (codec_.FromAnsi(codec_.ToAnsi(character)) != character) return character;
    i += length;
  }
  return {};
}

std::string Module1::FloppyCopyPath() { return std::string(kFloppyRoot) + kPasswordFileName; }

std::string Module1::DecodePasswordFile(const std::string& path) {
  const auto file = files_.OpenRecordFile(path, false);
  const std::uint64_t records = file->Length() / kRecordLength;
  std::string ansi;
  for (std::uint64_t i = 1; i <= records; ++i) {
    const std::string read = file->Read((i - 1) * kRecordLength, kRecordLength);
    const std::string record(platform::TrimBlanks(read));
    const auto value = ParseRecordNumber(record);
    if (!value) throw PasswordFileError("overflow in record " + std::to_string(i));
    const auto code = DecodeCharacter(*value, static_cast<std::size_t>(i));
    if (!code)
      throw PasswordFileError("character code out of range in record " + std::to_string(i));
    ansi += static_cast<char>(*code);
  }
  return codec_.FromAnsi(ansi);
}

void Module1::EncodePasswordFile(const std::string& path, const std::string& password) {
  const std::string ansi = codec_.ToAnsi(password);
  std::string records;
  records.reserve(ansi.size() * kRecordLength);
  for (std::size_t i = 1; i <= ansi.size(); ++i) {
    const auto code = static_cast<unsigned char>(ansi[i - 1]);
    std::string record = RenderRecordNumber(EncodeCharacter(code, i));
    record.resize(kRecordLength, ' ');
    records += record;
  }
  ReplaceFile(path, records);
}

void Module1::ReplaceFile(const std::string& path, const std::string& bytes) {
  platform::ReplaceWholeFile(files_, path, bytes,
                             [this](const std::string& from, const std::string& to) {
                               Retrying(files_, true, [&] { files_.Replace(from, to); });
                             });
}

void Module1::ReadPasswordFile() {
  const std::string path = FindSystemCopy().value_or(SystemCopyPath());
  StoredPassword = Retrying(files_, false, [&] { return DecodePasswordFile(path); });
}

void Module1::WritePasswordFile(const std::string& password) {
  const std::string wow64 = Wow64CopyPath();
  if (wow64.empty() || !FileExists(wow64)) {
    EncodePasswordFile(SystemCopyPath(), password);
    return;
  }
  // Both copies change, or neither: the SysWOW64 copy gets its old bytes back
  // when the native one cannot be written.
  std::string previous;
  {
    const auto file = files_.OpenRecordFile(wow64, false);
    previous = file->Read(0, static_cast<std::size_t>(file->Length()));
  }
  EncodePasswordFile(wow64, password);
  try {
    EncodePasswordFile(SystemCopyPath(), password);
  } catch (...) {
    try {
      ReplaceFile(wow64, previous);
    } catch (const platform::FileError&) {
      // The failure the caller must hear about is the first one.
    }
    throw;
  }
}

std::optional<std::string> Module1::ReadFloppyPassword() {
  const int answer = runtime_.MsgBox(
      "Insérer une disquette formatée dans le lecteur A avec le fichier mot de passe !",
      ui::kOkCancel, "Mot de passe sur disquette");
  if (answer != ui::kResultOk) return std::nullopt;
  try {
    const std::string path = FloppyCopyPath();
    if (!FileExists(path)) {
      runtime_.MsgBox("Fichier mot de passe non trouvé !", ui::kOkOnly + ui::kInformation,
                      "Mot de passe non trouvé");
      return std::nullopt;
    }
    return DecodePasswordFile(path);
  } catch (const std::exception&) {
    runtime_.MsgBox(
        "Disquette non formatée - Erreur sur la disquette ou Fichier mot de passe non trouvé !",
        ui::kOkOnly + ui::kExclamation, "Erreur");
    return std::nullopt;
  }
}

}  // namespace ferrolis::access
