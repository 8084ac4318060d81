#!/usr/bin/env bash
# Builds everything and runs every test (unit tests headless; end-to-end tests under Xvfb).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/install-deps.sh"
bash "$root/tools/build.sh"
cd "${VELMORA_BUILD_DIR:-$root/build}"
ctest --output-on-failure -j "$(nproc)" --timeout 600
