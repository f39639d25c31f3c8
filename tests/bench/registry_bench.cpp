// Reading single values and listing a key of 2,000 subkeys through the layer:
// natively against the in-memory double, on Windows (under Wine) against the
// real registry.
#if __has_include(<benchmark/benchmark.h>)
#include <benchmark/benchmark.h>
#else
#include "bench/benchmark_shim.h"
#endif

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "registry/idbas_registry.h"

#ifdef _WIN32
#include "platform/win32/win32_registry.h"
#else
#include "support/memory_registry.h"
#endif

namespace {

using ferrolis::platform::kHkeyCurrentUser;
using ferrolis::platform::kRegDword;
using ferrolis::platform::kRegSz;
using ferrolis::registry::IDBAS_Registry;

constexpr const char* kBase = "Software\\FerrolisBench";
constexpr const char* kWide = "Software\\FerrolisBench\\Wide";
constexpr int kSubkeys = 2000;

struct Environment {
#ifdef _WIN32
  ferrolis::platform::win32::Win32Registry registry;
#else
  ferrolis::testing::MemoryRegistry registry;
#endif
  IDBAS_Registry layer{registry};
#ifndef _WIN32
  Environment() { registry.RecordCalls(false); }
#endif
};

Environment& Env() {
  static Environment env;
  return env;
}

std::string SubkeyName(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "Entry%04d", i);
  return name;
}

void Fill() {
  IDBAS_Registry& layer = Env().layer;
  layer.DeleteRegistryEntry("", "", "", kHkeyCurrentUser, kBase);
  for (int i = 0; i < kSubkeys; ++i) {
    layer.SetRegistryValue(SubkeyName(i), "", "DisplayName", "Programme " + std::to_string(i),
                           kHkeyCurrentUser, kWide, kRegSz);
  }
  layer.SetRegistryValue("", "", "NoRun", "1", kHkeyCurrentUser, kWide, kRegDword);
}

void BM_GetRegistryValue_Dword(benchmark::State& state) {
  IDBAS_Registry& layer = Env().layer;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        layer.GetRegistryValue("", "", "NoRun", "0", kHkeyCurrentUser, kWide, false));
  }
}
BENCHMARK(BM_GetRegistryValue_Dword)->Unit(benchmark::kMicrosecond);

void BM_GetRegistryValue_Text(benchmark::State& state) {
  IDBAS_Registry& layer = Env().layer;
  const std::string name = SubkeyName(kSubkeys / 2);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        layer.GetRegistryValue(name, "", "DisplayName", "", kHkeyCurrentUser, kWide, false));
  }
}
BENCHMARK(BM_GetRegistryValue_Text)->Unit(benchmark::kMicrosecond);

void BM_GetRegistryValue_Missing(benchmark::State& state) {
  IDBAS_Registry& layer = Env().layer;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        layer.GetRegistryValue("Absent", "", "NoRun", "0", kHkeyCurrentUser, kWide, false));
  }
}
BENCHMARK(BM_GetRegistryValue_Missing)->Unit(benchmark::kMicrosecond);

void BM_EnumRegistryKeys_2000(benchmark::State& state) {
  IDBAS_Registry& layer = Env().layer;
  std::vector<std::string> names;
  std::vector<bool> flags;
  for (auto _ : state) {
    std::string path = kWide;
    layer.EnumRegistryKeys(names, flags, "HKEY_CURRENT_USER", path, false);
    benchmark::DoNotOptimize(names.data());
  }
  if (names.size() != kSubkeys) std::fprintf(stderr, "listed %zu subkeys\n", names.size());
  state.SetItemsProcessed(state.iterations() * kSubkeys);
}
BENCHMARK(BM_EnumRegistryKeys_2000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  Fill();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The real registry keeps what the benchmark wrote: remove it.
  Env().layer.DeleteRegistryEntry("", "", "", kHkeyCurrentUser, kBase);
  return 0;
}
