#!/usr/bin/env bash
# Builds the native preset, runs every benchmark program and prints the figures that matter as
# ratios of their baselines in the same run. Arguments go to each program (e.g.
# --benchmark_filter=Evaluate).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target velmora_bench velmora_render_bench velmora_preview_bench
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
for program in velmora_bench velmora_render_bench velmora_preview_bench; do
    build/native/bench/$program --benchmark_out="$results/$program.json" "$@"
done
python3 scripts/bench-ratios.py "$results"/*.json
