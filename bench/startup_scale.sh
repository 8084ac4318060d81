#!/usr/bin/env bash
# The program's own start path at scale: the demonstration program started on a
# generated table beside it (keys shuffled), under a virtual display, until its first
# complete frame is on the screen. Reports the time to that frame, the memory resident
# then (and per record above an empty table), the peak, the time closing the table
# takes (freeing the chart and the records), and the whole run of the program. The processor time to the first frame is given beside
# the time on the clock: other work on the machine inflates only the latter.
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

# Prints: first-frame-ms processor-ms resident-KiB peak-KiB process-seconds freeing-ms
run() { # dir
  local out
  out="$(cd "$1" && /usr/bin/time -f "TIME %e %M" xvfb-run -a -s '-screen 0 1280x800x24' ./velmora-demo --startup-report 2>&1)"
  local frame cpu resident elapsed peak freeing
  frame="$(sed -n 's/^first frame after \([0-9]*\) ms.*/\1/p' <<< "$out")"
  cpu="$(sed -n 's/.*(\([0-9]*\) ms of processor time).*/\1/p' <<< "$out")"
  resident="$(sed -n 's/.*, \([0-9]*\) KiB resident.*/\1/p' <<< "$out")"
  elapsed="$(sed -n 's/^TIME \([0-9.]*\) .*/\1/p' <<< "$out")"
  peak="$(sed -n 's/^TIME [0-9.]* \([0-9]*\)/\1/p' <<< "$out")"
  freeing="$(sed -n 's/^table closed and chart freed in \([0-9]*\) ms/\1/p' <<< "$out")"
  echo "$frame $cpu $resident $peak $elapsed $freeing"
}

read -r _ _ base_resident _ _ _ <<< "$(run "$(prepare random 0)")"
echo "An empty table: $((base_resident / 1024)) MiB resident at the first frame; load average now: $(cut -d' ' -f1 /proc/loadavg)"
printf '%-7s %9s %11s %10s %15s %13s %11s %12s %12s\n' shape records "frame (ms)" "cpu (ms)" "resident (MiB)" "bytes/record" "peak (MiB)" "freeing (ms)" "process (s)"
for shape in $shapes; do
  for n in $sizes; do
    read -r frame cpu resident peak elapsed freeing <<< "$(run "$(prepare "$shape" "$n")")"
    per=$(( (resident - base_resident) * 1024 / n ))
    printf '%-7s %9d %11d %10d %15d %13d %11d %12d %12s\n' "$shape" "$n" "$frame" "$cpu" $((resident / 1024)) "$per" $((peak / 1024)) "$freeing" "$elapsed"
  done
done
