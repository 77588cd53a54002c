#!/usr/bin/env bash
# Configures and builds build/, the one build that run.sh, test.sh, package.sh and screenshot.sh
# share. Always the same options, warnings as errors as in CI, so that whichever runs first, the
# others reuse what it built. Names given are the targets to build; none builds everything.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORTGAGE_WERROR=ON >/dev/null
if (($#)); then
  cmake --build build --target "$@"
else
  cmake --build build
fi
