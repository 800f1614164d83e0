#!/usr/bin/env bash
# Builds the native preset and runs every benchmark program; arguments go to each of them
# (e.g. --benchmark_filter=Evaluate).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target velmora_bench velmora_render_bench velmora_preview_bench
for program in velmora_bench velmora_render_bench velmora_preview_bench; do
    build/native/bench/$program "$@"
done
