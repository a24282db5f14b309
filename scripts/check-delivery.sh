#!/usr/bin/env bash
# Checks what a school's administrator gets, from a built build/: an install
# into a scratch DESTDIR holds exactly the files below, the menu entry and the
# metainfo pass their validators, and the Debian package builds, holds the
# same files plus its copyright and changelog, and lintian finds no error.
set -euo pipefail
source "$(dirname "$0")/common.sh"

id=org.transistorbands.simulation
expected=(
  usr/bin/transistor-script
  usr/bin/transistor-sim
  "usr/share/applications/$id.desktop"
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
  usr/share/man/man1/transistor-script.1.gz
  usr/share/man/man1/transistor-sim.1.gz
  "usr/share/metainfo/$id.metainfo.xml"
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# same FILE-LIST-A FILE-LIST-B WHAT: fails with a diff when they differ.
same() {
  if ! diff -u "$1" "$2"; then
    echo "$3: the files above differ from the expected list (- expected, + found)" >&2
    return 1
  fi
}
printf '%s\n' "${expected[@]}" | sort >"$work/expected"

echo "--- cmake --install into DESTDIR"
DESTDIR="$work/root" cmake --install build --prefix /usr >/dev/null
(cd "$work/root" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$work/installed"
same "$work/expected" "$work/installed" "install"

echo "--- desktop-file-validate"
desktop-file-validate "$work/root/usr/share/applications/$id.desktop"
echo "--- appstreamcli validate --no-net"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml"

echo "--- cpack -G DEB"
rm -f build/transistor-sim_*.deb
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/transistor-sim_*.deb)
dpkg-deb -f "$deb" Package Version Section Depends
{
  printf '%s\n' "${expected[@]}"
  echo usr/share/doc/transistor-sim/changelog.gz
  echo usr/share/doc/transistor-sim/copyright
} | sort >"$work/expected-deb"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 3)}' | sort >"$work/packaged"
same "$work/expected-deb" "$work/packaged" "package"

echo "--- lintian $(basename "$deb")"
# Errors fail the run; warnings are listed.
lintian --fail-on error --info "$deb"
echo "delivery checks passed"
