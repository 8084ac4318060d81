#!/usr/bin/env bash
# The Debian package: made by CPack from the build, its control data and contents read
# back, installed by dpkg into a temporary root, and the program started from the path
# it is installed at, on a virtual display, with a fresh home; its screen is dumped to a
# PNG (left beside the build as packaging/debian-package-screen.png for people to look
# at) and the chart's top boxes are looked for in it.
# deb_test.sh <build> <picture-check> <version> <cpack>
set -euo pipefail
build="$1" check="$2" version="$3" cpack="$4"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" > "$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; exit 1; }
deb="$(ls "$work"/package/velmora-orgchart_"$version"_*.deb)"
echo "package: $(basename "$deb"), $(du -h "$deb" | cut -f1)"

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
for needed in libqt6gui6 libsqlite3-0 libstdc++6 qt6-qpa-plugins fonts-liberation; do
  [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] || fail "Depends lacks $needed"
done
dpkg-deb -c "$deb" | awk '{print $NF}' > "$work/contents"
for f in ./usr/bin/velmora-orgchart ./usr/bin/velmora-tablegen ./usr/share/velmora-orgchart/ARBOLO.DB \
         ./usr/share/applications/velmora-orgchart.desktop ./usr/share/icons/hicolor/48x48/apps/velmora-orgchart.png \
         ./usr/include/velmora/orgchart/OrgChart.h; do
  grep -qx -- "$f" "$work/contents" || fail "the package lacks $f"
done
grep -q '/lib/cmake/VelmoraOrgChart/VelmoraOrgChartConfig.cmake$' "$work/contents" || fail "the package lacks the CMake package"
grep -q '_p\.h$' "$work/contents" && fail "the package holds private headers"
# (Listings are read whole: grep -q leaving a pipe early would fail the pipe.)
control="$(dpkg-deb --ctrl-tarfile "$deb" | tar -t)"
[[ "$control" == *shlibs* ]] || fail "no shlibs file"
[ "$failures" -eq 0 ] && pass "control data and contents"

# dpkg's own database in an empty root; unpacking needs none of the root's programs.
root="$work/root"
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
dpkg --root="$root" --force-depends --unpack "$deb" > "$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; exit 1; }
status="$(dpkg --root="$root" -s velmora-orgchart | sed -n 's/^Status: //p')"
[ "$status" = "install ok unpacked" ] && pass "dpkg installed it into $root ($status)" || fail "dpkg status '$status'"
program="$root/usr/bin/velmora-orgchart"
[ -x "$program" ] || { fail "no program at $program"; exit 1; }

# The program from its installed path on a virtual display.
mkdir -p "$work/home"
cat > "$work/session.sh" <<'SESSION'
#!/usr/bin/env bash
set -euo pipefail
program="$1" work="$2"
HOME="$work/home" XDG_DATA_HOME= XDG_DATA_DIRS="$work/none" "$program" > "$work/program.log" 2>&1 &
pid=$!
wid="$(timeout 30 xdotool search --sync --onlyvisible --name 'VelmoraOrgChart Demo' | head -n 1)"
sleep 1.5
xwd -root -silent -out "$work/screen.xwd"
xdotool windowfocus --sync "$wid" key --delay 100 alt+F4 || true
for _ in $(seq 1 50); do
  kill -0 "$pid" 2> /dev/null || break
  sleep 0.2
done
if kill -0 "$pid" 2> /dev/null; then
  kill "$pid"
  echo "the program did not close"
  exit 1
fi
wait "$pid"
SESSION
if xvfb-run -a -s '-screen 0 1280x800x24' bash "$work/session.sh" "$program" "$work"; then
  pass "the installed program started, showed its window and closed"
else
  fail "the program's session: $(cat "$work/program.log" 2> /dev/null)"
fi
[ -f "$work/home/.local/share/velmora-orgchart/ARBOLO.DB" ] && pass "it opened the user's copy of the table" \
  || fail "no copy of the table in the fresh home"

if [ -f "$work/screen.xwd" ] && "$check" xwd "$work/screen.xwd" "$work/screen.png"; then
  cp "$work/screen.png" "$build/packaging/debian-package-screen.png"
  # The demonstration table's two top-level nodes: the board, selected on start (the
  # highlight colour), and the advisory council beside it (light grey).
  "$check" chart "$work/screen.png" 000080 E6E6E6 || fail "the chart on the screen"
else
  fail "no screen dump"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures checks failed"
  exit 1
fi
echo "PASS"
