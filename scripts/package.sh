#!/usr/bin/env bash
# Builds the Debian package transistor-sim_VERSION_ARCH.deb in build/ and
# prints its path. Install it with: sudo apt-get install ./build/transistor-sim_*.deb
#
# The package names whoever hands it out as its maintainer; give it once, it
# stays in build/:
#   bash scripts/package.sh -DTRANSISTOR_MAINTAINER="Your Name <you@your.school>"
# Only what the package holds is built (the target installed_files), no tests.
set -euo pipefail
source "$(dirname "$0")/common.sh"

configure build -DTRANSISTOR_BUILD_GUI=ON "$@"
# cpack would refuse too, but only after the build.
if ! grep -q '^TRANSISTOR_MAINTAINER:STRING=.' build/CMakeCache.txt; then
  echo 'No maintainer is set. A Debian package needs one:' >&2
  echo '  bash scripts/package.sh -DTRANSISTOR_MAINTAINER="Your Name <you@your.school>"' >&2
  exit 1
fi
cmake --build build --target installed_files -j "$jobs"
(cd build && cpack -G DEB >/dev/null)
ls "$PWD"/build/transistor-sim_*.deb
