#!/usr/bin/env bash
# Makes docs/screenshot.png for the README: the real window under Xvfb, with the loan 100000, 6 and
# 30 typed and calculated.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh mortgage-screenshot
mkdir -p docs
# A fixed locale, so that the picture shows the US date format whoever makes it.
LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 xvfb-run -a -s "-screen 0 1024x768x24" \
  build/src/ui/mortgage-screenshot docs/screenshot.png
echo "Wrote docs/screenshot.png"
