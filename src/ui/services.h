// What a form of the program may reach: the platform's services and the form
// runtime, handed over as one bundle so that adding a service does not change
// every constructor.
#pragma once

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/text_codec.h"

namespace ferrolis::ui {

class Runtime;

struct Services {
  Runtime& runtime;
  platform::System& system;
  platform::Registry& registry;
  platform::FileSystem& files;
  platform::Shell& shell;
  // The system's ANSI code page, for the password file and ANSI-only calls.
  const platform::TextCodec& ansi;
};

}  // namespace ferrolis::ui
