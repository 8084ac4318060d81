#!/usr/bin/env bash
# Builds the demonstration program and starts it beside its demonstration table.
# Without a display it says so and offers to render the window into a PNG instead:
#   tools/run-demo.sh --png window.png
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/install-deps.sh"
bash "$root/tools/build.sh"
demo="${VELMORA_BUILD_DIR:-$root/build}/demo/velmora-demo"

if [ "${1:-}" = "--png" ]; then
  exec "$demo" --render-png "${2:-velmora-demo.png}"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (DISPLAY is not set), so the window cannot be shown."
  echo "Render it to a PNG instead:   bash tools/run-demo.sh --png velmora-demo.png"
  echo "or run it on a virtual display: xvfb-run -s '-screen 0 1280x800x24' bash tools/run-demo.sh"
  exit 1
fi
exec "$demo"
