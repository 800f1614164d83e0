#!/usr/bin/env bash
# Times `velmora normals` as a whole process on a million-quad OBJ, against the tool people
# already use to give a mesh smoothed normals, `assimp export ... -gsn`, on the same file.
# Prints each one's time, peak memory and OBJ size, and velmora's as ratios of assimp's; then
# velmora's glb output of the same normals against its OBJ output.
# Usage: scripts/bench-normals.sh [SIDE] (SIDE x SIDE quads, default 1000).
set -euo pipefail
cd "$(dirname "$0")/.."
side=${1:-1000}

command -v assimp >/dev/null || {
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq assimp-utils >/dev/null
}
scripts/install-deps.sh full
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target velmora KV_Velmora >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A gently waved grid in two polygon sets, so that smoothing has work to do.
awk -v n="$side" 'BEGIN {
    for (j = 0; j <= n; j++) for (i = 0; i <= n; i++)
        printf "v %.6f %.6f %.6f\n", i / n, j / n, 0.05 * sin(i * 0.3) * cos(j * 0.2);
    printf "usemtl Sheet\n";
    for (j = 0; j < n; j++) {
        if (j == 0) print "g Lower"; else if (j == int(n / 2)) print "g Upper";
        for (i = 0; i < n; i++) {
            a = j * (n + 1) + i + 1;
            printf "f %d %d %d %d\n", a, a + 1, a + n + 2, a + n + 1;
        }
    }
}' > "$work/grid.obj"
corners=$((side * side * 4))

# Runs a command quietly; prints its wall time in seconds and its peak memory in kB.
measure() {
    /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>&1
    cat "$work/time"
}

read -r velmora velmora_kb < <(measure build/native/velmora normals "$work/grid.obj" \
    --set Lower:60 --set Upper:60:same --format obj -o "$work/velmora.obj")
read -r glb glb_kb < <(measure build/native/velmora normals "$work/grid.obj" \
    --set Lower:60 --set Upper:60:same --format glb -o "$work/velmora.glb")
read -r assimp assimp_kb < <(measure assimp export "$work/grid.obj" "$work/assimp.obj" -gsn)
velmora_bytes=$(stat -c %s "$work/velmora.obj")
assimp_bytes=$(stat -c %s "$work/assimp.obj")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
printf 'mesh: %d quads, %d corners\n' $((side * side)) "$corners"
printf '%-30s %8s %10s %12s\n' "" seconds "peak MB" "output MB"
printf '%-30s %8.2f %10.0f %12.1f\n' "velmora normals --format obj" "$velmora" \
    "$((velmora_kb / 1024))" "$(ratio "$velmora_bytes" 1048576)"
printf '%-30s %8.2f %10.0f %12.1f\n' "assimp export -gsn" "$assimp" "$((assimp_kb / 1024))" \
    "$(ratio "$assimp_bytes" 1048576)"
printf '%-30s %8s %10s %12s\n' "velmora / assimp" "$(ratio "$velmora" "$assimp")" \
    "$(ratio "$velmora_kb" "$assimp_kb")" "$(ratio "$velmora_bytes" "$assimp_bytes")"
glb_bytes=$(stat -c %s "$work/velmora.glb")
printf '%-30s %8.2f %10.0f %12.1f\n' "velmora normals --format glb" "$glb" "$((glb_kb / 1024))" \
    "$(ratio "$glb_bytes" 1048576)"
printf '%-30s %8s %10s %12s\n' "glb / OBJ (velmora)" "$(ratio "$glb" "$velmora")" \
    "$(ratio "$glb_kb" "$velmora_kb")" "$(ratio "$glb_bytes" "$velmora_bytes")"
