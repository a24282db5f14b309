# Shared by run.sh and test.sh: sourced, not run.

# The repository root, whatever the current folder.
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# Parallel jobs for building and testing; the default suits a small machine.
jobs="${JOBS:-2}"

# configure DIR [CMAKE OPTIONS...]: configures a build folder, with Ninja
# when the folder is new (an existing one keeps its generator).
configure() {
  local dir=$1
  shift
  local generator=()
  if [[ ! -f $dir/CMakeCache.txt ]]; then
    generator=(-G Ninja)
  fi
  cmake -S . -B "$dir" "${generator[@]}" "$@"
}

# configure_wasm [CMAKE OPTIONS...]: configures the browser build (emscripten)
# in build-wasm/, optimised for size: the page carries the module inside it,
# and MinSizeRel (-Oz with link-time optimisation, see CMakeLists.txt) makes
# it a third smaller than -O2, with no speed a page that ticks 20 times a
# second would miss. emcc runs its JavaScript optimizer with node, which needs
# Debian's acorn; a node not from Debian does not look for it there.
configure_wasm() {
  export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
  local generator=()
  if [[ ! -f build-wasm/CMakeCache.txt ]]; then
    generator=(-G Ninja)
  fi
  emcmake cmake -S . -B build-wasm "${generator[@]}" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DTRANSISTOR_WERROR=ON -DTRANSISTOR_BUILD_GUI=OFF "$@"
}
