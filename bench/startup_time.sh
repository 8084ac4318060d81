#!/usr/bin/env bash
# Start-up time: from process start to the first painted frame on the screen, for the
# demonstration program on its table and for an empty window of the same toolkit.
# Runs on a virtual display:   xvfb-run -a bash bench/startup_time.sh build
set -euo pipefail
build="${1:-build}"
runs="${RUNS:-10}"
measure() {
  local best=999999 total=0
  for _ in $(seq 1 "$runs"); do
    local t0 t1 ms
    t0=$(date +%s%N)
    "$@" > /dev/null 2>&1
    t1=$(date +%s%N)
    ms=$(( (t1 - t0) / 1000000 ))
    total=$(( total + ms ))
    (( ms < best )) && best=$ms
  done
  echo "mean $(( total / runs )) ms, best $best ms over $runs runs"
}
echo "empty window:        $(measure "$build/bench/minimal_window")"
echo "demonstration program: $(cd "$build/demo" && measure ./velmora-demo --quit-when-shown)"
