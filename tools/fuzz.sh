#!/usr/bin/env bash
# Builds the fuzzers with clang, libFuzzer and the address and undefined-behaviour
# sanitizers in ./build-fuzz, then runs each for a while on a copy of its seeded corpus.
# Usage: tools/fuzz.sh [seconds per fuzzer, default 60]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="${VELMORA_FUZZ_BUILD_DIR:-$root/build-fuzz}"
jobs="${VELMORA_JOBS:-$(nproc)}"
VELMORA_FUZZ=1 bash "$root/tools/install-deps.sh"
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELMORA_FUZZ=ON "-DVELMORA_SANITIZE=address;undefined" -DVELMORA_BUILD_BENCH=OFF
fi
cmake --build "$build" -j "$jobs" --target fuzzers
for list in "$build"/fuzzers/*.txt; do
  read -r exe corpus < "$list"
  work="$build/corpus/$(basename "$list" .txt)"
  mkdir -p "$work" "$build/artifacts"
  echo "== $(basename "$exe") for ${seconds}s"
  "$exe" -max_total_time="$seconds" -max_len=65536 -artifact_prefix="$build/artifacts/" "$work" "$corpus"
done
