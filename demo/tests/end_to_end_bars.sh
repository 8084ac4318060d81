#!/usr/bin/env bash
# End to end through the menu bar, the toolbar and the Options dialog, on a virtual
# display with real X input. The program runs from a temporary folder holding a copy of
# the demonstration table, with a fresh settings folder.
#   First run:  Alt+E then A (Add Node), the toolbar's "Add Child Node ", the toolbar's
#               "Rename Node", Ctrl+Shift+End, type "Sales", Alt+Enter; View > Zoom on
#               and off; Options, Line Width 3, OK; Alt+X.
#   Then the two new records are read back with the sqlite3 tool.
#   Second run: the toolbar's "Delete Node" on the new branch (selected at start), then
#               Ctrl+Z, Ctrl+Y and Ctrl+Z: the branch's records are back as they were.
#   Third run:  File > Export by Ctrl+E, a file name typed into the dialog, Enter;
#               "Delete Node" again, Alt+X; the picture is a PNG file and the branch's
#               records are gone.
# The settings folder holds nothing afterwards: the bars store no layout.
#   end_to_end_bars.sh <velmora-demo binary> <ARBOLO.DB> <about.html>
set -euo pipefail
demo="$1"
table="$2"
about="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$demo" "$work/velmora-demo"
cp "$table" "$work/ARBOLO.DB"
cp "$about" "$work/about.html"
mkdir -p "$work/config"
before="$(sqlite3 "$work/ARBOLO.DB" 'SELECT MAX(ID) FROM ARBOLO')"
records="$(sqlite3 "$work/ARBOLO.DB" 'SELECT COUNT(*) FROM ARBOLO')"

cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
work="$1"
run="$2"
before="$3"
# The program must open a window on this display, whatever the calling environment
# asks of Qt (the unit tests run with the offscreen platform).
export QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME="$work/config"
export VELMORA_GEOMETRY_DUMP="$work/geometry.txt"
rm -f "$work/geometry.txt"
fail() {
  echo "FAIL: $*"
  cat "$work/demo.log" 2>/dev/null || true
  kill "$pid" 2>/dev/null || true
  exit 1
}
# Clicks the middle of a place the program wrote down ("toolbar.bbAddChild").
click() {
  local line x y w h
  line="$(grep "^$1 " "$work/geometry.txt")" || fail "the program did not say where $1 is"
  read -r _ x y w h <<< "$line"
  xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click 1
  sleep 0.4
}
wait_for_geometry() {
  for _ in $(seq 1 50); do
    grep -q "^$1 " "$work/geometry.txt" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "$1 did not come up"
}
"$work/velmora-demo" > "$work/demo.log" 2>&1 &
pid=$!
wid="$(timeout 20 xdotool search --sync --onlyvisible --name 'VelmoraOrgChart Demo' | head -n 1)" || true
[ -n "$wid" ] || fail "the program's window did not appear on the display within 20 s"
wait_for_geometry toolbar.bsAddNode
sleep 0.5
timeout 10 xdotool windowfocus --sync "$wid" || fail "the program's window did not take the focus within 10 s"
sleep 0.3
if [ "$run" = 1 ]; then
  xdotool key --delay 150 alt+e a
  sleep 0.5
  click toolbar.bbAddChild
  click toolbar.bbRenameNode
  xdotool key --delay 100 ctrl+shift+End
  xdotool type --delay 60 'Sales'
  xdotool key --delay 120 alt+Return
  sleep 0.4
  xdotool key --delay 150 alt+v z
  sleep 0.4
  xdotool key --delay 150 alt+v z
  sleep 0.4
  xdotool key --delay 150 alt+o
  wait_for_geometry options.seLineWidth
  sleep 0.3
  click options.seLineWidth
  xdotool key --delay 60 End BackSpace BackSpace BackSpace 3
  click options.BitBtn2
elif [ "$run" = 2 ]; then
  # Every step is committed when it returns: the file tells how many of the two new
  # records are there after each.
  new_records() { sqlite3 "$work/ARBOLO.DB" "SELECT COUNT(*) FROM ARBOLO WHERE ID > $before"; }
  click toolbar.bbDeleteNode
  [ "$(new_records)" = 0 ] || fail "Delete Node left $(new_records) of the new records"
  for step in ctrl+z:2 ctrl+y:0 ctrl+z:2; do
    xdotool key --delay 150 "${step%%:*}"
    sleep 0.5
    [ "$(new_records)" = "${step##*:}" ] || fail "after ${step%%:*}: $(new_records) new records, not ${step##*:}"
  done
else
  xdotool key --delay 150 ctrl+e
  sleep 0.8
  xdotool type --delay 20 "$work/picture.png"
  xdotool key --delay 150 Return
  sleep 0.8
  click toolbar.bbDeleteNode
fi
xdotool key --delay 120 alt+x
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "the program did not close within 10 s of Alt+X"
wait "$pid" || fail "the program ended with status $?"
SESSION

for run in 1 2 3; do
  timeout 100 xvfb-run -a -s '-screen 0 1280x800x24' bash "$work/session.sh" "$work" "$run" "$before" ||
    { echo "FAIL: run $run on the virtual display failed or took longer than 100 s"; exit 1; }
  if [ "$run" != 3 ]; then
    rows="$(sqlite3 "$work/ARBOLO.DB" "SELECT ID, IFNULL(PARENT, 'null'), \"ORDER\", NAME, WIDTH, HEIGHT, TYPE, COLOR,
                                              IMAGEALIGN, ALIGN FROM ARBOLO WHERE ID > $before ORDER BY ID")"
    added="$((before + 1))"
    expected="$added|null|0|New topic|90|70|0|16777215|0|1
$((added + 1))|$added|0|Sales|90|70|0|16777215|0|1"
    echo "new records after run $run:"
    echo "$rows"
    if [ "$rows" != "$expected" ]; then
      echo "FAIL: expected"
      echo "$expected"
      exit 1
    fi
    first="$(sqlite3 "$work/ARBOLO.DB" "SELECT \"ORDER\" FROM ARBOLO WHERE ID = 1")"
    [ "$first" = 1 ] || { echo "FAIL: the node the new one was put before is at place $first, not 1"; exit 1; }
  else
    left="$(sqlite3 "$work/ARBOLO.DB" "SELECT COUNT(*) FROM ARBOLO WHERE ID > $before")"
    count="$(sqlite3 "$work/ARBOLO.DB" "SELECT COUNT(*) FROM ARBOLO")"
    echo "after Delete Node: $left new records left, $count records"
    [ "$left" = 0 ] && [ "$count" = "$records" ] || { echo "FAIL: the new branch was not deleted"; exit 1; }
    [ -f "$work/picture.png" ] || { echo "FAIL: Ctrl+E wrote no picture"; exit 1; }
    [ "$(head -c 4 "$work/picture.png" | tail -c 3)" = PNG ] || { echo "FAIL: the exported file is no PNG picture"; exit 1; }
  fi
done
stored="$(find "$work/config" -type f)"
if [ -n "$stored" ]; then
  echo "FAIL: the settings folder holds files:"
  echo "$stored"
  exit 1
fi
echo "PASS"
