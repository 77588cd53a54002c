#!/usr/bin/env bash
# Sets up and builds as run.sh does, makes the Debian package with CPack and installs it with apt,
# which brings in what it depends on; `package.sh remove` takes it away again. As root or as a user
# who may use sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

if [ "${1:-}" = remove ]; then
  $sudo apt-get remove -y -q mortgage-calculator
  exit
fi

bash scripts/setup.sh
bash scripts/build.sh
rm -f build/mortgage-calculator_*.deb
(cd build && cpack -G DEB)
deb=$(echo build/mortgage-calculator_*.deb)
# apt reads the file as its own unprivileged user, who may not look into a home folder.
shelf=$(mktemp -d)
trap 'rm -rf "$shelf"' EXIT
chmod 755 "$shelf"
install -m 644 "$deb" "$shelf/"
# Again if this version is installed already: the build may have changed since.
$sudo apt-get install -y -q --reinstall "$shelf/${deb##*/}"
