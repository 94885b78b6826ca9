#!/bin/sh
# Builds the libFuzzer targets (clang "fuzz" preset) and runs each for
# $1 seconds (default 60) from its kept corpus. New inputs go to a scratch
# corpus under build/fuzz; crashes are written there as crash-* files: keep
# one as tests/fuzz/<target>/corpus/regression_<what>.bin after fixing it.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j1
for target in translate binary_conversion portmgr_framer profile; do
  work=build/fuzz/work/$target
  mkdir -p "$work/corpus"
  cp tests/fuzz/$target/corpus/*.bin "$work/corpus/"
  echo "=== fuzz_$target for ${seconds}s"
  build/fuzz/bin/fuzz_$target -max_total_time="$seconds" -max_len=4096 -artifact_prefix="$work/" \
    -print_final_stats=1 "$work/corpus" 2>&1 | tail -n 12
done
