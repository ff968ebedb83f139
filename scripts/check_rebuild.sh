#!/usr/bin/env bash
# check_rebuild.sh BUILD_DIR: builds Vorlix.exe again from a copy of the sources in another folder, into
# another build folder, with BUILD_DIR's build type, and fails unless it is byte for byte the Vorlix.exe of
# BUILD_DIR. The cheap form of what scripts/release.sh promises: no build path, no time stamp, nothing of
# the folder or the moment in the program. The copy and its build are in BUILD_DIR-rebuild.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1%/}
[[ -f "$build/Vorlix.exe" && -f "$build/CMakeCache.txt" ]] || { echo "rebuild: no Vorlix.exe built in $build" >&2; exit 1; }
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
other="$build-rebuild"
rm -rf "$other"
mkdir -p "$other/sources/with a longer name"
sources="$other/sources/with a longer name"
# The files git knows, as they are now (changes not yet committed included).
git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$sources"
(cd "$sources" && cmake -S . -B ../../build -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE="$type" -DVORLIX_BENCH=OFF >../../configure.log 2>&1) || { cat "$other/configure.log"; exit 1; }
cmake --build "$other/build" -j2 --target Vorlix >"$other/build.log" 2>&1 || { tail -n 30 "$other/build.log"; exit 1; }
if cmp -s "$build/Vorlix.exe" "$other/build/Vorlix.exe"; then
    echo "rebuild: Vorlix.exe built from $sources is byte for byte the one of $build"
else
    echo "rebuild: Vorlix.exe built from $sources differs from the one of $build:"
    cmp -l "$build/Vorlix.exe" "$other/build/Vorlix.exe" | head -n 10
    exit 1
fi
