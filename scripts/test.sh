#!/usr/bin/env bash
# Sets up this machine if needed, builds everything with warnings as errors
# and runs the whole test suite headless, ending with CTest's summary.
#   JOBS=n          parallel build and test jobs (default 2)
#   STAGES="main"   run only some stages (default: sanitizers fuzz wasm web delivery main)
#   FUZZ_SECONDS=n  how long the fuzzer runs (default 60)
set -euo pipefail
source "$(dirname "$0")/common.sh"

# The window tests draw offscreen; no display is needed.
export QT_QPA_PLATFORM=offscreen

# Each stage builds in its own folder and runs its own tests; a stage that
# fails stops the run. A new kind of check is a new stage added to the list.
# The main build compiles the benchmarks too, so that they keep building; they
# are run by hand, never by the test run.
stage_main() {
  configure build -DTRANSISTOR_WERROR=ON -DTRANSISTOR_BUILD_GUI=ON -DTRANSISTOR_BENCH=ON
  cmake --build build -j "$jobs"
  (cd build && ctest --output-on-failure --no-tests=error -j "$jobs")
}

# The core, the driver and their tests again, under AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails the run. The soak runs a
# tenth of its course here; the main stage runs all of it.
stage_sanitizers() {
  configure build-sanitize -DTRANSISTOR_WERROR=ON -DTRANSISTOR_BUILD_GUI=OFF \
    -DTRANSISTOR_SANITIZE=ON
  cmake --build build-sanitize -j "$jobs"
  (cd build-sanitize &&
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --output-on-failure --no-tests=error -j "$jobs")
}

# The fuzzer over user events, for a bounded time (FUZZ_SECONDS, default 60),
# starting from the stored corpus. A crash, a hang, a sanitizer report or a
# broken invariant fails the run and leaves the input in the work folder.
stage_fuzz() {
  CC=clang CXX=clang++ configure build-fuzz -DTRANSISTOR_WERROR=ON -DTRANSISTOR_BUILD_GUI=OFF \
    -DTRANSISTOR_SANITIZE=ON -DTRANSISTOR_FUZZ=ON
  cmake --build build-fuzz --target fuzz_events -j "$jobs"
  local work
  work=$(mktemp -d)
  cp tests/fuzz/corpus/* "$work/"
  if ! build-fuzz/bin/fuzz_events "$work" -max_total_time="${FUZZ_SECONDS:-60}" \
    -timeout=10 -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$work/"; then
    echo "the fuzzer found a failing input; it is in $work" >&2
    return 1
  fi
}

# The core and the driver built for the browser (emscripten) and run under
# node, against the native driver: the scripts of tests/script/cli/ as their
# tests run them, the scripts the script tests run in-process, the pictures'
# scripts with a dump at the end, the traces and the fuzz corpus as
# driver scripts must give the same exit status, standard output and standard
# error, byte for byte, and a seeded sample of numbers the same text. A
# subshell, so that its environment stays its own.
stage_wasm() (
  # The browser build reads no locale from the host: it always reads and
  # writes numbers with a point, so both run in the C locale.
  export LC_ALL=C.UTF-8
  configure build -DTRANSISTOR_WERROR=ON -DTRANSISTOR_BUILD_GUI=ON -DTRANSISTOR_BENCH=ON
  cmake --build build -j "$jobs" \
    --target transistor-script script_tests fuzz-to-script number-text-sample
  # emscripten's system libraries (libc++ with exceptions among them) come
  # built with Debian's package, in its read-only cache
  # /usr/share/emscripten/cache: the build writes nothing outside build-wasm/.
  configure_wasm
  cmake --build build-wasm -j "$jobs"

  local native=build/bin/transistor-script node="node $PWD/build-wasm/bin/transistor-script.js"
  local work
  work=$(mktemp -d)
  mkdir "$work/kept" "$work/tmp"
  TRANSISTOR_KEEP_SCRIPTS="$work/kept" TEST_TMPDIR="$work/tmp" build/bin/script_tests >/dev/null
  local input script
  for input in tests/fuzz/corpus/*; do
    build/bin/fuzz-to-script "$input" >"$work/fuzz-$(basename "$input").script"
  done
  for script in docs/pictures/*.script; do
    { cat "$script"; echo dump; } >"$work/picture-$(basename "$script")"
  done
  TRANSISTOR_OTHER_DRIVER="$node" ctest --test-dir build -R '^script_cli[.]' -j "$jobs" \
    --output-on-failure --no-tests=error
  bash scripts/compare-drivers.sh "$native" "$node" "$work"/*.script "$work"/kept/*.script
  # The traces run in their own folder, which their random files are named from.
  (cd tests/script/traces && bash ../../../scripts/compare-drivers.sh \
    "$OLDPWD/$native" "$node" ./*.script)
  if ! cmp <(build/bin/number-text-sample) <(node build-wasm/bin/number-text-sample.js); then
    echo "the browser build writes or reads numbers differently" >&2
    return 1
  fi
  rm -rf "$work"
)

# The page: the one committed in docs/app/ against the one built here, the
# module's calls against the native driver under node, and the
# page itself in headless Chromium (offline from file://, the same state as
# the native driver after the same events, the drawing, the screen reader's
# tree, the keyboard, random input, the installable app). Its tools come
# pinned by web/package-lock.json.
stage_web() (
  configure build -DTRANSISTOR_WERROR=ON -DTRANSISTOR_BUILD_GUI=ON -DTRANSISTOR_BENCH=ON
  cmake --build build -j "$jobs" --target transistor-script
  configure_wasm
  # Written afresh, so that nothing left from an older build counts.
  rm -rf build-wasm/page
  cmake --build build-wasm -j "$jobs" --target transistor-page
  # The page the repository holds is the page these sources build, to the
  # byte, on a machine with the packages that built it (its second line names
  # them). Other versions of emscripten, clang or node may write other bytes
  # from the same sources; there the comparison is skipped, and says so.
  local kept built
  kept=$(sed -n 2p docs/app/transistor-sim.html)
  built=$(sed -n 2p build-wasm/page/transistor-sim.html)
  if [[ $kept != "$built" ]]; then
    echo "docs/app was built with other packages than this machine's; not compared:" >&2
    echo "  docs/app:     $kept" >&2
    echo "  this machine: $built" >&2
  elif ! diff -r --brief docs/app build-wasm/page; then
    echo "docs/app is not the page these sources build: run bash scripts/web.sh and commit docs/app" >&2
    return 1
  fi
  (cd web && npm ci --no-audit --no-fund --loglevel=error)
  (cd web && npx tsc -p jsconfig.json)
  TRANSISTOR_CORE=$PWD/build-wasm/bin/transistor-core.js \
    TRANSISTOR_PAGE_DIR=$PWD/build-wasm/page \
    TRANSISTOR_SCRIPT=$PWD/build/bin/transistor-script \
    node --test web/test/
)

# What an administrator installs: the install rules, the menu entry and the
# metainfo through their validators, the Debian package through lintian. It
# builds the same folder as the main suite, which then only runs the tests.
stage_delivery() {
  configure build -DTRANSISTOR_WERROR=ON -DTRANSISTOR_BUILD_GUI=ON -DTRANSISTOR_BENCH=ON
  cmake --build build -j "$jobs"
  bash scripts/check-delivery.sh
}

# The main suite runs last, so that the run ends with its summary.
read -r -a stages <<<"${STAGES:-sanitizers fuzz wasm web delivery main}"

bash scripts/install-deps.sh
for stage in "${stages[@]}"; do
  echo "=== $stage"
  "stage_$stage"
done
