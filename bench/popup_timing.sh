#!/usr/bin/env bash
# Start-to-popup times under Wine: a bare Win32 three-item popup, Vorlix with a 200-item menu, and the
# same menu with icons (/I) whose icons come from 20 distinct programs and documents. Timings under Wine
# are not Windows timings, so only the ratios measured in one run mean something.
#
#   bench/popup_timing.sh [ROUNDS]    (default 15 rounds; needs the MinGW build, E2E_BUILD or build/win)
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"

runs=${1:-15}
timer="$E2E_BUILD/bench/win32/popup_timer.exe"
bare="$E2E_BUILD/bench/win32/bare_popup.exe"
for exe in "$VORLIX_EXE" "$timer" "$bare"; do
    [[ -f "$exe" ]] || { echo "popup_timing: $exe is missing; build the MinGW configuration first" >&2; exit 1; }
done

cleanup() {
    e2e_stop_wine
    e2e_stop_xvfb
}
trap cleanup EXIT
e2e_start_xvfb || exit 1
e2e_prepare_prefix || exit 1

work="$E2E_OUT/popup-timing"
rm -rf "$work"
mkdir -p "$work/docs"
cd "$work" || exit 1
cp "$VORLIX_EXE" Vorlix.exe

# Twelve programs of the prefix and eight documents of different types: 20 sources for 200 items.
sources=()
for p in notepad regedit cmd control cscript dxdiag iexplore msiexec msinfo32 oleview winver wordpad; do
    path=$(find "$WINEPREFIX/drive_c/windows" "$WINEPREFIX/drive_c/Program Files" -maxdepth 4 -iname "$p.exe" 2>/dev/null | head -n1)
    [[ -n "$path" ]] && sources+=("$(winpath "$path")")
done
for d in notes.txt page.htm picture.bmp setup.ini script.bat data.reg list.xml sound.wav; do
    echo "x" >"docs/$d"
    sources+=("$(winpath "docs/$d")")
done
((${#sources[@]} == 20)) || echo "popup_timing: found ${#sources[@]} sources instead of 20" >&2
for ((i = 0; i < 200; i++)); do
    echo "Item $i=${sources[i % ${#sources[@]}]}"
done | write_menu menu.lst

driver mouse-move 300 200 >/dev/null
menu=$(winpath menu.lst)
app=$(winpath Vorlix.exe)
# The programs' own messages on standard error are not the timer's. The first icon is timed in runs of
# their own, because watching the screen for it costs the machine time.
out=$(wine "$timer" "$runs" "\"$(winpath "$bare")\"" "\"$app\" \"$menu\"" "\"$app\" /I \"$menu\"" \
    "\"$app\" /IS \"$menu\"" "icons:\"$app\" /I \"$menu\"" 2>/dev/null | tr -d '\r')
grep -q '^icons 5 ' <<<"$out" || { echo "popup_timing: $out" >&2; exit 1; }
awk '/^median/ { t[$2] = $3 } /^icons/ { i[$2] = $3 } END {
    printf "bare 3-item popup          median %7.1f ms\n", t[1]
    printf "Vorlix, 200 items          median %7.1f ms\n", t[2]
    printf "Vorlix /I, 200 items       median %7.1f ms\n", t[3]
    printf "Vorlix /IS, 200 items      median %7.1f ms\n", t[4]
    printf "Vorlix /I, first icon      median %7.1f ms (popup %.1f ms in the same runs)\n", i[5], t[5]
    printf "ratio /I to no icons:   %.2f\nratio /IS to no icons:  %.2f\n", t[3] / t[2], t[4] / t[2]
    printf "ratio no icons to bare: %.2f\nratio /I to bare:       %.2f\n", t[2] / t[1], t[3] / t[1]
    printf "ratio first icon drawn (/I) to no icons: %.2f\n", i[5] / t[2] }' <<<"$out"
