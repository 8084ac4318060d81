#!/usr/bin/env bash
# The program's own start path at scale: the demonstration program started on a
# generated table beside it (keys shuffled), under a virtual display, until its first
# complete frame is on the screen. Reports the time to that frame, the memory resident
# then (and per record above an empty table), the peak, and the time to end the
# program (freeing the chart).
#   bash bench/startup_scale.sh [build-dir]
#   SHAPES="random flat" SIZES="10000 100000" bash bench/startup_scale.sh build
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
shapes="${SHAPES:-random broad chain flat}"
sizes="${SIZES:-10000 100000 1000000}"
tables="${VELMORA_BENCH_TABLES:-${TMPDIR:-/tmp}/velmora-bench-tables}"
gen="$build/bench/tablegen/velmora-tablegen"
demo="$build/demo/velmora-demo"
mkdir -p "$tables"

# One folder per table, the program copied beside it (it opens ARBOLO.DB in its folder).
prepare() { # shape count
  local dir="$tables/$1-$2"
  if [ ! -f "$dir/ARBOLO.DB" ]; then
    mkdir -p "$dir"
    "$gen" "$dir/ARBOLO.DB" "$2" --shape "$1" --shuffled > /dev/null
  fi
  cp "$demo" "$dir/velmora-demo"
  echo "$dir"
}

# Prints: first-frame-ms resident-KiB peak-KiB process-seconds
run() { # dir
  local out
  out="$(cd "$1" && /usr/bin/time -f "TIME %e %M" xvfb-run -a -s '-screen 0 1280x800x24' ./velmora-demo --startup-report 2>&1)"
  local frame resident elapsed peak
  frame="$(sed -n 's/^first frame after \([0-9]*\) ms.*/\1/p' <<< "$out")"
  resident="$(sed -n 's/.*, \([0-9]*\) KiB resident.*/\1/p' <<< "$out")"
  elapsed="$(sed -n 's/^TIME \([0-9.]*\) .*/\1/p' <<< "$out")"
  peak="$(sed -n 's/^TIME [0-9.]* \([0-9]*\)/\1/p' <<< "$out")"
  echo "$frame $resident $peak $elapsed"
}

read -r _ base_resident _ _ <<< "$(run "$(prepare random 0)")"
printf '%-7s %9s %12s %14s %12s %10s %12s\n' shape records "frame (ms)" "resident (MiB)" "bytes/record" "peak (MiB)" "process (s)"
for shape in $shapes; do
  for n in $sizes; do
    read -r frame resident peak elapsed <<< "$(run "$(prepare "$shape" "$n")")"
    per=$(( (resident - base_resident) * 1024 / n ))
    printf '%-7s %9d %12d %14d %12d %10d %12s\n' "$shape" "$n" "$frame" $((resident / 1024)) "$per" $((peak / 1024)) "$elapsed"
  done
done
