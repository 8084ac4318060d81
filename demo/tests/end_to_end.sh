#!/usr/bin/env bash
# End to end, on a virtual display with real X input: start the program from a
# temporary folder holding a copy of the demonstration table, add a child node with
# Ctrl+Insert, rename it in place (Enter, type, Alt+Enter), close the program, and read
# the record back with the sqlite3 tool.
#   end_to_end.sh <velmora-demo binary> <ARBOLO.DB>
set -euo pipefail
demo="$1"
table="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$demo" "$work/velmora-demo"
cp "$table" "$work/ARBOLO.DB"

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
work="$1"
# The program must open a window on this display, whatever the calling environment
# asks of Qt (the unit tests run with the offscreen platform).
export QT_QPA_PLATFORM=xcb
fail() {
  echo "FAIL: $*"
  cat "$work/demo.log" 2>/dev/null || true
  kill "$pid" 2>/dev/null || true
  exit 1
}
"$work/velmora-demo" > "$work/demo.log" 2>&1 &
pid=$!
wid="$(timeout 20 xdotool search --sync --onlyvisible --name 'VelmoraOrgChart Demo' | head -n 1)" || true
[ -n "$wid" ] || fail "the program's window did not appear on the display within 20 s"
sleep 1
timeout 10 xdotool windowfocus --sync "$wid" || fail "the program's window did not take the focus within 10 s"
sleep 0.3
xdotool key --delay 120 ctrl+Insert
sleep 0.5
xdotool key --delay 120 Return
sleep 0.3
xdotool key --delay 80 ctrl+a
xdotool type --delay 60 'Quality Circle'
xdotool key --delay 120 alt+Return
sleep 0.5
xdotool key --delay 120 alt+F4
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "the program did not close within 10 s of Alt+F4"
wait "$pid" || fail "the program ended with status $?"
SESSION

timeout 100 xvfb-run -a -s '-screen 0 1280x800x24' bash "$work/session.sh" "$work" ||
  { echo "FAIL: the session on the virtual display failed or took longer than 100 s"; exit 1; }

row="$(sqlite3 "$work/ARBOLO.DB" "SELECT PARENT, WIDTH, HEIGHT, TYPE, COLOR FROM ARBOLO WHERE NAME = 'Quality Circle'")"
first="$(sqlite3 "$work/ARBOLO.DB" "SELECT ID FROM ARBOLO WHERE PARENT IS NULL OR PARENT = ID ORDER BY ID LIMIT 1")"
echo "record: $row (first top-level node: $first)"
if [ "$row" != "$first|90|70|0|16777215" ]; then
  echo "FAIL: expected the renamed child of node $first with the new record's defaults"
  cat "$work/demo.log"
  exit 1
fi
echo "PASS"
