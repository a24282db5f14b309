#!/usr/bin/env bash
# Sets up this machine if needed, builds everything with warnings as errors
# and runs the whole test suite headless, ending with CTest's summary.
#   JOBS=n  parallel build and test jobs (default 2)
set -euo pipefail
source "$(dirname "$0")/common.sh"

# The window tests draw offscreen; no display is needed.
export QT_QPA_PLATFORM=offscreen

# Each stage builds in its own folder and runs its own tests; a stage that
# fails stops the run. A new kind of check is a new stage added to the list.
stage_main() {
  configure build -DTRANSISTOR_WERROR=ON -DTRANSISTOR_BUILD_GUI=ON
  cmake --build build -j "$jobs"
  (cd build && ctest --output-on-failure --no-tests=error -j "$jobs")
}

stages=(stage_main)

bash scripts/install-deps.sh
for stage in "${stages[@]}"; do
  echo "=== ${stage#stage_}"
  "$stage"
done
