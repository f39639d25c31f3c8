#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan and UBSan on) and runs each for
# a bounded time on its corpus in tests/fuzz/corpus/<target>. New inputs that
# widen coverage go to build/fuzz/corpus/, not into the repository.
#
#   tests/fuzz/run.sh [seconds per target, default 60]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
seconds="${1:-60}"
build="$root/build/fuzz"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DFERROLIS_FUZZ=ON >/dev/null
targets=()
for source in "$root"/tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
cmake --build "$build" -j2 --target "${targets[@]}"
passed=0
failed=0
for target in "${targets[@]}"; do
  seeds="$root/tests/fuzz/corpus/${target%_fuzz}"
  grown="$build/corpus/${target%_fuzz}"
  mkdir -p "$grown"
  echo "== $target: ${seconds}s"
  if (cd "$build" && "./$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$grown" "$seeds" 2>&1 | tail -n 12); then
    passed=$((passed + 1))
  else
    echo "$target found a fault: the input is in $build (crash-*, timeout-*, leak-*)"
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
