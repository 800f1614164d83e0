#!/usr/bin/env bash
# Builds both Windows modules and makes the release archive for artists:
# build/package/KV_Velmora.zip holding win32/KV_Velmora.p, win64/KV_Velmora.p and install.txt,
# which says which file suits which host and how to add it. Prints the archive's path.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build-module.sh >/dev/null

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
for target in win32 win64; do
    mkdir "$staging/$target"
    cp "build/$target/KV_Velmora.p" "$staging/$target/"
done
# Artists read it on Windows: CRLF line ends.
sed 's/$/\r/' docs/install.txt > "$staging/install.txt"

mkdir -p build/package
archive=$(pwd)/build/package/KV_Velmora.zip
rm -f "$archive.partial"
(cd "$staging" && zip -q -X -r "$archive.partial" install.txt win32 win64)
mv "$archive.partial" "$archive"
echo "Release archive: $archive"
