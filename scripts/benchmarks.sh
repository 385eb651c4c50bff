#!/usr/bin/env bash
# Builds the native benchmarks (preset "bench", Release) and writes docs/benchmarks.md: the machine
# it ran on, then one section per benchmark. Every figure is set against a baseline measured in the
# same run; nothing here passes or fails on speed. Programs run at the lowest priority, so that on a
# shared machine they take only idle processor time (they measure CPU time, not wall time).
#
# To add a benchmark: write a function section_NAME that prints its Markdown (heading included)
# and add NAME to the sections list below. A section that fails is reported in the document and
# the others still run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

out=${ORVANE_BENCH_OUT:-$root/docs/benchmarks.md}
sections=(preference_parse)

section_preference_parse() {
  echo "## Preference file parse"
  echo
  echo "\`bench/preference_parse_bench.cpp\`: a generated catalogue of 50 MB (groups of 5 to 40 constant"
  echo "entries, a comment in front of every group, CR LF line ends) read by the library, next to inih"
  echo "with a handler that does nothing and a bare memchr scan for the line ends of the same bytes."
  echo "Ratios use the best times. The first round gets its memory fresh from the system, as a program"
  echo "does once at its start; its page faults show in the row \"read the whole file into a new"
  echo "buffer\". Later rounds reuse memory that the process already holds."
  echo
  timeout 1800 nice -n 19 build/bench/bench/preference_parse_bench 50 9
}

machine() {
  local model cores memory
  model=$(lscpu | sed -n 's/^Model name:[[:space:]]*//p' | head -n 1)
  cores=$(nproc)
  memory=$(awk '/^MemTotal:/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
  echo "- Date: $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "- Processor: ${model:-unknown}, $cores cores available"
  echo "- Memory: $memory"
  echo "- System: $(uname -sr); compiler: $(c++ --version | head -n 1)"
  echo "- Load when the run started: $(cut -d ' ' -f 1-3 /proc/loadavg) (1, 5, 15 minutes)"
}

echo "== build: bench"
cmake --preset bench >/dev/null
nice -n 19 cmake --build build/bench -j 2

tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
{
  echo "# Benchmarks"
  echo
  echo "Written by \`scripts/benchmarks.sh\`; figures only, from one run on one machine. Each figure"
  echo "stands next to baselines measured in the same run, so the ratios carry over better than the"
  echo "times do."
  echo
  machine
  for name in "${sections[@]}"; do
    echo "== bench: $name" >&2
    echo
    if ! "section_$name"; then
      echo
      echo "(this benchmark failed in this run)"
    fi
  done
} >"$tmp"
mkdir -p "$(dirname "$out")"
cp "$tmp" "$out"
echo "wrote $out"
