#!/usr/bin/env bash
# Installs from the Debian archive whatever the build, the program and the tests need and is missing,
# and the locale the tests read dates and numbers in. Says nothing when all is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  qt6-charts-dev libqt6charts6 libqt6opengl6-dev
  libgl-dev
  libxcb1-dev
  clang libclang-rt-14-dev llvm
  xvfb xauth poppler-utils imagemagick
  xclip
  at-spi2-core dbus python3-pyatspi
  cups cups-client cups-filters
  libcups2-dev
  fonts-liberation fonts-dejavu-core fonts-comic-neue
  dpkg-dev file desktop-file-utils appstream shared-mime-info lintian
  locales
)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]} (a few minutes on a new system)"
  # apt's own account of each package goes to a file, and is shown only if something fails.
  log=$(mktemp)
  if ! { $sudo apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log"
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
fi

# The window's tests and the print test run in US English; a fresh system has only C.UTF-8.
if ! locale -a | grep -qx 'en_US.utf8'; then
  echo "Generating the en_US.UTF-8 locale"
  grep -qx 'en_US.UTF-8 UTF-8' /etc/locale.gen ||
    echo 'en_US.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi
