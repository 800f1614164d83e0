#!/usr/bin/env bash
# Installs what is missing, then builds and tests every configuration: native, native under
# AddressSanitizer and UndefinedBehaviorSanitizer, the concurrency tests under ThreadSanitizer,
# and the 32-bit and 64-bit Windows builds under wine, the view in a headless browser; then builds
# the fuzz targets (clang, libFuzzer) and gives each a short run from its kept inputs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh full

jobs=$(nproc)
# The Khronos glTF validator, which the native tests run over every glb they write.
npm ci --prefix tools/gltf-check --no-audit --no-fund >/dev/null

echo "=== fuzz"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
# New inputs go to a scratch folder: the kept ones change only by hand.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in lwo obj render settings_load settings_file sets; do
    mkdir "$scratch/$target"
    build/fuzz/fuzz/${target}_fuzzer -max_total_time=20 -dict=fuzz/$target.dict \
        "$scratch/$target" fuzz/corpus/$target
done

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
