// Stores arbitrary data of an arbitrary type as a registry value and reads it
// back through the registry layer: the read must give a text or a number (or
// the default), never crash, read past the data or hang. The first byte picks
// the type, the rest is the data.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "registry/idbas_registry.h"
#include "support/memory_registry.h"

using namespace ferrolis;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint32_t type = data[0] % 12;
  std::vector<std::uint8_t> bytes(data + 1, data + size);
  const std::string text(bytes.begin(), bytes.end());

  testing::MemoryRegistry memory;
  memory.RecordCalls(false);
  registry::IDBAS_Registry layer(memory);
  memory.SeedValue(platform::kHkeyCurrentUser, "Software\\Fuzz", "Value", type, bytes);
  const auto value = layer.GetRegistryValue("", "", "Value", "default", platform::kHkeyCurrentUser,
                                            "Software\\Fuzz", false);
  if (!value.IsNumber() && value.Text().empty()) __builtin_trap();  // blank reads as the default

  // The same bytes as a text to write as a number, and back.
  if (const auto number = registry::ParseDwordText(text)) {
    if (!layer.SetRegistryValue("", "", "Number", text, platform::kHkeyCurrentUser,
                                "Software\\Fuzz", platform::kRegDword)) {
      __builtin_trap();
    }
    const auto back = layer.GetRegistryValue("", "", "Number", "", platform::kHkeyCurrentUser,
                                             "Software\\Fuzz", false);
    if (back.Number() != *number) __builtin_trap();
  }
  return 0;
}
