#!/usr/bin/env bash
# Checks what a school's administrator gets, from a built build/: an install
# into a scratch DESTDIR holds exactly the files below, the menu entry and the
# metainfo pass their validators without a hint and carry their Japanese
# texts, no placeholder address is left in them, cpack refuses a package
# without a maintainer, and the Debian package builds, holds the same files
# plus its copyright and changelog, and lintian finds no error or warning.
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

entry="$work/root/usr/share/applications/$id.desktop"
metainfo="$work/root/usr/share/metainfo/$id.metainfo.xml"
echo "--- desktop-file-validate"
# It exits 0 on a hint (such as two main categories); a hint fails here.
hints=$(desktop-file-validate "$entry" 2>&1) || true
if [[ -n $hints ]]; then
  echo "$hints" >&2
  exit 1
fi
echo "--- appstreamcli validate --no-net --pedantic"
appstreamcli validate --no-net --pedantic "$metainfo"

echo "--- the Japanese texts, and no placeholder"
# From translations/transistor_ja.ts, through data/localize.cmake.
for key in Name GenericName Comment Keywords; do
  grep -q "^$key\[ja\]=." "$entry" || { echo "$entry: no $key[ja]" >&2; exit 1; }
done
for element in name summary; do
  grep -q "<$element xml:lang=\"ja\">[^<]" "$metainfo" ||
    { echo "$metainfo: no <$element xml:lang=\"ja\">" >&2; exit 1; }
done
if grep -rnE 'example\.(org|com|net)' "$work/root"; then
  echo "a placeholder address is in the installed files (above)" >&2
  exit 1
fi

echo "--- cpack refuses a package without a maintainer"
# Whatever build/ was configured with; each must be refused.
for contact in "" "Package check" "<package-check@transistor-sim.invalid>"; do
  if (cd build && cpack -G DEB -B "$work/refused" -D "CPACK_PACKAGE_CONTACT=$contact") \
    >"$work/cpack.log" 2>&1; then
    echo "cpack made a package with the maintainer \"$contact\"" >&2
    exit 1
  fi
  grep -q TRANSISTOR_MAINTAINER "$work/cpack.log" ||
    { cat "$work/cpack.log" >&2; echo "cpack failed without naming TRANSISTOR_MAINTAINER" >&2; exit 1; }
done

echo "--- cpack -G DEB"
# Into the scratch folder, with an address that reaches no one (.invalid), so
# that this package can never be mistaken for one to hand out.
maintainer="Package check <package-check@transistor-sim.invalid>"
(cd build && cpack -G DEB -B "$work/package" -D "CPACK_PACKAGE_CONTACT=$maintainer" >/dev/null)
deb=$(ls "$work"/package/transistor-sim_*.deb)
dpkg-deb -f "$deb" Package Version Section Depends Maintainer
[[ $(dpkg-deb -f "$deb" Maintainer) == "$maintainer" ]] ||
  { echo "the package's Maintainer is not the one given to cpack" >&2; exit 1; }
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/transistor-sim/changelog.gz | zcat |
  grep -qF -- " -- $maintainer  " || { echo "the changelog is not signed by the maintainer" >&2; exit 1; }
{
  printf '%s\n' "${expected[@]}"
  echo usr/share/doc/transistor-sim/changelog.gz
  echo usr/share/doc/transistor-sim/copyright
} | sort >"$work/expected-deb"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 3)}' | sort >"$work/packaged"
same "$work/expected-deb" "$work/packaged" "package"

echo "--- lintian $(basename "$deb")"
lintian --fail-on error,warning --info "$deb"
echo "delivery checks passed"
