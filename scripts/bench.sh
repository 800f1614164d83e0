#!/usr/bin/env bash
# Builds the native preset, runs every benchmark program three times over and prints the figures
# that matter as ratios of the medians of their baselines in the same run. Arguments go to each
# program after the defaults (e.g. --benchmark_filter=Evaluate, --benchmark_repetitions=1). The
# programs' JSON stays in build/native/bench-results.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target velmora_bench velmora_render_bench velmora_preview_bench
results=build/native/bench-results  # kept, to be read again by scripts/bench-ratios.py
mkdir -p "$results"
for program in velmora_bench velmora_render_bench velmora_preview_bench; do
    build/native/bench/$program --benchmark_out="$results/$program.json" \
        --benchmark_repetitions=3 --benchmark_report_aggregates_only=true "$@"
done
python3 scripts/bench-ratios.py "$results"/*.json
