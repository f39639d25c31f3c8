#include "contract/contract_env.h"
#include "support/memory_registry.h"

namespace ferrolis::testing {

// Plays 64-bit Windows, as the Wine prefix of the cross-built suites does.
std::unique_ptr<platform::Registry> MakeContractRegistry() {
  auto registry = std::make_unique<MemoryRegistry>();
  registry->SetSixtyFourBitWindows(true);
  return registry;
}

}  // namespace ferrolis::testing
