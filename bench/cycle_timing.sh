#!/usr/bin/env bash
# The popup cycle's speed under Wine, measured in one run so that the ratios mean something:
#   1. start to popup on screen: Vorlix with a 50-entry menu against a bare Win32 program that shows a
#      three-item popup (bench/win32/bare_popup.exe), timed by bench/win32/popup_timer.exe; the ratio must
#      stay under 1.15;
#   2. choice to started program: from the RETURN that chooses the popup's first item until probe.exe has
#      written its log, against starting probe.exe directly (tests/e2e/cycle/choice_timer.exe).
#
#   bench/cycle_timing.sh [ROUNDS]    (default 15; needs the MinGW build, E2E_BUILD or build/win)
#
# Exits 1 when a program is missing or a measurement failed, 2 when the start-to-popup ratio is 1.15 or more.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"

rounds=${1:-15}
popup_timer="$E2E_BUILD/bench/win32/popup_timer.exe"
bare="$E2E_BUILD/bench/win32/bare_popup.exe"
choice_timer="$E2E_BUILD/tests/e2e/cycle/choice_timer.exe"
e2e_require cycle_timing "$VORLIX_EXE" "$PROBE_EXE" "$popup_timer" "$bare" "$choice_timer" || exit 1

e2e_begin || exit 1

work="$E2E_OUT/cycle-timing"
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
cp "$VORLIX_EXE" Vorlix.exe
cp "$PROBE_EXE" probe.exe
probe=$(winpath probe.exe)

# 50 entries as a menu grows in use: programs, a submenu, separators and a remark; the first one starts
# the probe.
{
    echo "Probe=$probe;chosen"
    for ((i = 1; i < 36; i++)); do
        ((i % 9 == 0)) && echo "-=" || echo "Program $i=$probe;$i"
    done
    echo "Tools/=submenu"
    for ((i = 1; i < 12; i++)); do echo "Tools/Tool $i=$probe;tool$i"; done
    echo "Note=rem a remark"
    echo "Folder=C:\\windows"
} | write_menu menu.lst
(($(wc -l <menu.lst) == 50)) || { echo "cycle_timing: the menu has $(wc -l <menu.lst) entries" >&2; exit 1; }

driver mouse-move 300 200 >/dev/null
app=$(winpath Vorlix.exe)
menu=$(winpath menu.lst)

popup=$(wine "$popup_timer" "$rounds" "\"$(winpath "$bare")\"" "\"$app\" \"$menu\"" | tr -d '\r')
grep -q '^median 2 ' <<<"$popup" || { echo "cycle_timing: $popup" >&2; exit 1; }

log=$(winpath "$work")\\probe-log.txt
export VORLIX_PROBE_LOG=$log
choice=$(wine "$choice_timer" "$rounds" "$log" "\"$app\" \"$menu\"" "\"$probe\" chosen" | tr -d '\r')
grep -q '^median direct ' <<<"$choice" || { echo "cycle_timing: $choice" >&2; exit 1; }

awk -v rounds="$rounds" '
    /^median 1 / { bare = $3 }
    /^median 2 / { vorlix = $3 }
    /^median choice / { choice = $3 }
    /^median direct / { direct = $3 }
    END {
        ratio = vorlix / bare
        printf "medians of %d rounds\n", rounds
        printf "start to popup, bare 3-item popup      %7.1f ms\n", bare
        printf "start to popup, Vorlix 50 entries      %7.1f ms\n", vorlix
        printf "ratio Vorlix to bare                   %7.2f (limit 1.15: %s)\n", ratio, ratio < 1.15 ? "ok" : "OVER"
        printf "choice to probe log, through Vorlix    %7.1f ms\n", choice
        printf "probe started directly to its log      %7.1f ms\n", direct
        printf "what the choice adds                   %7.1f ms\n", choice - direct
        exit ratio < 1.15 ? 0 : 2
    }' <<<"$popup"$'\n'"$choice"
