#!/usr/bin/env bash
# Installs what is needed, builds the utility and starts it on the virtual keyboard.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)"
# The virtual keyboard keeps its state beside the executable; the real
# keyboard is used when ORVANE_KEYBOARD is set to anything else.
export ORVANE_KEYBOARD="${ORVANE_KEYBOARD:-virtual}"
exec build/dev/bin/orvane
