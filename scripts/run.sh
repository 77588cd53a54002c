#!/usr/bin/env bash
# Installs what is missing, builds, and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ -x build/src/ui/mortgage-calculator ]; then
  exec build/src/ui/mortgage-calculator
else
  echo "Built the calculation library and its tests; the window is not there yet."
fi
