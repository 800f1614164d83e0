#!/usr/bin/env bash
# Builds the shipped module, KV_Velmora.p, for 32-bit and for 64-bit Windows, and says where they are.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh full
for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target KV_Velmora -j "$(nproc)"
done

cat <<MSG

Built $(pwd)/build/win32/KV_Velmora.p (for a 32-bit LightWave)
  and $(pwd)/build/win64/KV_Velmora.p (for a 64-bit LightWave: every current release)
To install one, copy it into LightWave's plug-in folder and add it with Utilities > Add Plugins
(or let LightWave scan the folder). Then open a surface in the Surface Editor, add the shader
"KV_Velmora" on the Shaders tab; its dialog, to set smoothing per polygon set, opens when the
shader is added or selected, or else on a double-click of its entry.
scripts/package.sh makes the release archive holding both.
MSG
