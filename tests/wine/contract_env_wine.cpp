#include "contract/contract_env.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_text.h"

namespace ferrolis::testing {

std::unique_ptr<platform::Registry> MakeContractRegistry() {
  return std::make_unique<platform::win32::Win32Registry>();
}

const platform::TextCodec& ContractCodec() {
  static const platform::win32::Win32TextCodec codec;
  return codec;
}

}  // namespace ferrolis::testing
