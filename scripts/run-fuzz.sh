#!/bin/sh
# ./run fuzz [SECONDS [NAME...]]: builds the libFuzzer targets (clang "fuzz"
# preset, ASan + UBSan) and runs every program the preset built,
# build/fuzz/bin/fuzz_<name> (or only the NAMEs given), SECONDS each
# (default 60) from its kept inputs, tests/fuzz/<name>/corpus and
# .../regressions. One summary line per target; exits 1 when any target
# crashed, timed out, ran out of memory or drew a sanitizer report.
#
# Scratch corpora and crash inputs are under build/fuzz/work/<name>. Keep
# an input worth keeping as tests/fuzz/<name>/corpus/<what>.bin, and a crash,
# once fixed, as tests/fuzz/<name>/corpus/regression_<what>.bin.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
case "$seconds" in '' | *[!0-9]*) echo "usage: ./run fuzz [SECONDS [NAME...]]" >&2; exit 2 ;; esac

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 >/dev/null

if [ $# -eq 0 ]; then
  set -- $(ls build/fuzz/bin | sed -n 's/^fuzz_//p' | sort)
fi
[ $# -gt 0 ] || { echo "the fuzz preset built no targets" >&2; exit 1; }

# Any sanitizer report stops the program, so it counts as a crash. Pictures
# up to the decoder's limit (16 M pixels) take a few hundred MB per run, so
# ASan's quarantine of freed memory is kept small and the RSS limit is 4 GB;
# a single allocation beyond 2 GB is a finding.
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=64

failed=0
for name in "$@"; do
  program=build/fuzz/bin/fuzz_$name
  [ -x "$program" ] || { echo "fuzz_$name: no such program" >&2; failed=1; continue; }
  work=build/fuzz/work/$name
  rm -rf "$work"
  mkdir -p "$work/corpus"
  for kept in tests/fuzz/$name/corpus tests/fuzz/$name/regressions; do
    [ -d "$kept" ] && find "$kept" -maxdepth 1 -type f -exec cp {} "$work/corpus/" \;
  done
  seeds=$(ls "$work/corpus" | wc -l)
  rc=0
  "$program" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=4096 -malloc_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" >"$work/log" 2>&1 || rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log" | tail -n 1)
  added=$(sed -n 's/^stat::new_units_added: *//p' "$work/log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$work/log" | tail -n 1)
  found=$(ls "$work" | grep -c -E '^(crash|timeout|oom|leak|slow-unit)-' || true)
  reports=$(grep -c -E 'runtime error:|ERROR: (Address|Leak|Undefined)Sanitizer|ERROR: libFuzzer' "$work/log" || true)
  crashes=$((found > reports ? found : reports))
  [ "$rc" -ne 0 ] && [ "$crashes" -eq 0 ] && crashes=1
  printf '%-24s runs %-10s %-20s corpus %s -> %s (+%s new)  crashes %s\n' "fuzz_$name" "${runs:-?}" \
    "${cov:-cov: ?}" "$seeds" "$(ls "$work/corpus" | wc -l)" "${added:-0}" "$crashes"
  if [ "$crashes" -ne 0 ]; then
    failed=1
    grep -m 3 -E 'runtime error:|ERROR:|SUMMARY:|^[a-z_]+: ' "$work/log" | sed 's/^/    /' || true
    echo "    log and inputs: $work/"
  fi
done
exit $failed
