// The platform doubles, the runtime on the headless renderer and the services
// the forms take, as the forms' native tests drive them.
#pragma once

#include "access/module1.h"
#include "platform/text_codec.h"
#include "program/services.h"
#include "support/fake_shell.h"
#include "support/fake_system.h"
#include "support/headless_renderer.h"
#include "support/memory_files.h"
#include "support/memory_registry.h"
#include "support/memory_secrets.h"
#include "ui/runtime.h"

namespace ferrolis::testing {

struct World {
  FakeSystem system;
  ui::Runtime runtime{program::HostOf(system)};
  HeadlessRenderer screen{runtime};
  MemoryFiles files;
  platform::Cp1252Codec codec;
  MemoryRegistry registry;
  FakeShell shell;
  MemorySecrets secrets;
  program::Services services{runtime, system, registry, files, shell, codec, secrets};
  access::Module1 module{files, codec, runtime};
};

}  // namespace ferrolis::testing
