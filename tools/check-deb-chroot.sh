#!/usr/bin/env bash
# The Debian package on a fresh Debian 12: a minimal system made by debootstrap in a
# folder, the package installed there by apt from the file (apt brings what it depends
# on), and the program started by an ordinary user from its installed path on a virtual
# display inside that system, once with a fresh home and once with a data folder that
# cannot be written. The two screens are written as PNGs into the output folder.
#   tools/check-deb-chroot.sh <package.deb> <output folder> [<system folder>]
# Needs root, debootstrap, the network to the Debian archive this machine's apt uses, and
# a build (build/packaging/tests/velmora-picture-check turns the screen dumps into PNGs).
# The system folder (default /tmp/velmora-bookworm) is kept for another run.
set -euo pipefail
root_dir="$(cd "$(dirname "$0")/.." && pwd)"
deb="$(realpath "$1")"
out="$(mkdir -p "$2" && realpath "$2")"
system="${3:-/tmp/velmora-bookworm}"
check="${VELMORA_BUILD_DIR:-$root_dir/build}/packaging/tests/velmora-picture-check"

if [ ! -f "$system/etc/debian_version" ]; then
  mirror="$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/debian.sources 2> /dev/null | head -n 1)"
  [ -n "$mirror" ] || mirror="$(awk '$1 == "deb" { print $2; exit }' /etc/apt/sources.list)"
  echo "Making a minimal Debian 12 in $system from $mirror"
  debootstrap --variant=minbase bookworm "$system" "$mirror" > "$out/debootstrap.log" 2>&1 \
    || { tail -20 "$out/debootstrap.log"; exit 1; }
fi

mounts=()
cleanup() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" 2> /dev/null || true; done
}
trap cleanup EXIT
mount -t proc proc "$system/proc" && mounts+=("$system/proc")
mount --bind /dev "$system/dev" && mounts+=("$system/dev")
mount --bind /dev/pts "$system/dev/pts" && mounts+=("$system/dev/pts")
cp /etc/resolv.conf "$system/etc/resolv.conf" 2> /dev/null || true
in_system() { chroot "$system" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }

cp "$deb" "$system/tmp/"
in_system apt-get update -qq
echo "apt install ./$(basename "$deb")"
in_system sh -c "cd /tmp && apt install -y ./$(basename "$deb")" > "$out/apt-install.log" 2>&1 \
  || { tail -30 "$out/apt-install.log"; exit 1; }
grep -E "^(Setting up|The following NEW)" "$out/apt-install.log" | head -5
in_system dpkg -s velmora-orgchart | grep -E "^(Status|Version):"
# What the check itself needs on that system: a virtual display, input and a screen dump.
in_system apt-get install -y -qq --no-install-recommends xvfb xauth xdotool x11-apps > "$out/apt-tools.log" 2>&1
in_system id -u tester > /dev/null 2>&1 || in_system useradd -m tester

cat > "$system/tmp/session.sh" <<'SESSION'
#!/bin/sh
# session.sh <dump> [XDG_DATA_HOME]: starts the installed program, waits for its window,
# dumps the screen and closes it.
dump="$1"
if [ -n "${2:-}" ]; then export XDG_DATA_HOME="$2"; fi
/usr/bin/velmora-orgchart > "$dump.log" 2>&1 &
pid=$!
timeout 30 xdotool search --sync --onlyvisible --name 'VelmoraOrgChart Demo' > /dev/null
sleep 2
xwd -root -silent -out "$dump"
kill "$pid"
wait "$pid" 2> /dev/null
exit 0
SESSION
chmod 755 "$system/tmp/session.sh"
as_tester() {
  chroot --userspec=tester:tester "$system" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/home/tester "$@"
}
rm -rf "$system/home/tester/.local"
as_tester xvfb-run -a -s '-screen 0 1280x800x24' /tmp/session.sh /tmp/fresh.xwd
ls -l "$system/home/tester/.local/share/velmora-orgchart/ARBOLO.DB"
# A data folder the user cannot write: the program says where it tried.
as_tester xvfb-run -a -s '-screen 0 1280x800x24' /tmp/session.sh /tmp/blocked.xwd /usr/share/velmora-data
"$check" xwd "$system/tmp/fresh.xwd" "$out/fresh-home.png"
"$check" xwd "$system/tmp/blocked.xwd" "$out/unwritable-data-folder.png"
"$check" chart "$out/fresh-home.png" 000080 E6E6E6
echo "Screens: $out/fresh-home.png $out/unwritable-data-folder.png"
