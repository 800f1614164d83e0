#!/usr/bin/env bash
# Times `velmora normals` as a whole process on a million-quad OBJ, against the tool people
# already use to give a mesh smoothed normals, `assimp export ... -gsn`, on the same file.
# Prints corners per second and the time ratio. Usage: scripts/bench-normals.sh [SIDE]
# (SIDE x SIDE quads, default 1000).
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

seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}

velmora=$(seconds build/native/velmora normals "$work/grid.obj" --set Lower:60 --set Upper:60:same \
    --format obj -o "$work/velmora.obj")
assimp=$(seconds assimp export "$work/grid.obj" "$work/assimp.obj" -gsn)
printf 'mesh: %d quads, %d corners\n' $((side * side)) "$corners"
printf 'velmora normals --format obj: %.2f s (%.0f corners/s)\n' "$velmora" \
    "$(awk -v c="$corners" -v t="$velmora" 'BEGIN { print c / t }')"
printf 'assimp export -gsn:           %.2f s\n' "$assimp"
printf 'velmora time / assimp time:   %.2f\n' "$(awk -v v="$velmora" -v a="$assimp" 'BEGIN { print v / a }')"
