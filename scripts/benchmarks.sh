#!/usr/bin/env bash
# Builds the native benchmarks (preset "bench", Release) and writes docs/benchmarks.md: the machine
# it ran on, then one section per benchmark. Every figure is set against a baseline measured in the
# same run; nothing here passes or fails on speed. Programs run at the lowest priority, so that on a
# shared machine they take only idle processor time (they measure CPU time, not wall time).
#
# The Windows benchmarks (catalogue calls, start-up and memory of Orvane.exe) are built with the
# "win64" preset and run under Wine in a private session (scripts/wine-session.sh) that the script
# starts before them and stops at its end. They measure wall time, so on a shared machine their
# figures are best-of-several rounds.
#
# To add a benchmark: write a function section_NAME that prints its Markdown (heading included)
# and add NAME to the sections list below. A section that fails is reported in the document and
# the others still run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

out=${ORVANE_BENCH_OUT:-$root/docs/benchmarks.md}
sections=(preference_parse catalogue startup)
win=$root/build/win64

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

section_catalogue() {
  echo "## Catalogue loading, category view and completion (under Wine)"
  echo
  echo "\`bench/catalogue_bench.cpp\` (win64 build, under Wine): window 1 with the category combo box"
  echo "(gadget 1) and the entry list (gadget 2) as the main window has them, the data directory in a"
  echo "temporary folder. \`LoadCatalogue\` of 100,000 entries next to an empty catalogue; \`ShowCategory\`"
  echo "of a 10,000-entry category next to the same rows inserted straight into the list control; two"
  echo "parts of the load on their own (the file's parse, and names into the sorted combo box with and"
  echo "without its redraw held off); the completion of one keystroke in a combo box of 5,000 categories"
  echo "next to the control's own \`CB_FINDSTRING\`."
  echo
  (cd "$win" && timeout 1200 nice -n 10 wine bench/catalogue_bench.exe 7 </dev/null | tr -d '\r')
  echo
  echo "Target (reported, not enforced): a keystroke's completion under 16 ms with 5,000 categories."
}

section_startup() {
  echo "## Start-up and peak memory of Orvane.exe (under Wine)"
  echo
  echo "\`bench/startup_bench.cpp\` (win64 build, under Wine) starts the real program as a user does,"
  echo "without the IDE's words, in prepared folders; the first category of the file is shown at start."
  echo
  (cd "$win" && timeout 1800 nice -n 10 wine bench/startup_bench.exe 'bin\Orvane.exe' 7 </dev/null | tr -d '\r')
  echo
  echo "Targets (reported, not enforced): start-up with 100,000 entries within 1.5x of start-up with"
  echo "none; peak memory under 3x the catalogue file's size above the empty catalogue's."
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
  echo "- Wine: $(wine --version 2>/dev/null || echo unknown); Windows programs: $(x86_64-w64-mingw32-g++-posix --version 2>/dev/null | head -n 1)"
  echo "- Load when the run started: $(cut -d ' ' -f 1-3 /proc/loadavg) (1, 5, 15 minutes)"
}

echo "== build: bench"
cmake --preset bench >/dev/null
nice -n 19 cmake --build build/bench -j 2

echo "== build: win64 (the Windows benchmarks and Orvane.exe)"
cmake --preset win64 >/dev/null
nice -n 19 cmake --build "$win" -j 2 --target Orvane catalogue_bench startup_bench

# shellcheck source=scripts/wine-session.sh
source "$root/scripts/wine-session.sh"
tmp=$(mktemp)
trap 'wine_session_stop; rm -f "$tmp"' EXIT
echo "== wine session"
wine_session_start "$win"
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
