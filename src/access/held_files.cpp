// Replacing a password file, tried again while another program holds it.
#include <string>

#include "access/held_files.h"
#include "access/module1.h"

namespace ferrolis::access {

void Module1::ReplaceFile(const std::string& path, const std::string& bytes) {
  platform::ReplaceWholeFile(files_, path, bytes,
                             [this](const std::string& from, const std::string& to) {
                               Retrying(files_, true, [&] { files_.Replace(from, to); });
                             });
}

}  // namespace ferrolis::access
