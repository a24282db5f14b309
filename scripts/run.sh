#!/usr/bin/env bash
# Sets up this machine if needed, builds the program optimised (Release) and
# starts it. Extra arguments go to cmake's configure step and may override
# that (e.g. -DCMAKE_BUILD_TYPE=Debug).
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash scripts/install-deps.sh
configure build -DCMAKE_BUILD_TYPE=Release -DTRANSISTOR_BUILD_GUI=ON "$@"
cmake --build build --target transistor-sim -j "$jobs"
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  echo "note: no DISPLAY or WAYLAND_DISPLAY is set; the window needs a desktop session" >&2
fi
exec build/bin/transistor-sim
