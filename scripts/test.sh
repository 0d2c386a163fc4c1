#!/usr/bin/env bash
# Installs what is needed, builds the dev preset and runs the whole test suite.
# Pass a preset name (dev, asan, tsan) to run the suite under a sanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
bash scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
ctest --preset "$preset" -j"$(nproc)"
