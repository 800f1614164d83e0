#!/usr/bin/env bash
# Installs what is missing, then builds and tests every configuration: native, native under
# AddressSanitizer and UndefinedBehaviorSanitizer, the concurrency tests under ThreadSanitizer,
# and the 32-bit Windows build under wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
for preset in native asan tsan win32; do
    echo "=== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done
