#!/usr/bin/env bash
# Files dropped on the configuration editor's list to rows on screen, under Wine: `Vorlix.exe /S` on a menu
# of one entry gets N files dropped on its list (the driver's WM_DROPFILES), timed from the drop until the
# window is visible again with 1 + N rows; against bare_editor.exe, a window and a list view given the same
# 1 + N rows, timed from its start until they are on screen. Timings under Wine are not Windows timings, so
# only the ratio measured in one run means something.
#
#   bench/drop_timing.sh [ROUNDS [FILES]]
#
# Default 3 rounds of 2,000 files; needs the MinGW build (E2E_BUILD, default build/win). A loop at the
# lowest priority keeps the cores awake (see editor_timing.sh); VORLIX_BENCH_IDLE=1 leaves it out. The raw
# times stay in $E2E_OUT/drop-timing/times.txt.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"

runs=${1:-3}
files=${2:-2000}
bare="$E2E_BUILD/bench/win32/bare_editor.exe"
e2e_require drop_timing "$VORLIX_EXE" "$bare" "$DRIVER_EXE" || exit 1

e2e_begin || exit 1

work="$E2E_OUT/drop-timing"
rm -rf "$work"
mkdir -p "$work/files"
cd "$work" || exit 1
cp "$VORLIX_EXE" Vorlix.exe
: >dropped.txt
folder=$(winpath "$work/files")
{
    echo "A=a.exe"
    for ((i = 0; i < files; i++)); do
        : >"files/file$i.txt"
        echo "$folder\\file$i.txt" >>dropped.txt
        echo "file$i=$folder\\file$i.txt"
    done
} | write_menu bare.lst
echo "A=a.exe" | write_menu start.lst
rows=$((files + 1))
E2E_TMP=$work # where spawn keeps what it knows of the programs it starts

: >times.txt
if [[ -z "${VORLIX_BENCH_IDLE:-}" ]]; then
    nice -n 19 bash -c 'while :; do :; done' &
    waker=$!
    trap 'kill "$waker" 2>/dev/null; e2e_shutdown' EXIT
fi
for ((round = 1; round <= runs; round++)); do
    out=$(driver timed-start --timeout 120000 --title "bare editor - $(winpath bare.lst)" --id 3 --rows "$rows" \
        "\"$(winpath "$bare")\" \"$(winpath bare.lst)\"" | tr -d '\r') || { echo "drop_timing: bare: $out" >&2; exit 1; }
    echo "bare ${out#ms }" >>times.txt
    cp start.lst "menu$round.lst"
    EDITOR_TITLE="Vorlix - $(winpath "menu$round.lst")"
    spawn "vorlix$round" "$work/Vorlix.exe" /S "$(winpath "menu$round.lst")"
    driver wait-window --timeout 30000 --title "$EDITOR_TITLE" >/dev/null || { echo "drop_timing: no editor" >&2; exit 1; }
    out=$(driver drop --timeout 300000 --title "$EDITOR_TITLE" --id 3 --from "$(winpath dropped.txt)" --rows "$rows" |
        tr -d '\r') || { echo "drop_timing: drop: $out" >&2; exit 1; }
    echo "vorlix ${out#ms }" >>times.txt
    # Quit leaves without saving once the window is the foreground again.
    for ((wait = 0; wait < 100; wait++)); do
        [[ $(driver window-state --title "$EDITOR_TITLE" | tr -d '\r') == "enabled foreground" ]] && break
        sleep 0.1
    done
    driver keys ALT+Q >/dev/null
    wait_exit "vorlix$round" 30 || { echo "drop_timing: the editor did not end" >&2; exit 1; }
done

awk -v rounds="$runs" -v files="$files" '
{ n[$1]++; v[$1, n[$1]] = $2 }
function median(key,    c, x, y, t, a) {
    c = n[key]
    for (x = 1; x <= c; x++) a[x] = v[key, x]
    for (x = 1; x <= c; x++) for (y = x + 1; y <= c; y++) if (a[y] + 0 < a[x] + 0) { t = a[x]; a[x] = a[y]; a[y] = t }
    return c ? a[int(c / 2) + 1] : -1
}
END {
    b = median("bare"); m = median("vorlix")
    printf "%d rounds, %d files; median in ms\n", rounds, files
    printf "  bare list view given the rows (start to rows on screen) %8.1f\n", b
    printf "  Vorlix, files dropped on its list (drop to rows on screen) %6.1f\n", m
    printf "ratio drop to bare: %.2f\n", m / b
}' times.txt
