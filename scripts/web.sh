#!/usr/bin/env bash
# Sets up this machine if needed, builds the page and prints where it is:
# build-wasm/page/transistor-sim.html, one file that opens in any browser,
# offline. Beside it are what a web server needs to let a browser install it
# as an app (the manifest, the service worker, the icons).
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash scripts/install-deps.sh
# Quiet unless something fails.
if ! log=$(configure_wasm 2>&1 && cmake --build build-wasm --target transistor-page -j "$jobs" 2>&1); then
  echo "$log" >&2
  exit 1
fi
echo "$PWD/build-wasm/page/transistor-sim.html"
