#!/usr/bin/env bash
# Start-to-popup times under Wine: a bare Win32 three-item popup, the same bare program importing the
# libraries Vorlix imports, Vorlix with a 200-item menu, and the same menu with icons (/I, /IS) whose icons
# come from 20 distinct programs and documents. Timings under Wine are not Windows timings, so only the
# ratios measured in one run mean something. Every round runs every program once, in turn.
#
#   bench/popup_timing.sh [ROUNDS [OTHER.exe...]]
#
# Default 15 rounds; needs the MinGW build (E2E_BUILD, default build/win). Each OTHER.exe, another build of
# Vorlix (an older one, say), is timed with /I in the same rounds, and watched for its first icon as well.
#
# The raw times stay in $E2E_OUT/popup-timing/timer.txt.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
bench_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

runs=${1:-15}
others=()
for exe in "${@:2}"; do others+=("$(realpath "$exe")"); done
timer="$E2E_BUILD/bench/win32/popup_timer.exe"
bare="$E2E_BUILD/bench/win32/bare_popup.exe"
bareImports="$E2E_BUILD/bench/win32/bare_popup_imports.exe"
e2e_require popup_timing "$VORLIX_EXE" "$timer" "$bare" "$bareImports" "$DRIVER_EXE" "${others[@]}" || exit 1

e2e_begin || exit 1

work="$E2E_OUT/popup-timing"
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
cp "$VORLIX_EXE" Vorlix.exe
source "$bench_dir/popup_sources.sh"
for ((i = 0; i < 200; i++)); do
    echo "Item $i=${sources[i % ${#sources[@]}]}"
done | write_menu menu.lst

driver mouse-move 300 200 >/dev/null
menu=$(winpath menu.lst)
otherCommands=()
for ((k = 0; k < ${#others[@]}; k++)); do
    cp "${others[k]}" "Other$k.exe"
    otherCommands+=("icons:\"$(winpath "Other$k.exe")\" /I \"$menu\"")
done
app=$(winpath Vorlix.exe)
# The programs' own messages on standard error are not the timer's. The first icon is timed in runs of
# their own, because watching the screen for it costs the machine time.
wine "$timer" "$runs" "\"$(winpath "$bare")\"" "\"$(winpath "$bareImports")\"" "\"$app\" \"$menu\"" \
    "\"$app\" /I \"$menu\"" "\"$app\" /IS \"$menu\"" "icons:\"$app\" /I \"$menu\"" "${otherCommands[@]}" 2>/dev/null |
    tr -d '\r' >timer.txt
grep -q '^icons 6 ' timer.txt || { echo "popup_timing: $(cat timer.txt)" >&2; exit 1; }
awk -v rounds="$runs" -v others="${others[*]}" '
function sorted(line, a,    n, x, y, t) {
    n = split(line, a, " ")
    for (x = 1; x <= n; x++) for (y = x + 1; y <= n; y++) if (a[y] + 0 < a[x] + 0) { t = a[x]; a[x] = a[y]; a[y] = t }
    return n
}
/^samples/ { k = $2; $1 = ""; $2 = ""; s[k] = $0 }
/^median/ { t[$2] = $3 }
/^icons/ { i[$2] = $3 }
/^retries/ { r = r sprintf(" %s run(s) of program %d;", $3, $2) }
END {
    split("bare 3-item popup|bare, importing like Vorlix|Vorlix, 200 items|Vorlix /I, 200 items|" \
          "Vorlix /IS, 200 items|Vorlix /I, watched for its icon", name, "|")
    printf "%d rounds; start to popup on screen, median (quartiles) in ms\n", rounds
    for (k = 1; k <= 6; k++) {
        n = sorted(s[k], a)
        printf "  %-32s %7.1f  (%.1f .. %.1f)\n", name[k], t[k], a[int(n / 4) + 1], a[int(3 * n / 4) + 1]
    }
    printf "  %-32s %7.1f\n", "  its first icon drawn", i[6]
    m = split(others, other, " ")
    for (k = 7; k <= 6 + m; k++) {
        n = sorted(s[k], a)
        printf "  %-32s %7.1f  (%.1f .. %.1f), first icon %.1f: ratios %.2f, %.2f\n", "/I of " other[k - 6], t[k],
            a[int(n / 4) + 1], a[int(3 * n / 4) + 1], i[k], t[k] / t[3], i[k] / t[3]
    }
    printf "ratio /I to no icons:             %.2f\n", t[4] / t[3]
    printf "ratio /IS to no icons:            %.2f\n", t[5] / t[3]
    printf "ratio first icon drawn to no icons: %.2f\n", i[6] / t[3]
    printf "ratio no icons to bare:           %.2f\n", t[3] / t[1]
    printf "ratio bare importing to bare:     %.2f\n", t[2] / t[1]
    printf "ratio /I to bare:                 %.2f\n", t[4] / t[1]
    if (r != "") printf "repeated after showing nothing:%s\n", r
}' timer.txt
