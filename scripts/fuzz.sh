#!/usr/bin/env bash
# Builds the libFuzzer targets of the preference file library and of the catalogue's loading (preset
# "fuzz", clang) and runs each for the given seconds from a copy of the committed seed corpus, one
# process at a time at the lowest priority. Fails on the first crash, leak or check failure; the input that caused it is
# kept in the work folder and named in the output.
#   scripts/fuzz.sh [seconds per target, default 30] [target ...]
# ORVANE_FUZZ_WORK: keep the grown corpus there (default: a temporary folder removed afterwards).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(preference_file_reader_fuzz preference_file_round_trip_fuzz catalogue_load_fuzz)

cmake --preset fuzz >/dev/null
nice -n 19 cmake --build build/fuzz -j 2

work=${ORVANE_FUZZ_WORK:-}
if [ -z "$work" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work"

for target in "${targets[@]}"; do
  corpus="$work/$target/corpus"
  mkdir -p "$corpus" "$work/$target/artifacts"
  cp -n tests/fuzz/corpus/* "$corpus/"
  echo "== fuzz: $target for ${seconds}s"
  # The committed corpus is only read: new inputs go into the copy.
  if ! timeout $((seconds + 120)) nice -n 19 "build/fuzz/tests/fuzz/$target" \
      -max_total_time="$seconds" -max_len=4096 -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$work/$target/artifacts/" "$corpus" 2>"$work/$target/log"; then
    tail -n 60 "$work/$target/log" >&2
    echo "fuzz: $target failed; inputs kept in $work/$target/artifacts" >&2
    trap - EXIT
    exit 1
  fi
  grep -E "^stat::number_of_executed_units|^Done" "$work/$target/log" || true
done
