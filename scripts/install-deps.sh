#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, and only
# when one of them is missing (so a set-up machine needs no network).
set -euo pipefail

packages=(
  build-essential cmake ninja-build    # compiler and build tools
  qt6-base-dev libgl-dev               # the window (Qt 6 Widgets)
  qt6-tools-dev qt6-l10n-tools         # the window's translations (lupdate, lrelease)
  qt6-translations-l10n                # Qt's own texts (the OK of a message box) in Japanese
  libgtest-dev libgmock-dev            # the tests
  nlohmann-json3-dev                   # reading the driver's JSON dumps in the tests
  libbenchmark-dev                     # the benchmarks (TRANSISTOR_BENCH)
  clang libclang-rt-14-dev             # the fuzzer (libFuzzer) and its sanitizers
  fonts-ipafont-gothic                 # a Japanese Gothic face for the band letters and captions
  desktop-file-utils appstream lintian # the checks of the menu entry, metainfo and package
  gcovr                                # line and branch coverage (scripts/coverage.sh)
)
# Installed without the packages they recommend, which the build does not use.
bare_packages=(
  emscripten                           # the browser build (emcc, with node)
)

missing() {
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      echo "$package"
    fi
  done
}
mapfile -t missing_packages < <(missing "${packages[@]}")
mapfile -t missing_bare < <(missing "${bare_packages[@]}")
if ((${#missing_packages[@]} + ${#missing_bare[@]} == 0)); then
  exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
echo "Installing ${missing_packages[*]} ${missing_bare[*]}"
"${sudo[@]}" apt-get update
install=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y)
if ((${#missing_packages[@]} > 0)); then
  "${install[@]}" "${missing_packages[@]}"
fi
if ((${#missing_bare[@]} > 0)); then
  "${install[@]}" --no-install-recommends "${missing_bare[@]}"
fi
