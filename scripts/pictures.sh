#!/usr/bin/env bash
# Draws the pictures in docs/ again from the scripts in docs/pictures/, after
# a change to the window. The window is drawn offscreen: no display is needed.
#   SCALE=s   device pixels per pixel (default 1)
# The captions follow the locale; LC_ALL (default C.UTF-8) picks it.
set -euo pipefail
source "$(dirname "$0")/common.sh"

configure build -DTRANSISTOR_BUILD_GUI=ON
cmake --build build --target window-picture -j "$jobs"

export LC_ALL="${LC_ALL:-C.UTF-8}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
scale="${SCALE:-1}"
# picture    script                     area
while read -r picture script area; do
  build/bin/window-picture --scale "$scale" --area "$area" "docs/pictures/$script" "docs/$picture"
  echo "docs/$picture"
done <<'LIST'
window.png window.script window
strip.png  window.script strip
LIST
