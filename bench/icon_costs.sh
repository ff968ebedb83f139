#!/usr/bin/env bash
# Where the time of the popup's icons goes under Wine: runs bench/win32/icon_costs.exe in ROUNDS fresh
# processes (the first call of a process is what a popup pays) and prints the median of every step, with
# the CPU time of the step (".cpu", in the system's 10-16 ms ticks) and, for each way of copying an icon,
# how many of 200 copies draw exactly like their originals ("alike-"). Then bench/win32/icon_copies.exe
# checks the program's own copies the same way; the script fails when one of them differs.
#
#   bench/icon_costs.sh [ROUNDS]    (default 9; needs the MinGW build, E2E_BUILD or build/win)
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
bench_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

runs=${1:-9}
costs="$E2E_BUILD/bench/win32/icon_costs.exe"
copies="$E2E_BUILD/bench/win32/icon_copies.exe"
e2e_require icon_costs "$VORLIX_EXE" "$costs" "$copies" || exit 1

e2e_begin || exit 1

work="$E2E_OUT/icon-costs"
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
cp "$VORLIX_EXE" Vorlix.exe
source "$bench_dir/popup_sources.sh"

wineserver -p 2>/dev/null # keep the server between runs, as it is while a user works
app=$(winpath Vorlix.exe)
for ((r = 0; r < runs; r++)); do
    wine "$costs" "$app" "${sources[@]}" 2>/dev/null | tr -d '\r' || { echo "icon_costs: run $r failed" >&2; exit 1; }
done >all.txt
awk '{ v[$1] = v[$1] " " $2; if (!($1 in seen)) { seen[$1] = 1; order[n++] = $1 } }
END {
    for (i = 0; i < n; i++) {
        k = split(substr(v[order[i]], 2), a, " ")
        for (x = 1; x <= k; x++) for (y = x + 1; y <= k; y++) if (a[y] < a[x]) { t = a[x]; a[x] = a[y]; a[y] = t }
        unit = order[i] ~ /^alike-/ ? "of 200" : "ms"
        printf "%-28s median %8.2f %-6s (min %.2f, max %.2f, %d runs)\n", order[i], a[int((k + 1) / 2)], unit, a[1], a[k], k
    }
}' all.txt

echo "the program's own copies:"
wine "$copies" "$app" "${sources[@]}" 2>/dev/null | tr -d '\r' | sed 's/^/  /'
status=${PIPESTATUS[0]}
((status == 0)) || { echo "icon_costs: a copy of the program's does not draw like its original" >&2; exit 1; }
