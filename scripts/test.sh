#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# native unit and contract tests (sanitizers on), the contract tests under Wine
# against the real Win32 layer, the end-to-end tests of ferrolis.exe, the
# checks of both Windows executables, a release build of HEAD (reproducible,
# signed with a throwaway certificate) and a bounded fuzzing run.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/install-deps.sh
# Rebuilds reuse earlier compilations where ccache has them.
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$root"
fi

echo "== native build and tests =="
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== win64 build and tests under Wine =="
cmake --preset win64 >/dev/null
cmake --build --preset win64
# A fresh prefix for every run, so that no earlier state leaks into the tests.
rm -rf build/wine-tests
ctest --preset win64

echo "== win32 (i686) build and its executable checks =="
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target ferrolis
# Debian's 32-bit Wine needs a kernel that runs 32-bit Linux programs; where
# that is missing only the checks that read the executable run.
ctest --preset win32 -R exe_imports_and_manifest

echo "== release: two builds of HEAD give the same bytes, both executables signed =="
tests/release/check_release.sh

echo "== end-to-end tests under Wine and Xvfb =="
tests/e2e/run.sh

echo "== fuzzing (bounded) =="
tests/fuzz/run.sh "${FERROLIS_FUZZ_SECONDS:-60}"
