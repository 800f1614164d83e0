#!/usr/bin/env bash
# Builds the native preset and runs the benchmarks; arguments go to the benchmark program
# (e.g. --benchmark_filter=Evaluate).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target velmora_bench
exec build/native/bench/velmora_bench "$@"
