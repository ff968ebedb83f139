#!/usr/bin/env bash
# Start-to-editor times under Wine: `Vorlix.exe /S MENU` until its window "Vorlix - MENU" is visible with
# one row per entry, against bare_editor.exe (a window and a list view with the same labels, nothing else),
# for a menu of 50 and one of 5,000 entries. Timings under Wine are not Windows timings, so only the ratios
# measured in one run mean something. Every round runs every program on every menu once, in turn; the
# driver measures from its CreateProcess, and closes the window (WM_CLOSE) once it has seen the rows.
#
#   bench/editor_timing.sh [ROUNDS [bare]]
#
# Under Wine each window call is a round trip to the wineserver, another process. On an idle virtual machine
# every round trip also waits for a sleeping core to wake, which doubles both programs' times and taxes the
# one with more controls most (seen: ratio 1.3-1.5 idle, 1.1-1.2 with a core kept busy). So a loop at the
# lowest priority keeps the cores awake while the timings run; VORLIX_BENCH_IDLE=1 leaves it out.
#
# Default 11 rounds; "bare" times bare_editor.exe alone (to try the script without the editor). Needs the
# MinGW build (E2E_BUILD, default build/win). The raw times stay in $E2E_OUT/editor-timing/times.txt.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"

runs=${1:-11}
bareOnly=${2:-}
bare="$E2E_BUILD/bench/win32/bare_editor.exe"
needed=("$bare" "$DRIVER_EXE")
[[ -z "$bareOnly" ]] && needed+=("$VORLIX_EXE")
e2e_require editor_timing "${needed[@]}" || exit 1

e2e_begin || exit 1

work="$E2E_OUT/editor-timing"
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
[[ -z "$bareOnly" ]] && cp "$VORLIX_EXE" Vorlix.exe
sizes=(50 5000)
for n in "${sizes[@]}"; do
    for ((i = 0; i < n; i++)); do echo "Item $i=notepad.exe;file$i.txt;C:\\windows"; done | write_menu "menu$n.lst"
done
app=$(winpath Vorlix.exe)
bareWin=$(winpath "$bare")

# time_one KIND N: one start of KIND (bare or vorlix) on the menu of N entries; appends "KIND N MS".
time_one() {
    local _menu _title _line _out
    _menu=$(winpath "menu$2.lst")
    if [[ $1 == bare ]]; then
        _title="bare editor - $_menu"
        _line="\"$bareWin\" \"$_menu\""
    else
        _title="Vorlix - $_menu"
        _line="\"$app\" /S \"$_menu\""
    fi
    _out=$(driver timed-start --timeout 60000 --title "$_title" --id 3 --rows "$2" "$_line" | tr -d '\r') ||
        { echo "editor_timing: $1 with $2 entries: ${_out:-no time}" >&2; exit 1; }
    echo "$1 $2 ${_out#ms }" >>times.txt
}

: >times.txt
if [[ -z "${VORLIX_BENCH_IDLE:-}" ]]; then
    nice -n 19 bash -c 'while :; do :; done' &
    waker=$!
    trap 'kill "$waker" 2>/dev/null; e2e_shutdown' EXIT
fi
kinds=(bare)
[[ -z "$bareOnly" ]] && kinds+=(vorlix)
for ((round = 1; round <= runs; round++)); do
    for n in "${sizes[@]}"; do
        for kind in "${kinds[@]}"; do time_one "$kind" "$n"; done
    done
done

awk -v rounds="$runs" '
{ key = $1 " " $2; n[key]++; v[key, n[key]] = $3 }
function median(key,    c, x, y, t, a) {
    c = n[key]
    for (x = 1; x <= c; x++) a[x] = v[key, x]
    for (x = 1; x <= c; x++) for (y = x + 1; y <= c; y++) if (a[y] + 0 < a[x] + 0) { t = a[x]; a[x] = a[y]; a[y] = t }
    return c ? a[int(c / 2) + 1] : -1
}
END {
    printf "%d rounds; start to editor visible with its rows, median in ms\n", rounds
    split("50 5000", sizes, " ")
    for (s = 1; s <= 2; s++) {
        b = median("bare " sizes[s]); m = median("vorlix " sizes[s])
        printf "  %5d entries: bare %7.1f", sizes[s], b
        if (m >= 0) printf "  Vorlix %7.1f  ratio %.2f (target 1.20)", m, m / b
        printf "\n"
    }
}' times.txt
