#!/usr/bin/env bash
# Builds the shipped module, KV_Velmora.p for 32-bit Windows, and says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target KV_Velmora -j "$(nproc)"

module="$(pwd)/build/win32/KV_Velmora.p"
cat <<MSG

Built $module
To install it, copy it into LightWave's plug-in folder and add it with Utilities > Add Plugins
(or let LightWave scan the folder). Then open a surface in the Surface Editor, add the shader
"KV_Velmora" on the Shaders tab, and double-click it to set smoothing per polygon set.
MSG
