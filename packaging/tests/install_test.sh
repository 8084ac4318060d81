#!/usr/bin/env bash
# The install as another project and a user meet it:
#  - cmake --install into a temporary prefix lays out the program, its table, the table
#    generator, the libraries with one version in sonames, CMake and pkg-config files,
#    and the public headers alone, which compile on their own;
#  - the example, copied out of the source tree, is configured and built against that
#    prefix alone, runs headless from it and draws its chart;
#  - the same example builds through pkg-config;
#  - the installed program, with no table beside it, works on a copy in a fresh XDG data
#    folder and writes nothing into the prefix; with no writable data folder it says
#    where it tried to write;
#  - an install prefix that cannot be written to ends in CMake's error naming it.
# install_test.sh <build> <example source> <picture-check> <version> <soversion> <cmake> <c++>
set -euo pipefail
build="$1" example="$2" check="$3" version="$4" soversion="$5" cmake="$6" cxx="$7"
source_tree="$(cd "$example/../.." && pwd)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# ---- Install ----
"$cmake" --install "$build" --prefix "$prefix" > "$work/install.log"
libdir="$(cd "$prefix" && ls -d lib* | head -n 1)"
for f in bin/velmora-orgchart bin/velmora-tablegen share/velmora-orgchart/ARBOLO.DB share/velmora-orgchart/about.html \
         share/applications/velmora-orgchart.desktop \
         "$libdir/cmake/VelmoraOrgChart/VelmoraOrgChartConfig.cmake" \
         "$libdir/pkgconfig/velmora-orgchart.pc" "$libdir/pkgconfig/velmora-dborgchart.pc" \
         include/velmora/orgchart/OrgChart.h include/velmora/dborgchart/DbOrgChart.h \
         include/velmora/platform/controls/Application.h include/velmora/platform/data/Table.h; do
  [ -e "$prefix/$f" ] || fail "$f is not installed"
done
private="$(cd "$prefix/include/velmora" && find . -name '*_p.h' -o -path '*/backend/qt*' -o -name tests -o -name fuzz)"
[ -z "$private" ] && pass "no private headers installed" || fail "private headers installed: $private"

# One version: package, pkg-config files and every library's soname.
grep -q "set(PACKAGE_VERSION \"$version\")" "$prefix/$libdir/cmake/VelmoraOrgChart/VelmoraOrgChartConfigVersion.cmake" \
  || fail "the CMake package is not version $version"
for lib in orgchart dborgchart platform-core platform-drawing platform-window platform-backend \
           platform-controls platform-data platform-settings; do
  file="$prefix/$libdir/libvelmora-$lib.so"
  soname="$(readelf -d "$file" 2>/dev/null | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p')"
  [ "$soname" = "libvelmora-$lib.so.$soversion" ] || fail "libvelmora-$lib soname '$soname'"
  [ -f "$file.$version" ] || fail "libvelmora-$lib.so.$version missing"
done
pass "sonames libvelmora-*.so.$soversion"

# The icon named by the desktop entry, in every size, as RGBA pictures of that size.
icon="$(sed -n 's/^Icon=//p' "$prefix/share/applications/velmora-orgchart.desktop")"
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  # PNG signature, then the header chunk: width, height, bit depth, colour type 6 (RGBA).
  read -r -a header <<< "$(od -An -tu1 -N26 "$png" 2>/dev/null | tr '\n' ' ')"
  if [ "${#header[@]}" -ne 26 ] || [ "${header[1]}" != 80 ] || [ "${header[12]}" != 73 ] ||
     [ $(( (header[18] << 8) | header[19] )) -ne "$size" ] || [ $(( (header[22] << 8) | header[23] )) -ne "$size" ] ||
     [ "${header[25]}" != 6 ]; then
    fail "icon $png is not a ${size}x${size} RGBA PNG"
  fi
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon"
pass "icons"

# Every public header compiles with the installed headers alone.
find "$prefix/include/velmora" -name '*.h' | sort | sed 's|.*/include/velmora/\(.*\)|#include "\1"|' > "$work/all_headers.cpp"
if "$cxx" -std=c++20 -fsyntax-only -I"$prefix/include/velmora" "$work/all_headers.cpp" 2> "$work/headers.log"; then
  pass "$(wc -l < "$work/all_headers.cpp") public headers compile with the installed headers alone"
else
  fail "public headers"
  head -20 "$work/headers.log"
fi

# ---- The example, built against the prefix alone ----
cp -r "$example" "$work/example"
# A sanitized build's libraries need the sanitizers' runtime in the program too.
consumer_flags="${VELMORA_CONSUMER_FLAGS:-}"
generator=()
command -v ninja > /dev/null && generator=(-G Ninja)
"$cmake" -S "$work/example" -B "$work/example-build" "${generator[@]}" \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
  -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_CXX_FLAGS="$consumer_flags" \
  -DCMAKE_EXE_LINKER_FLAGS="$consumer_flags" > "$work/example-configure.log"
"$cmake" --build "$work/example-build" > "$work/example-build.log"
found="$(sed -n 's/^VelmoraOrgChart_DIR:PATH=//p' "$work/example-build/CMakeCache.txt")"
[ "$found" = "$prefix/$libdir/cmake/VelmoraOrgChart" ] && pass "package found in the prefix" || fail "package found in '$found'"
build_files=()
for f in compile_commands.json CMakeCache.txt build.ninja Makefile; do
  [ -f "$work/example-build/$f" ] && build_files+=("$work/example-build/$f")
done
[ "${#build_files[@]}" -ge 3 ] || fail "the example's build files are missing"
if grep -l -F -e "$source_tree" -e "$build" "${build_files[@]}"; then
  fail "the example's build refers to the source or build tree"
else
  pass "the example's build refers to neither the source nor the build tree"
fi
outside="$(ldd "$work/example-build/orgchart-example" | grep velmora | grep -v "=> $prefix/" || true)"
[ -z "$outside" ] && pass "the example loads the prefix's libraries" || fail "libraries from elsewhere: $outside"

"$work/example-build/orgchart-example" --render-png "$work/example.png" || fail "the example did not run"
# Board (selected on start: the highlight colour) above Research, Sales and Operations;
# Plant and Logistics under Operations.
"$check" chart "$work/example.png" 000080 8EC5FF^0 9BE39B^0 FFA8A8^0 D9C2FF^3 FFE08A^3 || fail "the example's picture"
# The look tells a chart in another order from this one.
if "$check" chart "$work/example.png" 000080 9BE39B^0 8EC5FF^0 FFA8A8^0 D9C2FF^3 FFE08A^3 > /dev/null 2>&1 ||
   "$check" chart "$work/example.png" 000080 8EC5FF^0 9BE39B^0 FFA8A8^0 D9C2FF^2 FFE08A^3 > /dev/null 2>&1; then
  fail "the picture check took a wrong chart for this one"
fi
cp "$work/example.png" "$build/packaging/example.png" 2> /dev/null || true

# ---- The same example through pkg-config ----
export PKG_CONFIG_PATH="$prefix/$libdir/pkgconfig"
[ "$(pkg-config --modversion velmora-dborgchart)" = "$version" ] || fail "pkg-config version"
[[ "$(pkg-config --libs velmora-dborgchart)" == *-lvelmora-orgchart* ]] || fail "velmora-dborgchart does not bring velmora-orgchart"
# shellcheck disable=SC2046
"$cxx" $consumer_flags -o "$work/example-pc" "$work/example/main.cpp" $(pkg-config --cflags --libs velmora-orgchart) \
  -Wl,-rpath,"$prefix/$libdir" 2> "$work/pc.log" || { fail "building with pkg-config"; head -20 "$work/pc.log"; }
if "$work/example-pc" --render-png "$work/example-pc.png" && cmp -s "$work/example.png" "$work/example-pc.png"; then
  pass "built with pkg-config, the example draws the same picture"
else
  fail "the pkg-config build's picture"
fi

# ---- The installed program ----
snapshot() { (cd "$prefix" && find . -printf '%p %s %T@\n' | sort); }
before="$(snapshot)"
mkdir -p "$work/home"
HOME="$work/home" XDG_DATA_HOME= XDG_DATA_DIRS="$work/none" \
  "$prefix/bin/velmora-orgchart" --render-png "$work/program.png" > "$work/program.log" 2>&1 \
  || fail "the installed program did not run"
copy="$work/home/.local/share/velmora-orgchart/ARBOLO.DB"
[ -f "$copy" ] && pass "the user's copy of the table was made in the XDG data folder" || fail "no copy in $copy"
# Nothing said but the picture written (and Qt's note on a session without a runtime folder).
messages="$(grep -v -e '^Wrote ' -e '^QStandardPaths: ' "$work/program.log" || true)"
[ -z "$messages" ] || fail "the program said: $messages"
rows="$(sqlite3 "$copy" 'SELECT COUNT(*) FROM ARBOLO' 2>&1)"
[ "$rows" = "$(sqlite3 "$prefix/share/velmora-orgchart/ARBOLO.DB" 'SELECT COUNT(*) FROM ARBOLO')" ] \
  && pass "the copy holds the demonstration table's $rows records" || fail "the copy holds '$rows'"
[ "$(snapshot)" = "$before" ] && pass "nothing written into the prefix" || fail "the prefix changed: $(diff <(echo "$before") <(snapshot))"
cp "$work/program.png" "$build/packaging/installed-program.png" 2> /dev/null || true

# No writable data folder: a file stands where its parent should be.
: > "$work/blocked"
HOME="$work/home" XDG_DATA_HOME="$work/blocked/data" XDG_DATA_DIRS="$work/none" \
  "$prefix/bin/velmora-orgchart" --render-png "$work/blocked.png" > "$work/blocked.log" 2>&1 || true
grep -q "Cannot write the demonstration table to $work/blocked/data/velmora-orgchart: " "$work/blocked.log" \
  && pass "an unwritable data folder is named: $(grep Cannot "$work/blocked.log")" \
  || fail "no message naming the data folder: $(cat "$work/blocked.log")"
[ "$(snapshot)" = "$before" ] || fail "the prefix changed"

# ---- A prefix that cannot be written to ----
if "$cmake" --install "$build" --prefix /proc/velmora-install > "$work/readonly.log" 2>&1; then
  fail "installing into /proc succeeded"
elif grep -q "/proc/velmora-install" "$work/readonly.log"; then
  pass "an unwritable prefix: $(grep -m1 -i "cannot\|error" "$work/readonly.log")"
else
  fail "the error does not name the prefix: $(cat "$work/readonly.log")"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures checks failed"
  exit 1
fi
echo "PASS"
