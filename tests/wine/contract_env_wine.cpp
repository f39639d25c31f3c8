#include "contract/contract_env.h"
#include "platform/win32/win32_registry.h"

namespace ferrolis::testing {

std::unique_ptr<platform::Registry> MakeContractRegistry() {
  return std::make_unique<platform::win32::Win32Registry>();
}

}  // namespace ferrolis::testing
