#!/usr/bin/env bash
# Builds everything with the address and undefined-behaviour sanitizers in
# ./build-asan and runs every test there. Any finding fails the test that makes it;
# the only leaks let through are the system libraries' one-time allocations listed in
# tools/lsan-suppressions.txt.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VELMORA_ASAN_BUILD_DIR:-$root/build-asan}"
bash "$root/tools/install-deps.sh"
VELMORA_BUILD_DIR="$build" bash "$root/tools/build.sh" "-DVELMORA_SANITIZE=address;undefined" -DVELMORA_BUILD_BENCH=OFF
cd "$build"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$root/tools/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --output-on-failure -j "$(nproc)" --timeout 900
