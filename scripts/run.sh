#!/usr/bin/env bash
# Installs what is needed, builds the utility and starts it on the virtual keyboard.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)"
if [ -x build/dev/bin/orvane ]; then
  ORVANE_KEYBOARD=virtual exec build/dev/bin/orvane
fi
echo "Built. The utility's window is not there yet: this build holds the settings"
echo "image, the settings files and the key tables, checked by the test suite"
echo "(bash scripts/test.sh)."
