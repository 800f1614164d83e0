#!/usr/bin/env bash
# Installs what is missing, then builds and tests every configuration: native, native under
# AddressSanitizer and UndefinedBehaviorSanitizer, the concurrency tests under ThreadSanitizer,
# and the 32-bit and 64-bit Windows builds under wine, the view in a headless browser. The fuzz
# targets run in the native and sanitizer builds over their kept inputs and a fixed set of variants
# of them; the open-ended search, whose course is luck, is scripts/fuzz.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh full

jobs=$(nproc)
# The Khronos glTF validator, which the native tests run over every glb they write.
npm ci --prefix tools/gltf-check --no-audit --no-fund >/dev/null

for preset in native asan tsan win32 win64; do
    echo "=== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
    if [ "$preset" = native ]; then
        # The view in Debian's Chromium, headless; its screenshots stay in build/native.
        echo "=== browser"
        (cd web && npm ci --no-audit --no-fund --loglevel=error)
        VELMORA=$PWD/build/native/velmora OBJECT=$PWD/build/native/banded_torus.lwo \
            ARTEFACTS=$PWD/build/native/view-screenshots node --test web/test/browser.test.mjs
    fi
done
