#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# native unit and contract tests (sanitizers on), the contract tests under Wine
# against the real Win32 layer, and the end-to-end tests of ferrolis.exe.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/install-deps.sh

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

echo "== end-to-end tests under Wine and Xvfb =="
tests/e2e/run.sh
