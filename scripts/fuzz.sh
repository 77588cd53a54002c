#!/usr/bin/env bash
# Builds the loan file reader's fuzz target with clang (libFuzzer, AddressSanitizer) into
# build-fuzz/ and feeds it generated files for 30 seconds; a crash or a broken round trip fails.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz --target fuzz_LoanFileReader

# New findings go to the first folder; fuzz/corpus holds the seeds and is only read.
mkdir -p build-fuzz/corpus build-fuzz/crashes
./build-fuzz/fuzz_LoanFileReader -max_total_time=30 -max_len=65536 -timeout=10 \
  -artifact_prefix=build-fuzz/crashes/ -print_final_stats=1 build-fuzz/corpus fuzz/corpus
