#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for SECONDS
# (default 60) from its seed corpus in fuzz/corpus/<target>/; names after
# SECONDS run only those targets ("fuzz.sh 600 fuzz_ini fuzz_text"), so a
# long search can be split between two shells. Prints one line
# per target: executions, crashes, the slowest input and (for the simulator
# targets) the slowest physics tick. A crashing, leaking, reported or slow
# input (over 1 s) is kept in build-fuzz/findings/<target>/ and makes the
# script fail. The seeds are never changed: new inputs found go to a scratch
# corpus in build-fuzz/corpus/<target>/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
only=" $* "
"$root/scripts/deps.sh"
"$root/scripts/deps.sh" --fuzz

build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZEL_FUZZ=ON -DZEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target zel-fuzz-targets >/dev/null

export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp
export QT_QPA_PLATFORM=offscreen
failed=0
printf '%-20s %12s %8s %14s %14s\n' target executions crashes slowest-input slowest-tick
for exe in "$build"/fuzz/fuzz_*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  if [ "$only" != "  " ] && [[ "$only" != *" $name "* ]]; then continue; fi
  seeds="$root/fuzz/corpus/$name"
  work="$build/corpus/$name"
  findings="$build/findings/$name"
  mkdir -p "$work" "$findings"
  log="$build/$name.log"
  status=0
  # A fixed seed makes a short run in CI repeatable from one landing to the next.
  "$exe" "$work" "$seeds" -seed="${ZEL_FUZZ_SEED:-1}" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 \
    -malloc_limit_mb=1024 -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" \
    >"$log" 2>&1 || status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1 || true)
  slowest=$(grep -o 'zel-fuzz: slowest input [0-9.]* ms' "$log" | grep -o '[0-9.]* ms' | tail -1 || true)
  tick=$(grep -o 'zel-fuzz: slowest tick [0-9.]* ms' "$log" | grep -o '[0-9.]* ms' | tail -1 || true)
  crashes=$(find "$findings" -type f | wc -l)
  printf '%-20s %12s %8s %14s %14s\n' "$name" "${runs:-?}" "$crashes" "${slowest:--}" "${tick:--}"
  if [ "$status" -ne 0 ] || [ "$crashes" -ne 0 ]; then
    failed=1
    echo "  $name failed (exit $status); see $log and $findings/" >&2
    grep -m3 -E 'ERROR: |SUMMARY: |runtime error' "$log" >&2 || true
  fi
  # A tick over a quarter of a second is a fault even when the input as a
  # whole stays under the one-second limit.
  if [ -n "$tick" ] && awk -v t="${tick% ms}" 'BEGIN { exit !(t > 250) }'; then
    failed=1
    echo "  $name: a physics tick took $tick" >&2
  fi
done
exit $failed
