#!/usr/bin/env bash
# Builds Vorlix.exe and shows its popup for the sample menu examples/sample.lst under Wine.
#
# On a real display (DISPLAY set) the program simply runs: pick an item or press Escape.
# Without a display it starts Xvfb, waits for the popup, saves build/sample-screenshot.png, dismisses the
# popup with Escape and waits for the program to end by itself. Either way Wine (a private prefix under
# build/) is shut down afterwards.
#
# Environment: VORLIX_BUILD_PREFIX (default "build/"; the MinGW build goes to ${prefix}win).
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
prefix=${VORLIX_BUILD_PREFIX:-build/}

bash scripts/setup.sh || exit 1

win="$root/${prefix}win"
echo "building Vorlix.exe in $win"
cmake -S . -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null || exit 1
cmake --build "$win" -j2 --target Vorlix driver || exit 1

export E2E_BUILD="$win" E2E_OUT="$root/${prefix}sample"
source tests/e2e/lib.sh
mkdir -p "$E2E_OUT"
E2E_TMP="$E2E_OUT/run"
rm -rf "$E2E_TMP"
mkdir -p "$E2E_TMP"

# A copy of the menu, so that editing it from the popup leaves the repository's sample alone.
menu="$E2E_TMP/sample.lst"
cp examples/sample.lst "$menu"

headless=0
[[ -z "${DISPLAY:-}" ]] && headless=1
# On a real display, e2e_begin uses it instead of starting Xvfb.
((headless)) || export E2E_DISPLAY="$DISPLAY"
e2e_begin || exit 1

if ((!headless)); then
    echo "showing the sample menu on $DISPLAY; choose an item or press Escape"
    (cd "$E2E_TMP" && wine "$VORLIX" /I "$(winpath "$menu")")
    echo "Vorlix ended with exit code $?"
    exit 0
fi

# fail (from lib.sh) ends this script with a message; the EXIT trap still shuts everything down.
screenshot="$root/${prefix}sample-screenshot.png"
rm -f "$screenshot"
driver mouse-move 220 160 || fail "cannot move the mouse"
vorlix sample /I "$(winpath "$menu")"
popup=$(wait_window --class '#32768') || exit 1
echo "popup on screen: $popup"
import -display "$DISPLAY" -window root "$screenshot" || fail "the screenshot could not be taken"
echo "screenshot saved: $screenshot"

send_keys ESCAPE
# The sample has a configuration item, so a dismissed popup offers no button and the program ends.
# Should the button appear all the same, Escape closes it.
deadline=$((SECONDS + 20))
while running sample && ((SECONDS < deadline)); do
    if window_exists --class '#32768'; then
        send_keys ESCAPE
    elif window_exists --title 'Vorlix - '; then
        send_keys ESCAPE
    fi
    sleep 0.2
done
running sample && fail "Vorlix did not end within 20 s after Escape"
wait_exit sample 1
echo "Vorlix ended with exit code $EXIT_CODE"
[[ "$EXIT_CODE" == 0 ]]
