#!/usr/bin/env bash
# Installs what is needed, builds the dev preset and runs the whole test suite.
# Pass a preset name (dev, asan, tsan) to run the suite under a sanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
bash scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
if ! ctest --preset "$preset" -j"$(nproc)"; then
    # The end-to-end tests drive real windows on a shared machine; a test that
    # failed gets one more run on its own, and its failure stays in the log above.
    echo "Running the failed tests once more, alone:"
    ctest --preset "$preset" --rerun-failed --output-on-failure
fi
