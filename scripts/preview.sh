#!/usr/bin/env bash
# Installs what is missing, builds the native preset and renders the example objects with the
# shader module beside the host's own shading, the angle between their normals and a map of the
# polygon sets, then a close-up of the machined part's boss under strip lights. Prints where the
# pictures are. An argument names the folder for them (default: build/native/preview).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target velmora

folder=${1:-build/native/preview}
mkdir -p "$folder"
for object in machined_part banded_knob; do
    build/native/velmora render "examples/preview/$object.lwo" --compare \
        --size 560x420 --spp 16 --view -30,32 -o "$folder/$object.png"
done
build/native/velmora render examples/preview/machined_part.lwo --compare --target Cylinders \
    --material stripes --size 560x420 --spp 16 --view -30,35 -o "$folder/machined_part_close.png"
echo "Preview pictures in $(cd "$folder" && pwd):" \
    "machined_part.png, banded_knob.png and machined_part_close.png"
