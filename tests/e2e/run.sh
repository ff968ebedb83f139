#!/usr/bin/env bash
# Runs the Wine end-to-end tests: every test_* function of tests/e2e/cases/*.sh and tests/e2e/*/cases/*.sh,
# each in its own bash with a time-out, one after the other (they share one screen and one wineserver).
#
#   tests/e2e/run.sh [PATTERN]     PATTERN: run only tests whose "file:function" contains it
#
# Needs the MinGW build (E2E_BUILD, default build/win). Prints one line per test and, at the end,
# "N passed, N failed"; exits 1 when a test failed. Wine and Xvfb are always shut down at the end.
#
# Time-outs: E2E_TEST_TIMEOUT_S for one test (default 180 s), E2E_SUITE_TIMEOUT_S for the whole run
# (default 2400 s; the suite takes about 4 minutes). When Wine is wedged every test runs into its time-out;
# the suite's budget then ends the run with the tests it did not reach reported as failed, well before
# a CI run is stopped without a summary.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

pattern=${1:-}
: "${E2E_TEST_TIMEOUT_S:=180}"
: "${E2E_SUITE_TIMEOUT_S:=2400}"

e2e_require e2e "$VORLIX_EXE" "$DRIVER_EXE" "$PROBE_EXE" || { echo "0 passed, 1 failed"; exit 1; }

mkdir -p "$E2E_OUT"
work="$E2E_OUT/work"
rm -rf "$work"
mkdir -p "$work"

e2e_begin || { echo "0 passed, 1 failed"; exit 1; }

shopt -s nullglob
case_files=("$E2E_DIR"/cases/*.sh "$E2E_DIR"/*/cases/*.sh)

passed=0
failed=0
skipped=0
failures=()
for file in "${case_files[@]}"; do
    rel=${file#"$E2E_DIR"/}
    # Test functions in the order the file defines them.
    mapfile -t tests < <(grep -oE '^(function[[:space:]]+)?test_[A-Za-z0-9_]+' "$file" | sed -E 's/^function[[:space:]]+//')
    for t in "${tests[@]}"; do
        id="$rel:$t"
        [[ -n "$pattern" && "$id" != *"$pattern"* ]] && continue
        left=$((E2E_SUITE_TIMEOUT_S - SECONDS))
        if ((left <= 0)); then
            failed=$((failed + 1))
            failures+=("$id (not run)")
            echo "FAIL $id: not run, the suite's ${E2E_SUITE_TIMEOUT_S} s are used up"
            continue
        fi
        limit=$((left < E2E_TEST_TIMEOUT_S ? left : E2E_TEST_TIMEOUT_S))
        tmp="$work/${rel//\//_}/$t"
        mkdir -p "$tmp"
        start=$SECONDS
        E2E_TMP="$tmp" timeout -k 5 "$limit" bash -c '
            source "$1" || exit 1
            cd "$E2E_TMP" || exit 1
            source "$2" || exit 1
            "$3"' _ "$E2E_DIR/lib.sh" "$file" "$t" >"$tmp/log" 2>&1
        rc=$?
        e2e_kill_spawned "$tmp"
        [[ $rc -eq 0 && -f "$tmp/.failed" ]] && rc=1
        crash=$(e2e_crash_lines "$tmp")
        if [[ -n "$crash" ]]; then
            printf 'e2e: Wine reported a crash:\n%s\n' "$crash" >>"$tmp/log"
            rc=1
        fi
        took=$((SECONDS - start))
        if [[ $rc -eq 0 ]]; then
            passed=$((passed + 1))
            echo "PASS $id (${took} s)"
        elif [[ $rc -eq 77 ]]; then
            skipped=$((skipped + 1))
            echo "SKIP $id: $(grep -m1 '^SKIP:' "$tmp/log" | cut -c7-)"
        else
            failed=$((failed + 1))
            failures+=("$id")
            [[ $rc -eq 124 || $rc -eq 137 ]] && echo "e2e: time-out after ${limit} s$( ((limit < E2E_TEST_TIMEOUT_S)) &&
                echo ", all that was left of the suite's ${E2E_SUITE_TIMEOUT_S} s")" >>"$tmp/log"
            echo "FAIL $id (${took} s), log $tmp/log:"
            sed 's/^/    /' "$tmp/log" | tail -n 40
        fi
    done
done

if ((failed > 0)); then
    echo "failed tests:"
    printf '  %s\n' "${failures[@]}"
fi
if ((skipped > 0)); then
    echo "$passed passed, $failed failed, $skipped skipped"
else
    echo "$passed passed, $failed failed"
fi
((failed == 0 && passed + skipped > 0))
