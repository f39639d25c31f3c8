// The few Google Benchmark names the registry benchmark uses, for the Windows
// build, where the library is not available. Each benchmark runs a growing
// number of iterations until one run lasts at least half a second, then prints
// the time per iteration and the items per second.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace benchmark {

enum TimeUnit { kNanosecond, kMicrosecond, kMillisecond };

class State {
 public:
  explicit State(std::int64_t iterations) : iterations_(iterations) {}

  struct Value {
    ~Value() {}  // keeps `for (auto _ : state)` free of unused-variable warnings
  };
  class Iterator {
   public:
    Iterator(State* state, std::int64_t left) : state_(state), left_(left) {}
    Value operator*() const { return {}; }
    void operator++() { --left_; }
    bool operator!=(const Iterator&) {
      if (left_ > 0) return true;
      state_->Stop();
      return false;
    }

   private:
    State* state_;
    std::int64_t left_;
  };

  Iterator begin() {
    start_ = Clock::now();
    return {this, iterations_};
  }
  Iterator end() { return {this, 0}; }

  std::int64_t iterations() const { return iterations_; }
  void SetItemsProcessed(std::int64_t items) { items_ = items; }
  std::int64_t items_processed() const { return items_; }
  double seconds() const { return seconds_; }

 private:
  using Clock = std::chrono::steady_clock;
  void Stop() { seconds_ = std::chrono::duration<double>(Clock::now() - start_).count(); }

  std::int64_t iterations_;
  std::int64_t items_ = 0;
  double seconds_ = 0;
  Clock::time_point start_;
};

namespace internal {

struct Benchmark {
  std::string name;
  void (*function)(State&);
  TimeUnit unit = kNanosecond;
  Benchmark* Unit(TimeUnit u) {
    unit = u;
    return this;
  }
};

inline std::vector<Benchmark*>& Registry() {
  static std::vector<Benchmark*> benchmarks;
  return benchmarks;
}

inline Benchmark* Register(const char* name, void (*function)(State&)) {
  Registry().push_back(new Benchmark{name, function});
  return Registry().back();
}

}  // namespace internal

template <class T>
inline void DoNotOptimize(T const& value) {
  asm volatile("" : : "r,m"(value) : "memory");
}

inline void Initialize(int*, char**) {}

inline void RunSpecifiedBenchmarks() {
  std::printf("%-32s %15s %12s %18s\n", "Benchmark", "Time", "Iterations", "items_per_second");
  for (internal::Benchmark* bench : internal::Registry()) {
    std::int64_t iterations = 1;
    while (true) {
      State state(iterations);
      bench->function(state);
      if (state.seconds() >= 0.5 || iterations >= 1'000'000'000) {
        static const char* kUnits[] = {"ns", "us", "ms"};
        static const double kScale[] = {1e9, 1e6, 1e3};
        const double per_iteration = state.seconds() / static_cast<double>(iterations);
        std::printf("%-32s %12.0f %s %12lld", bench->name.c_str(),
                    per_iteration * kScale[bench->unit], kUnits[bench->unit],
                    static_cast<long long>(iterations));
        if (state.items_processed() > 0) {
          std::printf(" %17.4gk/s",
                      static_cast<double>(state.items_processed()) / state.seconds() / 1e3);
        }
        std::printf("\n");
        break;
      }
      // Aim a little past the half second, as the real library does.
      const double factor = state.seconds() > 0 ? 0.7 / state.seconds() : 10.0;
      const double next = static_cast<double>(iterations) * (factor > 10 ? 10 : factor);
      iterations = static_cast<std::int64_t>(next) > iterations ? static_cast<std::int64_t>(next)
                                                                : iterations + 1;
    }
  }
}

inline void Shutdown() {}

}  // namespace benchmark

#define FERROLIS_BENCH_CONCAT2(a, b) a##b
#define FERROLIS_BENCH_CONCAT(a, b) FERROLIS_BENCH_CONCAT2(a, b)
#define BENCHMARK(function)                                                                 \
  static ::benchmark::internal::Benchmark* FERROLIS_BENCH_CONCAT(ferrolis_bench_, __LINE__) \
      [[maybe_unused]] = ::benchmark::internal::Register(#function, function)
