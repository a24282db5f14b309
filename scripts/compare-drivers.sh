#!/usr/bin/env bash
# Runs scripts through two builds of transistor-script and stops at the first
# script on which they differ in exit status, standard output or standard
# error, byte for byte, naming it.
#   bash scripts/compare-drivers.sh "REFERENCE" "OTHER" SCRIPT...
# REFERENCE and OTHER are commands ("build/bin/transistor-script",
# "node build-wasm/bin/transistor-script.js"). Each SCRIPT runs as an
# argument, in the current folder.
set -euo pipefail

read -r -a reference <<<"$1"
read -r -a other <<<"$2"
shift 2

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

count=0
for script in "$@"; do
  set +e
  "${reference[@]}" "$script" >"$out/reference.out" 2>"$out/reference.err" </dev/null
  reference_status=$?
  "${other[@]}" "$script" >"$out/other.out" 2>"$out/other.err" </dev/null
  other_status=$?
  set -e
  problem=""
  if ((other_status != reference_status)); then
    problem="exit status $other_status, not $reference_status"
  elif ! cmp -s "$out/reference.out" "$out/other.out"; then
    problem="standard output differs at $(cmp "$out/reference.out" "$out/other.out" 2>&1 | sed "s/.*differ: //")"
  elif ! cmp -s "$out/reference.err" "$out/other.err"; then
    problem="standard error differs"
  fi
  if [[ -n $problem ]]; then
    echo "$script: ${other[*]} differs from ${reference[*]}: $problem" >&2
    echo "standard error of ${reference[*]}:" >&2
    head -c 2000 "$out/reference.err" >&2
    echo "standard error of ${other[*]}:" >&2
    head -c 2000 "$out/other.err" >&2
    exit 1
  fi
  count=$((count + 1))
done
echo "$count scripts: ${other[*]} exits, writes and complains as ${reference[*]} does"
