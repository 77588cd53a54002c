#!/usr/bin/env bash
# Builds the loan file reader's fuzz target with clang (libFuzzer, AddressSanitizer) into
# build-fuzz/ and feeds it generated files for 30 seconds; a crash or a broken round trip fails.
# The fuzzer's progress goes to build-fuzz/fuzz.log; the last line printed is the outcome.
# Extra arguments go to the fuzzer after ours, e.g. -max_total_time=600 for a longer run.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz --target fuzz_LoanFileReader

# New findings go to the first folder; fuzz/corpus holds the seeds and is only read.
mkdir -p build-fuzz/corpus build-fuzz/crashes
log=build-fuzz/fuzz.log
status=0
./build-fuzz/fuzz_LoanFileReader -max_total_time=30 -max_len=65536 -timeout=10 \
  -artifact_prefix=build-fuzz/crashes/ -print_final_stats=1 "$@" \
  build-fuzz/corpus fuzz/corpus >"$log" 2>&1 || status=$?

if ((status == 0)); then
  done=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 runs in \2 s/p' "$log")
  echo "fuzzing passed: ${done:-the runs}, no crash, every round trip held (progress in $log)"
  exit 0
fi
# What went wrong, from the first report to the end; the whole run stays in the log.
if grep -q '^==[0-9]*== *ERROR' "$log"; then
  sed -n '/^==[0-9]*== *ERROR/,$p' "$log" | head -n 100
else
  tail -n 40 "$log"
fi
input=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
echo "fuzzing FAILED (exit $status): the input that did it is ${input:-not saved} (whole run in $log)"
exit 1
