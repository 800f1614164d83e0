#!/usr/bin/env bash
# Installs what is missing, builds the preview preset (native, without tests) and renders the
# example objects with the shader module beside the host's own shading, the angle between their
# normals and a map of the polygon sets, then a close-up of the machined part's boss under strip
# lights, the module's options dialog, and the part and a bottle with sets proposed from their
# shape. Prints where the pictures are. An argument names the folder for them (default:
# build/preview/pictures). Needs only the native build's packages: no test libraries, cross
# compilers or wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh preview
cmake --preset preview >/dev/null
cmake --build --preset preview -j "$(nproc)"

folder=${1:-build/preview/pictures}
mkdir -p "$folder"
for object in machined_part banded_knob; do
    build/preview/velmora render "examples/preview/$object.lwo" --compare \
        --size 560x420 --spp 16 --view -30,32 -o "$folder/$object.png"
done
build/preview/velmora render examples/preview/machined_part.lwo --compare --target Cylinders \
    --material stripes --size 560x420 --spp 16 --view -30,35 -o "$folder/machined_part_close.png"
build/preview/velmora dialog examples/preview/banded_knob.lwo --show Walls -o "$folder/dialog.png"
# The machined part as if it had no part names: the sets proposed from its shape replace its own.
build/preview/velmora render examples/preview/machined_part.lwo --sets-from shape --compare \
    --size 560x420 --spp 16 --view -30,32 -o "$folder/machined_part_shape.png"
# A bottle as an object without part names looks, smoothed at the host's usual angle, beside
# the sets proposed from its shape; seen from a little lower, so that shoulder, neck and lip show.
build/preview/velmora render examples/preview/bottle.lwo --sets-from shape --compare \
    --host-angle 89.5 --size 560x420 --spp 16 --view -30,25 -o "$folder/bottle_shape.png"
echo "Preview pictures in $(cd "$folder" && pwd):" "machined_part.png, banded_knob.png," \
    "machined_part_close.png, dialog.png, machined_part_shape.png and bottle_shape.png"
