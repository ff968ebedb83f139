#!/usr/bin/env bash
# Takes the picture of the configuration window for the README (docs/editor.png) under Wine and Xvfb:
# Vorlix.exe /S on a copy of examples/sample.lst, the window cut out of the screen, then Alt+Q.
#
# Environment: VORLIX_BUILD_PREFIX (default "build/"; the MinGW build goes to ${prefix}win).
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
prefix=${VORLIX_BUILD_PREFIX:-build/}
bash scripts/setup.sh || exit 1
win="$root/${prefix}win"
cmake -S . -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null || exit 1
cmake --build "$win" -j2 --target Vorlix driver || exit 1

export E2E_BUILD="$win" E2E_OUT="$root/${prefix}editor-picture"
unset DISPLAY
source tests/e2e/lib.sh
E2E_TMP="$E2E_OUT/run"
rm -rf "$E2E_TMP"
mkdir -p "$E2E_TMP"
menu="$E2E_TMP/sample.lst"
cp examples/sample.lst "$menu"
e2e_begin || exit 1

title="Vorlix - $(winpath "$menu")"
vorlix editor /S "$(winpath "$menu")"
wait_window --title "$title" >/dev/null || exit 1
rect=$(driver rect --title "$title") || fail "no window rectangle"
read -r left top right bottom <<<"$rect"
# The first paint of the rows follows the window's appearance.
sleep 1
picture="$root/docs/editor.png"
import -display "$DISPLAY" -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$picture" ||
    fail "the screenshot could not be taken"
echo "saved $picture"
send_keys ALT+Q
wait_exit editor 10
