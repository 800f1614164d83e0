#!/usr/bin/env bash
# Installs, on a fresh Debian 12 machine as root, what a profile of the build needs; does nothing
# when all of it is already there.
#   preview  the native build of the module and the velmora command, which renders pictures and
#            serves the view (its page bundled by Node.js)
#   full     (the default) everything the builds and tests need: the preview's packages, the
#            test and benchmark libraries (tinyobjloader only for the OBJ reader's baseline),
#            clang for the fuzz targets, the Windows cross toolchains and wine to run their
#            tests, and Chromium for the view's browser tests
set -euo pipefail

profile=${1:-full}
preview=(
    cmake ninja-build g++
    libembree-dev libcli11-dev libpng-dev
    libfreetype-dev fonts-dejavu-core
    libcpp-httplib-dev nlohmann-json3-dev libtinygltf-dev
)
full=(
    "${preview[@]}"
    clang clang-format libclang-rt-14-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libtinyobjloader-dev
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    mingw-w64-x86-64-dev
    wine wine32:i386 wine64 zip time
    chromium assimp-utils
)
case "$profile" in
    preview) packages=("${preview[@]}") ;;
    full) packages=("${full[@]}") ;;
    *)
        echo "install-deps.sh: unknown profile '$profile' (preview or full)" >&2
        exit 2
        ;;
esac

# The view's page is bundled, and the glTF files the tests write are checked, by Node.js; a
# Node.js from elsewhere, with its own npm, will do.
command -v node >/dev/null && command -v npm >/dev/null || packages+=(nodejs npm)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$profile" = full ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
# A mirror caught in the middle of a sync can serve one suite's index cut short; apt then fails
# the update but still knows every other index, so the install below is what decides.
indexes_complete=yes
if ! apt-get update -qq; then
    echo "install-deps.sh: some package indexes could not be read; installing from the rest" >&2
    indexes_complete=no
fi
apt-get install -y -qq "${missing[@]}" >/dev/null && exit 0
[ "$indexes_complete" = yes ] && exit 1

# A library installed for both architectures must be the same version in both. When the index
# that failed is the security suite's for one architecture (as a mirror in mid-sync has served
# it), the two can only meet outside that suite: set it aside for this install alone, on the
# newest versions the point releases have. When another index failed, this fails too, as it
# should.
pins=$(mktemp -d)
trap 'rm -rf "$pins"' EXIT
printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: -1\n' >"$pins/no-security.pref"
echo "install-deps.sh: retrying without the security suite, as an index was incomplete" >&2
apt-get -o Dir::Etc::PreferencesParts="$pins" install -y -qq "${missing[@]}" >/dev/null
