#!/usr/bin/env bash
# Builds the Debian package transistor-sim_VERSION_ARCH.deb in build/ and
# prints its path. Install it with: sudo apt-get install ./build/transistor-sim_*.deb
set -euo pipefail
source "$(dirname "$0")/common.sh"

configure build -DTRANSISTOR_BUILD_GUI=ON "$@"
cmake --build build -j "$jobs"
(cd build && cpack -G DEB >/dev/null)
ls "$PWD"/build/transistor-sim_*.deb
