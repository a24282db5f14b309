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
