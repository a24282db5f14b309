#!/usr/bin/env bash
# Line and branch coverage of the core and the script driver (app/, model/,
# engine/, display/, tools/) over the test suite, the soak excepted, in a build
# folder of its own (build-cov). Prints gcovr's summary.
#
# Branches left out of the count, as no test can take them:
# - the member-by-member comparisons of a defaulted operator== (each member
#   is an early exit of its own);
# - branches that only throw, and those gcov marks unreachable (exception
#   landing pads and the clean-up around a throw expression).
# What remains untaken is listed with --txt -b; most of it is a switch's
# implicit default over the five regions, an overflow check inlined where the
# values cannot overflow, and defensive paths (Form_Load failing, an unknown
# control name, std::bad_alloc, a locale that cannot be set).
set -euo pipefail
source "$(dirname "$0")/common.sh"
export QT_QPA_PLATFORM=offscreen

configure build-cov -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="--coverage -O0" \
  -DCMAKE_EXE_LINKER_FLAGS=--coverage
cmake --build build-cov -j "$jobs"
find build-cov -name '*.gcda' -delete
(cd build-cov && ctest --output-on-failure -j "$jobs" -E '^soak$')
gcovr -r . build-cov --filter 'app/' --filter 'model/' --filter 'engine/' --filter 'display/' \
  --filter 'tools/' --exclude-throw-branches --exclude-unreachable-branches \
  --exclude-branches-by-pattern '.*= default;.*' --print-summary "$@"
