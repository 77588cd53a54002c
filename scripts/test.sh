#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test; then fuzzes the
# loan file reader for 30 seconds and runs the core tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

bash scripts/build.sh -DMORTGAGE_WERROR=ON
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== the loan file reader, fuzzed =="
bash scripts/fuzz.sh

echo "== core tests with AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORTGAGE_WERROR=ON \
  -DMORTGAGE_SANITIZE=ON -DMORTGAGE_GUI=OFF -DMORTGAGE_BENCH=OFF >/dev/null
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
