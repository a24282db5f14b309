#!/usr/bin/env bash
# Pictures of the window in each language, enlarged to show the lower strip:
# docs/window-en.png, docs/window-ja.png and docs/window-designed.png (the
# texts as designed, under LANG=C). Builds transistor-sim first if needed.
# Needs xvfb, xdotool and imagemagick (apt-get install xvfb xdotool imagemagick).
set -euo pipefail
source "$(dirname "$0")/common.sh"

cmake --build build --target transistor-sim -j "$jobs" >/dev/null

# shoot LANG FILE: the window under LANG, at its full extent, into FILE.
shoot() {
  local lang=$1 file=$2
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$lang" build/bin/transistor-sim 2>/dev/null &
  local pid=$!
  local window
  window=$(xdotool search --sync --onlyvisible --pid "$pid" | head -n 1)
  xdotool windowmove "$window" 0 0 windowsize "$window" 661 641
  sleep 1
  import -window "$window" "$file"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$file"
}

if [[ -z ${SCREENSHOT_DISPLAY:-} ]]; then
  # Run again inside a virtual screen of its own.
  exec xvfb-run -a -s "-screen 0 1024x768x24" env SCREENSHOT_DISPLAY=1 bash "$0" "$@"
fi
shoot en_US.UTF-8 docs/window-en.png
shoot ja_JP.UTF-8 docs/window-ja.png
shoot C docs/window-designed.png
