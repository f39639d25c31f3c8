// Where the program is assembled: what a form of the program may reach (the
// platform's services and the form runtime), handed over as one bundle so
// that adding a service does not change every constructor.
#pragma once

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/secrets.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/text_codec.h"
#include "ui/runtime.h"

namespace ferrolis::program {

struct Services {
  ui::Runtime& runtime;
  platform::System& system;
  platform::Registry& registry;
  platform::FileSystem& files;
  platform::Shell& shell;
  // The system's ANSI code page, for the password file and ANSI-only calls.
  const platform::TextCodec& ansi;
  // The machine's protected secrets (the automatic logon password).
  platform::SecretStore& secrets;
};

// The form runtime's view of the running program: its title, and its end,
// which ends the process.
inline ui::RuntimeHost HostOf(platform::System& system) {
  return {system.ProgramTitle(), [&system](int code) { system.ExitProcess(code); }};
}

}  // namespace ferrolis::program
