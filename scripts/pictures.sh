#!/usr/bin/env bash
# Draws the pictures in docs/ again from the scripts in docs/pictures/, after
# a change to the window. The window is drawn offscreen by
# build/bin/window-picture: no display is needed, and the same sources give
# the same pictures.
#   SCALE=s   device pixels per pixel (default 1)
# window.png and strip.png show the texts as designed (LC_ALL=C.UTF-8);
# window-en.png, window-ja.png and window-designed.png show the whole window,
# strip included, in each language; window-contrast.png in high contrast;
# readouts-en.png and readouts-ja.png the Readouts view after a short lesson.
set -euo pipefail
source "$(dirname "$0")/common.sh"

configure build -DTRANSISTOR_BUILD_GUI=ON
cmake --build build --target window-picture -j "$jobs"

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
scale="${SCALE:-1}"
# picture            locale       script         area    contrast
while read -r picture locale script area contrast; do
  env -u LANGUAGE -u LC_MESSAGES -u LANG LC_ALL="$locale" \
    build/bin/window-picture --scale "$scale" --area "$area" --contrast "$contrast" \
    "docs/pictures/$script" "docs/$picture"
  echo "docs/$picture"
done <<'LIST'
window.png           C.UTF-8      window.script  window  designed
strip.png            C.UTF-8      window.script  strip   designed
window-en.png        en_US.UTF-8  window.script  full    designed
window-ja.png        ja_JP.UTF-8  window.script  full    designed
window-designed.png  C.UTF-8      window.script  full    designed
window-contrast.png  en_US.UTF-8  window.script  full    high
readouts-en.png      en_US.UTF-8  readouts.script  readouts  designed
readouts-ja.png      ja_JP.UTF-8  readouts.script  readouts  designed
LIST
