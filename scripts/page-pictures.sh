#!/usr/bin/env bash
# Draws the pictures of the page in docs/ again (docs/page-en.png,
# page-ja.png, page-contrast.png, page-fitted.png, page-keys.png and the
# Readouts view, page-readouts-en.png and page-readouts-ja.png: see
# web/pictures.mjs), from the built page (build-wasm/page, or
# TRANSISTOR_PAGE_DIR) in headless Chromium, after a change to the page.
# The page runs on its manual clock, so the same page gives the same pictures.
set -euo pipefail
source "$(dirname "$0")/common.sh"

export TRANSISTOR_PAGE_DIR="${TRANSISTOR_PAGE_DIR:-$PWD/build-wasm/page}"
if [[ ! -f $TRANSISTOR_PAGE_DIR/transistor-sim.html ]]; then
  echo "no page in $TRANSISTOR_PAGE_DIR: build it first (web/build.mjs)" >&2
  exit 1
fi
[[ -d web/node_modules ]] || (cd web && npm ci)
node web/pictures.mjs docs
