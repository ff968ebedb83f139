#!/usr/bin/env bash
# The one test command (README and CI call it): installs what is missing, then
#   0. the layering check: no file of src/ includes a folder above its own (scripts/check_layers.py)
#   1. native build + unit tests            (build/native)
#   2. the same with ASan + UBSan           (build/asan)
#   3. the fuzz run, scripts/fuzz.sh 60     (build/fuzz, when the script exists)
#   4. MinGW build of Vorlix.exe, the bench and test-bench programs (build/win)
#   5. a check that the Windows programs import only system DLLs, Vorlix.exe only KnownDLLs at start, with
#      its PE flags and stack protector (scripts/check_imports.sh, and its own test), and that the icons
#      match their generator; the help files beside Vorlix.exe hold every page and link target
#      (scripts/check_help.py)
#   6. Vorlix.exe built again from a copy of the sources in another folder is the same bytes
#      (scripts/check_rebuild.sh)
#   7. the Wine end-to-end suite            (tests/e2e/run.sh)
# Every step runs even when an earlier one failed (as far as it can); the exit code is non-zero when any
# failed. The last line is the end-to-end summary "N passed, N failed".
#
# Environment: VORLIX_BUILD_PREFIX (default "build/": build/native, build/asan, build/fuzz, build/win; a
# developer sharing the tree sets e.g. "build/me-"), VORLIX_SKIP (space-separated step names to leave out:
# layers native asan fuzz win imports help rebuild e2e), VORLIX_FUZZ_SECONDS (default 60).
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
prefix=${VORLIX_BUILD_PREFIX:-build/}
skip=" ${VORLIX_SKIP:-} "
jobs=2

results=()
status=0
step_start=$SECONDS
record() { # STEP RC: notes the result and the time since the previous record
    local took=$((SECONDS - step_start))
    step_start=$SECONDS
    if [[ $2 -eq 0 ]]; then
        results+=("$1: ok (${took} s)")
    else
        results+=("$1: FAILED (${took} s)")
        status=1
    fi
}
skipped() { [[ "$skip" == *" $1 "* ]] && { results+=("$1: skipped"); step_start=$SECONDS; return 0; }; return 1; }
banner() { printf '\n==== %s ====\n' "$*"; }

banner setup
bash scripts/setup.sh || { echo "setup failed"; echo "e2e: 0 passed, 1 failed"; exit 1; }
step_start=$SECONDS

# A native configuration: build everything, then run the unit tests.
native_step() { # NAME DIR [CMAKE ARGS...]
    local name=$1 dir=$2
    shift 2
    banner "$name build ($dir)"
    cmake -S . -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1 || {
        cat "$dir.configure.log"
        return 1
    }
    cmake --build "$dir" -j"$jobs" || return 1
    banner "$name unit tests"
    ctest --test-dir "$dir" -j"$jobs" --timeout 300 --output-on-failure --no-tests=error
}

mkdir -p "$(dirname "${prefix}x")"
if ! skipped layers; then
    banner "layering of src/"
    python3 scripts/check_layers.py
    record layers $?
fi
if ! skipped native; then
    native_step native "${prefix}native"
    record native $?
fi
if ! skipped asan; then
    UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} native_step asan "${prefix}asan" -DVORLIX_SANITIZE=ON -DVORLIX_BENCH=OFF
    record asan $?
fi
if ! skipped fuzz && [[ -f scripts/fuzz.sh ]]; then
    banner "fuzz (${VORLIX_FUZZ_SECONDS:-60} s)"
    sh scripts/fuzz.sh "${VORLIX_FUZZ_SECONDS:-60}" 2>&1 | tail -n 25
    record fuzz "${PIPESTATUS[0]}"
fi

win="${prefix}win"
win_ok=0
if ! skipped win; then
    banner "MinGW build ($win)"
    if cmake -S . -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >"$win.configure.log" 2>&1 &&
        cmake --build "$win" -j"$jobs"; then
        win_ok=1
        record win 0
    else
        [[ -f "$win.configure.log" ]] && tail -n 30 "$win.configure.log"
        record win 1
    fi
fi

if ! skipped imports; then
    banner "imports and resources"
    imports_rc=0
    # Every program of the build, the test bench's own prefix and CMake's scratch folders left out.
    exes=("$win/Vorlix.exe")
    while IFS= read -r -d '' exe; do
        [[ "$exe" == "$win/Vorlix.exe" ]] || exes+=("$exe")
    done < <(find "$win" \( -path "$win/e2e" -o -name CMakeFiles \) -prune -o -name '*.exe' -print0 2>/dev/null)
    bash scripts/check_imports.sh "${exes[@]}" | sed "s|^$win/||"
    ((PIPESTATUS[0] == 0)) || imports_rc=1
    bash scripts/check_imports_test.sh "$win/Vorlix.exe" || imports_rc=1
    python3 scripts/make_icons.py --check || imports_rc=1
    ((imports_rc == 0)) && echo "all programs import system DLLs only; icons match scripts/make_icons.py"
    record imports $imports_rc
fi

if ! skipped help; then
    banner "help files"
    # Vorlix-en.chm and Vorlix-de.chm beside Vorlix.exe, opened with chmls: every page and link target inside.
    python3 scripts/check_help.py "$win" "$root"
    record help $?
fi

if ! skipped rebuild; then
    banner "rebuilt in another folder"
    bash scripts/check_rebuild.sh "$win"
    record rebuild $?
fi

e2e_summary="e2e: 0 passed, 1 failed"
if ! skipped e2e; then
    banner "Wine end-to-end tests"
    if ((win_ok)) || [[ "$skip" == *" win "* ]]; then
        E2E_BUILD="$root/$win" bash tests/e2e/run.sh 2>&1 | tee "$root/${prefix}e2e.log"
        e2e_rc=${PIPESTATUS[0]}
        line=$(grep -E '^[0-9]+ passed, [0-9]+ failed' "$root/${prefix}e2e.log" | tail -n1)
        [[ -n "$line" ]] && e2e_summary="e2e: $line"
    else
        echo "skipped: the MinGW build failed"
        e2e_rc=1
    fi
    record e2e "$e2e_rc"
fi

banner summary
printf '%s\n' "${results[@]}"
echo "total: $SECONDS s"
if [[ "$skip" == *" e2e "* ]]; then
    exit "$status"
fi
echo "$e2e_summary"
exit "$status"
