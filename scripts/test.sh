#!/usr/bin/env bash
# Installs what is missing, then builds and tests every configuration: native, native under
# AddressSanitizer and UndefinedBehaviorSanitizer, the concurrency tests under ThreadSanitizer,
# and the 32-bit and 64-bit Windows builds under wine, the view in a headless browser. The fuzz
# targets run in the native and sanitizer builds over their kept inputs and a fixed set of variants
# of them; the open-ended search, whose course is luck, is scripts/fuzz.sh. Each stage's time is
# printed as it ends and all of them at the end, so that a run shows where its time went.
set -euo pipefail
cd "$(dirname "$0")/.."

times=()
timed() {
    local stage=$1 start=$SECONDS
    shift
    echo "=== $stage"
    "$@"
    times+=("$(printf '%-16s %5d s' "$stage" $((SECONDS - start)))")
    echo "=== $stage: $((SECONDS - start)) s"
}

browser_tests() {
    # The view in Debian's Chromium, headless; its screenshots stay in build/native.
    (cd web && npm ci --no-audit --no-fund --loglevel=error)
    VELMORA=$PWD/build/native/velmora OBJECT=$PWD/build/native/banded_torus.lwo \
        ARTEFACTS=$PWD/build/native/view-screenshots node --test web/test/browser.test.mjs
}

jobs=$(nproc)
timed install scripts/install-deps.sh full
# The Khronos glTF validator, which the native tests run over every glb they write.
timed validator npm ci --prefix tools/gltf-check --no-audit --no-fund --loglevel=error

for preset in native asan tsan win32 win64; do
    cmake --preset "$preset" >/dev/null
    timed "$preset build" cmake --build --preset "$preset" -j "$jobs"
    timed "$preset tests" ctest --preset "$preset" -j "$jobs"
    if [ "$preset" = native ]; then timed browser browser_tests; fi
done
echo "=== stage times (total $SECONDS s)"
printf '%s\n' "${times[@]}"
