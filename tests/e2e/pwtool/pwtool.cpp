// Writes or reads a password file with the program's own encoder, for the
// end-to-end tests:  ferrolis_pwtool write <path> <password>
//                    ferrolis_pwtool read <path>
#include <windows.h>

#include <cstdio>
#include <string>

#include "access/module1.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_text.h"
#include "program/services.h"
#include "support/fake_system.h"
#include "support/headless_renderer.h"

int wmain(int argc, wchar_t** argv) {
  using namespace ferrolis;
  if (argc < 3) {
    std::fputs("usage: ferrolis_pwtool write <path> <password> | read <path>\n", stderr);
    return 2;
  }
  const std::string command = platform::win32::Narrow(argv[1]);
  const std::string path = platform::win32::Narrow(argv[2]);
  platform::win32::Win32FileSystem files;
  platform::win32::Win32TextCodec codec;
  testing::FakeSystem system;
  ui::Runtime runtime{program::HostOf(system)};
  testing::HeadlessRenderer screen{runtime};
  access::Module1 module{files, codec, runtime};
  try {
    if (command == "write" && argc == 4) {
      module.EncodePasswordFile(path, platform::win32::Narrow(argv[3]));
      return 0;
    }
    if (command == "read" && argc == 3) {
      const std::string password = module.DecodePasswordFile(path);
      std::fwrite(password.data(), 1, password.size(), stdout);
      std::fputc('\n', stdout);
      return 0;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "ferrolis_pwtool: %s\n", error.what());
    return 1;
  }
  std::fputs("usage: ferrolis_pwtool write <path> <password> | read <path>\n", stderr);
  return 2;
}
