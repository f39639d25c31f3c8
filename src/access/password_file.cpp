// The password file's records and the code page: what the file holds, how a
// password becomes records and back, and which characters it cannot hold.
#include <string>

#include "access/module1.h"
#include "access/password_codec.h"
#include "platform/ascii.h"

namespace ferrolis::access {

Module1::Module1(platform::FileSystem& files, const platform::TextCodec& codec,
                 ui::Runtime& runtime)
    : files_(files), codec_(codec), runtime_(runtime) {}

bool Module1::Matches(const std::string& typed) const { return typed == StoredPassword; }

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

std::string Module1::DecodePasswordFile(const std::string& path) {
  const auto file = files_.OpenRecordFile(path, false);
  // The program writes whole records only: a file cut short (or grown) is
  // damaged, and its whole records alone may read as a shorter password.
  const std::uint64_t length = file->Length();
  if (length % kRecordLength != 0) throw PasswordFileError("a partial record ends the file");
  const std::uint64_t records = length / kRecordLength;
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

}  // namespace ferrolis::access
