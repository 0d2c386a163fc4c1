#!/usr/bin/env bash
# Builds the Debian package from the release preset into build/package/ and
# checks it with lintian: bash scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
for p in dpkg-dev lintian; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' ||
        { $SUDO apt-get update -qq >/dev/null; $SUDO apt-get install -y -qq --no-install-recommends "$p" >/dev/null; }
done
# A package installs under /usr, where udev also reads rules from /usr/lib/udev/rules.d.
cmake --preset release -DCMAKE_INSTALL_PREFIX=/usr -DORVANE_UDEV_RULES_DIR=/usr/lib/udev/rules.d >/dev/null
cmake --build --preset release -j"$(nproc)"
mkdir -p build/package
(cd build/release && cpack -G DEB -B "$PWD/../package" >/dev/null)
deb=$(ls -t build/package/*.deb | head -n 1)
echo "$deb"
lintian --fail-on error "$deb"
