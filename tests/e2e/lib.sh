# Helpers of the Wine test bench. Sourced by tests/e2e/run.sh and, in each test's own bash, by lib.sh's
# caller before the case file. Nothing here sleeps for a fixed time: every wait polls for a window, a file
# or a process with a time-out and says what it waited for when the time runs out.
#
# Local variables here start with "_": a test may export "file" or "dir" for the programs it starts, and a
# bash local of the same name would be exported in their place.
#
# Settings (environment):
#   E2E_BUILD    MinGW build directory with Vorlix.exe and tests/e2e/{driver,probe}.exe (default build/win)
#   E2E_OUT      where the prefix, the work folders and the logs go (default $E2E_BUILD/e2e)
#   WINEPREFIX   the private Wine prefix (default $E2E_OUT/prefix)
#   E2E_WAIT_MS  default time-out of window waits (default 15000)
#   E2E_EXIT_S   default time-out of process and file waits in seconds (default 20)

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_REPO=$(cd "$E2E_DIR/../.." && pwd)
: "${E2E_BUILD:=$E2E_REPO/build/win}"
E2E_BUILD=$(cd "$E2E_BUILD" 2>/dev/null && pwd || echo "$E2E_BUILD")
: "${E2E_OUT:=$E2E_BUILD/e2e}"
: "${E2E_WAIT_MS:=15000}"
: "${E2E_EXIT_S:=20}"
export E2E_BUILD E2E_OUT E2E_WAIT_MS E2E_EXIT_S
export WINEPREFIX="${WINEPREFIX:-$E2E_OUT/prefix}"
# Quiet, except for the one error line a stack overflow leaves: Wine then ends the program with exit
# code 1 and no other report (see e2e_crash_lines).
export WINEARCH=win64 WINEDEBUG=-all,err+virtual WINEDLLOVERRIDES="mscoree,mshtml="

# On a busy machine Wine now and then fails to start a process at all, seen a few times in some thousand
# starts under load (the driver, a probe started by a harness, a harness run directly). It prints this
# line to the standard error it inherited and ends with a failure; the program never ran, so starting it
# again is safe.
E2E_NOT_STARTED="failed to map the shared user data"

# not_started NAME: true when Wine failed to start a program that spawned program NAME started.
not_started() { grep -qs "$E2E_NOT_STARTED" "$E2E_TMP/.proc-$1/stderr"; }

# wine ARGS...: Wine, started again (three times in all) when it failed to start the program at all. Its
# standard error comes out when it has ended. spawn runs the real one in the background itself.
wine() {
    local _err _rc _try
    _err=$(mktemp) || return 1
    for _try in 1 2 3; do
        command wine "$@" 2>"$_err"
        _rc=$?
        ((_rc != 0)) && grep -q "$E2E_NOT_STARTED" "$_err" || break
    done
    cat "$_err" >&2
    rm -f "$_err"
    return "$_rc"
}

VORLIX_EXE="$E2E_BUILD/Vorlix.exe"
DRIVER_EXE="$E2E_BUILD/tests/e2e/driver.exe"
PROBE_EXE="$E2E_BUILD/tests/e2e/probe.exe"
# The copy of Vorlix.exe that `vorlix` starts; install_vorlix points it elsewhere.
VORLIX="$VORLIX_EXE"

# ---------------------------------------------------------------- the environment of a whole run

# Starts Xvfb on a display number that it picks itself (-displayfd), unless E2E_DISPLAY names one.
# Sets DISPLAY and E2E_XVFB_PID.
e2e_start_xvfb() {
    if [[ -n "${E2E_DISPLAY:-}" ]]; then
        export DISPLAY="$E2E_DISPLAY"
        return 0
    fi
    mkdir -p "$E2E_OUT"
    local _numberFile="$E2E_OUT/xvfb.display"
    rm -f "$_numberFile"
    Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$_numberFile" 2>"$E2E_OUT/xvfb.log" &
    E2E_XVFB_PID=$!
    local _waited=0
    until [[ -s "$_numberFile" ]] && grep -q '^[0-9]' "$_numberFile"; do
        if ! kill -0 "$E2E_XVFB_PID" 2>/dev/null; then
            echo "e2e: Xvfb did not start; its log:" >&2
            cat "$E2E_OUT/xvfb.log" >&2
            return 1
        fi
        ((_waited++ >= 100)) && { echo "e2e: Xvfb gave no display number within 10 s" >&2; return 1; }
        sleep 0.1
    done
    export DISPLAY=":$(head -n1 "$_numberFile")"
}

e2e_stop_xvfb() {
    if [[ -n "${E2E_XVFB_PID:-}" ]]; then
        kill "$E2E_XVFB_PID" 2>/dev/null
        wait "$E2E_XVFB_PID" 2>/dev/null
        E2E_XVFB_PID=
    fi
}

# Creates the private prefix once (wineboot -i, then wineserver -w). A lock keeps two runs from creating
# the same prefix at the same time, which Wine does not survive.
e2e_prepare_prefix() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [[ ! -f "$WINEPREFIX/.vorlix-e2e-ready-2" ]]; then
            rm -rf "$WINEPREFIX"
            echo "e2e: creating Wine prefix $WINEPREFIX" >&2
            wineboot -i >"$E2E_OUT/wineboot.log" 2>&1 || { cat "$E2E_OUT/wineboot.log" >&2; exit 1; }
            # A crash is reported in the program's output (e2e_crash_lines); Wine's "Program Error" box
            # would stay on screen after the test and fail the later ones that look for message boxes.
            wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
                >>"$E2E_OUT/wineboot.log" 2>&1 || { cat "$E2E_OUT/wineboot.log" >&2; exit 1; }
            wineserver -w
            touch "$WINEPREFIX/.vorlix-e2e-ready-2"
        fi
    ) 9>"$WINEPREFIX.lock"
}

e2e_stop_wine() {
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    return 0
}

# e2e_require WHO FILE...: every FILE (a program of the MinGW build) exists, or WHO says which is missing.
e2e_require() {
    local _who=$1 _file
    shift
    for _file in "$@"; do
        [[ -f "$_file" ]] && continue
        echo "$_who: $_file is missing; build the MinGW configuration first" >&2
        return 1
    done
}

# e2e_begin: starts what a whole run needs (Xvfb, the prefix) and makes sure it is shut down however the
# script ends: at its end, by exit or fail, by Ctrl-C or by a TERM. Without the INT and TERM traps bash
# dies of the signal without running its EXIT trap, and Xvfb and the wineserver stay behind.
e2e_begin() {
    trap e2e_shutdown EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    e2e_start_xvfb || return 1
    e2e_prepare_prefix || { echo "e2e: the Wine prefix $WINEPREFIX could not be created" >&2; return 1; }
    # The first program of a run also starts the wineserver and loads the prefix's registry; once, a test's
    # first driver call ended without output at that moment. A throw-away start keeps that off the tests.
    wine cmd /c exit >/dev/null 2>&1 || true
}

# e2e_shutdown: kills what a script started under $E2E_TMP (when it set one), then ends Wine and Xvfb.
e2e_shutdown() {
    [[ -n "${E2E_TMP:-}" ]] && e2e_kill_spawned "$E2E_TMP"
    e2e_stop_wine
    e2e_stop_xvfb
}

# ---------------------------------------------------------------- failing and asserting

# Ends the current test as failed. Also leaves a mark, so a failure inside $( ) is not lost.
fail() {
    echo "FAIL: $*" >&2
    e2e_report_spawned >&2
    [[ -n "${E2E_TMP:-}" ]] && echo "$*" >>"$E2E_TMP/.failed"
    exit 1
}

skip() {
    echo "SKIP: $*" >&2
    exit 77
}

# e2e_crash_lines DIR: the lines in which Wine reported a crash, in the log of the test whose folder is DIR
# (the driver and harnesses run by the test write there) and in the output of every program it spawned.
# A crashed program may still end with exit code 0 ("wine: Unhandled page fault ..., starting
# debugger..."), so run.sh fails a test on these lines whatever the exit codes said.
e2e_crash_lines() {
    grep -hE 'wine: Unhandled|Unhandled (exception|page fault|stack overflow)|starting debugger|err:virtual:.*stack overflow' \
        "$1/log" "$1"/.proc-*/stdout "$1"/.proc-*/stderr 2>/dev/null | tr -d '\r'
}

# Shows a value with its control characters visible, so a stray "\r" or trailing space shows up.
e2e_show() { printf '%q' "$1"; }

assert_eq() { # EXPECTED ACTUAL [WHAT]
    [[ "$1" == "$2" ]] && return 0
    fail "${3:-value} differs"$'\n'"  expected: $(e2e_show "$1")"$'\n'"  actual:   $(e2e_show "$2")"
}

assert_contains() { # HAYSTACK NEEDLE [WHAT]
    [[ "$1" == *"$2"* ]] && return 0
    fail "${3:-text} does not contain $(e2e_show "$2")"$'\n'"  text: $(e2e_show "$1")"
}

assert_not_contains() { # HAYSTACK NEEDLE [WHAT]
    [[ "$1" != *"$2"* ]] && return 0
    fail "${3:-text} contains $(e2e_show "$2") but should not"$'\n'"  text: $(e2e_show "$1")"
}

# ---------------------------------------------------------------- files and paths

# Windows path of a Unix path, and back.
# winepath now and then prints nothing on a loaded machine (seen under Wine 8 with two test runs at once):
# an empty answer is asked for again.
wine_path() {
    local _out _try
    for _try in 1 2 3 4 5; do
        _out=$(wine winepath "$1" "$2" 2>/dev/null | tr -d '\r')
        [[ -n "$_out" ]] && break
        sleep 0.2
    done
    printf '%s\n' "$_out"
}
winpath() { wine_path -w "$1"; }
unixpath() { wine_path -u "$1"; }

# wait_file PATH [SECONDS]: waits until PATH exists.
wait_file() {
    local _path=$1 _seconds=${2:-$E2E_EXIT_S}
    local _deadline=$((SECONDS + _seconds))
    until [[ -e "$_path" ]]; do
        ((SECONDS >= _deadline)) && fail "file $_path did not appear within ${_seconds} s"
        sleep 0.05
    done
}

# wait_line FILE LINE: waits until FILE, written by a running program, has the whole line LINE.
# wait_line_start FILE TEXT: the same for a line that starts with TEXT. A CR at a line's end is ignored;
# a last line without its line feed is not complete yet and does not count.
wait_line() { e2e_wait_line whole "$@"; }
wait_line_start() { e2e_wait_line start "$@"; }

e2e_wait_line() { # whole|start FILE TEXT
    local _deadline=$((SECONDS + E2E_EXIT_S)) _what="line \"$3\""
    [[ $1 == start ]] && _what="line starting \"$3\""
    until e2e_has_line "$@"; do
        ((SECONDS >= _deadline)) && fail "no $_what in $2 within $E2E_EXIT_S s; it has: $(cat "$2" 2>/dev/null)"
        sleep 0.05
    done
}

e2e_has_line() { # whole|start FILE TEXT
    local _line
    [[ -f "$2" ]] || return 1
    while IFS= read -r _line; do
        _line=${_line%$'\r'}
        case $1 in
        whole) [[ "$_line" == "$3" ]] && return 0 ;;
        start) [[ "$_line" == "$3"* ]] && return 0 ;;
        esac
    done <"$2"
    return 1
}

# rect_of TEXT NAME: the "left top right bottom" that follow NAME on the first line of TEXT starting so.
rect_of() {
    local _line
    _line=$(grep -m1 "^$2 " <<<"$1" | tr -d '\r')
    printf '%s' "${_line#"$2 "}"
}

# write_menu PATH: writes standard input to PATH with CR LF line ends, as a Windows editor would.
write_menu() {
    mkdir -p "$(dirname "$1")"
    sed 's/\r*$/\r/' >"$1"
}

# ---------------------------------------------------------------- processes

# spawn NAME EXE [ARGS...]: starts a Windows program in the background. The working directory is
# $SPAWN_CWD (default the test's folder). Its exit code is collected by wait_exit NAME.
spawn() {
    local _name=$1 _exe=$2
    shift 2
    local _proc="$E2E_TMP/.proc-$_name"
    rm -rf "$_proc"
    mkdir -p "$_proc"
    (
        cd "${SPAWN_CWD:-$E2E_TMP}" || exit 1
        local _try _rc
        for _try in 1 2 3; do # see E2E_NOT_STARTED: a program Wine could not start never ran
            command wine "$_exe" "$@" >"$_proc/stdout" 2>"$_proc/stderr" &
            echo $! >>"$E2E_TMP/.pids"
            echo $! >"$_proc/pid.tmp" && mv "$_proc/pid.tmp" "$_proc/pid"
            wait $!
            _rc=$?
            ((_rc != 0)) && grep -qs "$E2E_NOT_STARTED" "$_proc/stderr" || break
        done
        echo "$_rc" >"$_proc/exit.tmp" && mv "$_proc/exit.tmp" "$_proc/exit"
    ) &
    local _deadline=$((SECONDS + 10))
    until [[ -f "$_proc/pid" ]]; do
        ((SECONDS >= _deadline)) && fail "could not start $_exe"
        sleep 0.02
    done
}

# wait_exit NAME [SECONDS]: waits for a spawned program to end; its exit code goes to EXIT_CODE.
wait_exit() {
    local _name=$1 _seconds=${2:-$E2E_EXIT_S}
    local _exitFile="$E2E_TMP/.proc-$_name/exit"
    local _deadline=$((SECONDS + _seconds))
    until [[ -f "$_exitFile" ]]; do
        if ((SECONDS >= _deadline)); then
            echo "windows on screen:" >&2
            driver list >&2
            fail "$_name did not end within ${_seconds} s"
        fi
        sleep 0.05
    done
    EXIT_CODE=$(cat "$_exitFile")
}

# assert_exit NAME CODE [SECONDS]
assert_exit() {
    wait_exit "$1" "${3:-$E2E_EXIT_S}"
    assert_eq "$2" "$EXIT_CODE" "exit code of $1"
}

# running NAME: true while a spawned program has not ended.
running() { [[ -f "$E2E_TMP/.proc-$1/pid" && ! -f "$E2E_TMP/.proc-$1/exit" ]]; }

# spawned_pid NAME, spawned_stdout NAME (the file that gets its standard output), spawned_output NAME (what
# it has written there so far, CR removed).
spawned_pid() { cat "$E2E_TMP/.proc-$1/pid"; }
spawned_stdout() { printf '%s' "$E2E_TMP/.proc-$1/stdout"; }
spawned_output() { tr -d '\r' <"$E2E_TMP/.proc-$1/stdout"; }

# Says which programs this test started and whether they still run: a window that never appeared is often
# explained by a program that had already ended.
e2e_report_spawned() {
    local _proc _name
    for _proc in "$E2E_TMP"/.proc-*; do
        [[ -d "$_proc" ]] || continue
        _name=${_proc##*/.proc-}
        if [[ -f "$_proc/exit" ]]; then
            echo "  started program \"$_name\" has ended with exit code $(cat "$_proc/exit")"
        else
            echo "  started program \"$_name\" is still running"
        fi
        not_started "$_name" && echo "  Wine failed to start a program that \"$_name\" started: $E2E_NOT_STARTED"
    done
}

# Kills what this test started and is still running (by process id; nothing else is touched).
e2e_kill_spawned() {
    local _pids="$1/.pids" _pid
    [[ -f "$_pids" ]] || return 0
    while read -r _pid; do
        kill -KILL "$_pid" 2>/dev/null
    done <"$_pids"
    rm -f "$_pids"
}

# vorlix NAME [ARGS...]: starts Vorlix.exe ($VORLIX) as spawned program NAME.
vorlix() {
    local _name=$1
    shift
    spawn "$_name" "$VORLIX" "$@"
}

# install_vorlix [DIR]: copies Vorlix.exe into DIR (default $E2E_TMP/app) and makes `vorlix` start that
# copy, so that a menu "Vorlix.lst" beside the program belongs to this test alone.
install_vorlix() {
    local _appDir=${1:-$E2E_TMP/app}
    mkdir -p "$_appDir"
    cp "$VORLIX_EXE" "$_appDir/Vorlix.exe"
    VORLIX="$_appDir/Vorlix.exe"
}

# ---------------------------------------------------------------- the driver

# driver COMMAND [ARGS...]: runs driver.exe (see the top of driver.cpp); returns its exit code.
driver() { wine "$DRIVER_EXE" "$@"; }

# The same with the test failing when the driver does. Window filters: --class, --title,
# --title-prefix, --all, --timeout MS.
wait_window() { driver wait-window --timeout "$E2E_WAIT_MS" "$@" || fail "window never appeared: $*"; }
wait_gone() { driver wait-gone --timeout "$E2E_WAIT_MS" "$@" || fail "window did not go away: $*"; }
window_text() { driver text --timeout "$E2E_WAIT_MS" "$@" || fail "cannot read the text of: $*"; }
click_button() { # TEXT [FILTER...]
    local _text=$1
    shift
    driver click --timeout "$E2E_WAIT_MS" --button "$_text" "$@" || fail "cannot click \"$_text\" in: $*"
}
send_keys() { driver keys "$@" || fail "cannot send keys: $*"; }
window_exists() { driver exists "$@" >/dev/null; }

# popup_levels N: waits until N menu levels (class "#32768") are on screen.
popup_levels() {
    local _deadline=$((SECONDS + E2E_EXIT_S)) _count
    while :; do
        _count=$(driver list | grep -c 'visible "#32768"')
        ((_count == $1)) && return 0
        ((SECONDS >= _deadline)) && fail "expected $1 open menu levels, found $_count"
        sleep 0.05
    done
}

# Message boxes: class "#32770"; their text is the static child with id 0xFFFF.
wait_message_box() { wait_window --class '#32770' --title "$1"; }
message_box_text() { # CAPTION -> the box's text; the driver adds one line feed, which $( ) removes
    window_text --class '#32770' --title "$1" --child 0xFFFF
}

# ---------------------------------------------------------------- the configuration editor

# The editor being driven (open_editor sets it).
EDITOR_TITLE=

# open_editor NAME MENU: starts `Vorlix.exe /S MENU` (a Unix path) as NAME and waits for its editor;
# sets EDITOR_TITLE.
open_editor() {
    EDITOR_TITLE="Vorlix - $(winpath "$2")"
    vorlix "$1" /S "$(winpath "$2")"
    wait_window --title "$EDITOR_TITLE" >/dev/null
}

# ed COMMAND ARGS...: a driver command on the editor's window; its output without CR. Fails when it does.
ed() {
    local _out
    _out=$(driver "$1" --title "$EDITOR_TITLE" "${@:2}") || fail "driver $* failed on \"$EDITOR_TITLE\""
    printf '%s' "${_out//$'\r'/}"
}

# Probes for await: the rows joined with ",", and whether control N is enabled / visible.
rows_csv() { driver rows --title "$EDITOR_TITLE" --id 3 | tr -d '\r' | paste -sd, -; }
enabled_of() { driver control-state --title "$EDITOR_TITLE" --id "$1" | cut -d' ' -f1; }
visible_of() { driver control-state --title "$EDITOR_TITLE" --id "$1" | cut -d' ' -f2; }
focus_of() { driver focus --title "$EDITOR_TITLE" | tr -d '\r'; }

# await EXPECTED WHAT COMMAND...: polls COMMAND until it prints EXPECTED (the editor acts on a key or a
# click in its own time).
await() {
    local _expected=$1 _what=$2 _got _deadline=$((SECONDS + E2E_EXIT_S))
    shift 2
    while :; do
        _got=$("$@" 2>/dev/null | tr -d '\r')
        [[ "$_got" == "$_expected" ]] && return 0
        ((SECONDS >= _deadline)) && fail "$_what: expected $(e2e_show "$_expected"), still $(e2e_show "$_got")"
        sleep 0.1
    done
}

# assert_bytes FILE EXPECTED_FILE
assert_bytes() {
    cmp -s "$1" "$2" && return 0
    fail "$1 differs from $2"$'\n'"  actual:   $(od -An -c "$1" | head -c 600)"$'\n'"  expected: $(od -An -c "$2" | head -c 600)"
}

# quit_editor NAME: Alt+Q (never asks) and the program's end.
quit_editor() {
    send_keys ALT+Q
    assert_exit "$1" 0
}

# ---------------------------------------------------------------- the probe

# use_probe_log NAME: every probe started from now on writes to a fresh log in the test's folder.
# Sets PROBE_LOG (its Unix path) and exports VORLIX_PROBE_LOG (its Windows path). Not inside $( ).
use_probe_log() {
    PROBE_LOG="$E2E_TMP/$1.probe.txt"
    rm -f "$PROBE_LOG"
    VORLIX_PROBE_LOG=$(winpath "$PROBE_LOG")
    export VORLIX_PROBE_LOG
}

# copy_probe FOLDER: a private copy of probe.exe in $E2E_TMP/FOLDER; sets PROBE_COPY to its Windows path.
copy_probe() {
    mkdir -p "$E2E_TMP/$1"
    cp "$PROBE_EXE" "$E2E_TMP/$1/probe.exe"
    PROBE_COPY=$(winpath "$E2E_TMP/$1/probe.exe")
}

# probe_value LOG KEY: the value of one "key=value" line of a probe log (first match).
probe_value() {
    local _line
    _line=$(grep -m1 "^$2=" "$1" | tr -d '\r') || fail "probe log $1 has no line $2="
    printf '%s' "${_line#*=}"
}

assert_probe() { # LOG KEY EXPECTED
    assert_eq "$3" "$(probe_value "$1" "$2")" "probe's $2"
}
