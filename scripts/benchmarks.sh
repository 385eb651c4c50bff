#!/usr/bin/env bash
# Builds the native benchmarks (preset "bench", Release) and writes docs/benchmarks.md: the machine
# it ran on, then one section per benchmark. Every figure is set against a baseline measured in the
# same run; nothing here passes or fails on speed. Programs run at the lowest priority, so that on a
# shared machine they take only idle processor time (they measure CPU time, not wall time).
#
# The Windows benchmarks (catalogue calls, the list view's first fill, start-up and memory of
# Orvane.exe) are built with the "win64" preset and run under Wine in a private session
# (scripts/wine-session.sh) that the script starts before them and stops at its end. They measure wall time, so on a shared machine their
# figures are best-of-several rounds.
#
# To add a benchmark: write a function section_NAME that prints its Markdown (heading included)
# and add NAME to the sections list below. A section that fails is reported in the document and
# the others still run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

out=${ORVANE_BENCH_OUT:-$root/docs/benchmarks.md}
sections=(preference_parse catalogue list_view startup program_sizes)
win=$root/build/win64
# The shipped catalogue as the Windows programs name it (drive Z: is the root of the file system).
shipped="Z:$(printf '%s' "$root/samples/api.ovc" | tr '/' '\\')"

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
  echo "of a 10,000-entry category next to the same rows inserted straight into the list control; the"
  echo "file's parse on its own; ways of filling the sorted combo box; the completion of one keystroke in"
  echo "a combo box of 5,000 categories next to the control's own \`CB_FINDSTRING\`; and whole keystrokes"
  echo "(the list follows the text, then the completion) in a catalogue of 350,000 entries, also of texts"
  echo "that name no category, whose keystrokes list the entries containing them; and the same with the"
  echo "shipped \`samples/api.ovc\`."
  echo
  (cd "$win" && timeout 1200 nice -n 10 wine bench/catalogue_bench.exe 7 "$shipped" \
    </dev/null | tr -d '\r')
  echo
  echo "Targets (reported, not enforced): \`ShowCategory\` of 10,000 rows within 1.5x of the bare list"
  echo "view's fill; a keystroke's completion under 16 ms with 5,000 categories; a whole keystroke under"
  echo "16 ms with 350,000 entries in 17,500 categories, also one that lists the entries containing a text"
  echo "that matches a few entries or thousands."
  echo
  echo "Search and fill together (the column \"unpainted\": the scan of the 350,000 entries, about 1 ms,"
  echo "and the list emptied and filled) stay within the target; the rest of a keystroke is the list"
  echo "control painting under Wine. A keystroke whose rows make the list's scroll bars come or change"
  echo "(the second keystroke, which fills the empty list, and one that leaves another number of rows"
  echo "than before) also pays for the control drawing its frame and scroll bars anew, under Wine about"
  echo "8 ms (measured apart)."
  echo
  echo "With the shipped \`api.ovc\` the targets are a completion keystroke and a search keystroke (search"
  echo "and fill) within 16 ms: the column \"unpainted\" (the completion, the search and the list's fill),"
  echo "and the completion alone in the table of the 5,000-category box above; the painted keystroke"
  echo "adds the list control's painting under Wine, as above."
}

section_list_view() {
  echo "## First fill of the entry list (under Wine)"
  echo
  echo "\`bench/list_view_bench.cpp\` (win64 build, under Wine): 10,000 coloured rows put into a list view"
  echo "as the first thing a new process does, as at a start-up that shows a 10,000-entry category, and"
  echo "once more after clearing it; each way in a process of its own, three processes each, taking"
  echo "turns. Memory: what the first fill adds to the process's working set and private bytes"
  echo "(\`PagefileUsage\`)."
  echo
  echo "| list | rows | first fill, painted | second fill, painted | working set added | private bytes added |"
  echo "|---|---:|---:|---:|---:|---:|"
  local round mode
  for round in 1 2 3; do
    for mode in bare toolkit; do
      (cd "$win" && timeout 300 nice -n 10 wine bench/list_view_bench.exe "$mode" </dev/null | tr -d '\r')
    done
  done
}

section_startup() {
  echo "## Start-up and peak memory of Orvane.exe (under Wine)"
  echo
  echo "\`bench/startup_bench.cpp\` (win64 build, under Wine) starts the real program as a user does,"
  echo "without the IDE's words, in prepared folders; the first category of the file is shown at start."
  echo
  (cd "$win" && timeout 2400 nice -n 10 wine bench/startup_bench.exe 'bin\Orvane.exe' 9 \
    "$shipped" </dev/null | tr -d '\r')
  echo
  echo "A start-up that shows 10,000 rows pays for the list view's own first fill on top of the"
  echo "catalogue: the section \"First fill of the entry list\" gives its time and memory for a bare list"
  echo "view as well. The shipped \`api.ovc\` is read line by line into the catalogue, never whole, and"
  echo "the main window shows before its category box is filled with the 7,000 names (about 20 ms under"
  echo "Wine, see the catalogue section), which the column \"answering\" includes: the first input is taken"
  echo "once the box is full. Targets of the shipped files: start-up at most 1.15x the empty catalogue's,"
  echo "peak working set above empty at most twice the file's size."
  echo
  echo "\"Edit\" on a catalogue of 1 MB takes the time of the rich edit control's own layout of the"
  echo "text under Wine, whichever way the text reaches it: \`WM_SETTEXT\` and \`EM_STREAMIN\` were"
  echo "measured alike (about 2 s here), so the editor keeps setting the text as it did."
}

section_program_sizes() {
  echo "## Size of the release programs"
  echo
  echo "The programs as the release archives hold them (\`scripts/release.sh\`): the i686 build links"
  echo "without debug information; the x86-64 program is stripped on its way into its archive."
  echo
  local stripped
  stripped=$(mktemp)
  x86_64-w64-mingw32-strip --strip-all -o "$stripped" "$win/bin/Orvane.exe"
  echo "| program | bytes |"
  echo "|---|---:|"
  echo "| i686 \`Orvane.exe\` | $(stat -c %s "$root/build/win32/bin/Orvane.exe") |"
  echo "| x86-64 \`Orvane.exe\` | $(stat -c %s "$stripped") |"
  rm -f "$stripped"
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
  echo "- Other programs may share the processor cores while this runs: single times are noisy. Every"
  echo "  figure is the best of several rounds, and every ratio compares figures of the same run."
}

echo "== build: bench"
cmake --preset bench >/dev/null
nice -n 19 cmake --build build/bench -j 2

echo "== build: win32 (the release program, for its size)"
cmake --preset win32 >/dev/null
nice -n 19 cmake --build build/win32 -j 2 --target Orvane

echo "== build: win64 (the Windows benchmarks and Orvane.exe)"
cmake --preset win64 >/dev/null
nice -n 19 cmake --build "$win" -j 2 --target Orvane catalogue_bench list_view_bench startup_bench

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
