#!/usr/bin/env bash
# Sets up this machine if needed, builds the page and writes it into
# docs/app/, the folder the repository keeps it in: transistor-sim.html, one
# file that opens in any browser, offline, and beside it what a web server
# needs to let a browser install it as an app (the manifest, the service
# worker, the icons). A static site serves the folder as it is. Prints the
# page's path. After a change to the page's sources, run it and commit
# docs/app: the tests rebuild the page and compare it with that folder.
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash scripts/install-deps.sh
# Written afresh, so that nothing left from an older build goes along.
rm -rf build-wasm/page
# Quiet unless something fails.
if ! log=$(configure_wasm 2>&1 && cmake --build build-wasm --target transistor-page -j "$jobs" 2>&1); then
  echo "$log" >&2
  exit 1
fi
rm -rf docs/app
cp -R build-wasm/page docs/app
echo "$PWD/docs/app/transistor-sim.html"
