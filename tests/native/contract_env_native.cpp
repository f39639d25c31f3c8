#include "contract/contract_env.h"
#include "support/memory_registry.h"

namespace ferrolis::testing {

std::unique_ptr<platform::Registry> MakeContractRegistry() {
  return std::make_unique<MemoryRegistry>();
}

const platform::TextCodec& ContractCodec() {
  static const platform::Cp1252Codec codec;
  return codec;
}

}  // namespace ferrolis::testing
