// Feeds arbitrary bytes to the password file decoder as the system copy: it
// must return a password or raise one of its two errors, never crash or hang.
// It decodes only files of whole records, and encoding the result again must
// decode to the same password.
#include <cstddef>
#include <cstdint>
#include <string>

#include "access/module1.h"
#include "access/password_codec.h"
#include "program/services.h"
#include "support/fake_system.h"
#include "support/memory_files.h"
#include "ui/runtime.h"

using namespace ferrolis;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // The record parser on its own, on any text.
  (void)access::ParseRecordNumber(bytes);

  testing::FakeSystem system;
  ui::Runtime runtime(program::HostOf(system));
  testing::MemoryFiles files;
  platform::Cp1252Codec codec;
  access::Module1 module(files, codec, runtime);
  const std::string path = "C:\\WINDOWS\\system32\\FRLS.PW";
  files.Put(path, bytes);
  std::string password;
  try {
    password = module.DecodePasswordFile(path);
  } catch (const access::PasswordFileError&) {
    return 0;
  } catch (const platform::FileError&) {
    return 0;
  }
  if (bytes.size() % access::kRecordLength != 0) __builtin_trap();
  module.EncodePasswordFile(path, password);
  if (module.DecodePasswordFile(path) != password) __builtin_trap();
  return 0;
}
