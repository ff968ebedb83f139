# Self-test of probe.exe, which the launch tests rely on to see how Vorlix started a program.

test_probe_records_command_line_directory_and_variables() {
    use_probe_log direct
    local cwd="$E2E_TMP/start here"
    mkdir -p "$cwd"
    export file='D:\data\x.txt' dir='D:\data\' Vdrive='Q:'
    SPAWN_CWD="$cwd" spawn probe "$PROBE_EXE" one "two three" 'a"b'
    assert_exit probe 0
    wait_file "$PROBE_LOG"
    assert_probe "$PROBE_LOG" argc 4
    assert_probe "$PROBE_LOG" argv1 one
    assert_probe "$PROBE_LOG" argv2 "two three"
    assert_probe "$PROBE_LOG" argv3 'a"b'
    assert_contains "$(probe_value "$PROBE_LOG" cmdline)" ' one "two three" a\"b' "recorded command line"
    assert_probe "$PROBE_LOG" cwd "$(winpath "$cwd")"
    assert_probe "$PROBE_LOG" exe "$(winpath "$PROBE_EXE")"
    assert_probe "$PROBE_LOG" file 'D:\data\x.txt'
    assert_probe "$PROBE_LOG" dir 'D:\data\'
    assert_probe "$PROBE_LOG" Vdrive 'Q:'
}

test_probe_tells_unset_variables_from_empty_ones() {
    use_probe_log unset
    unset dir Vdrive
    export file=
    spawn probe "$PROBE_EXE"
    assert_exit probe 0
    wait_file "$PROBE_LOG"
    assert_probe "$PROBE_LOG" file ''
    assert_probe "$PROBE_LOG" dir '<unset>'
    assert_probe "$PROBE_LOG" Vdrive '<unset>'
}

test_probe_records_show_state_and_directory_given_by_shell_execute() {
    # Rows: show state passed to ShellExecuteExW | working directory (relative to the test folder)
    local rows=("1|." "7|sub" "3|sub dir" "2|.")
    local row show sub out
    for row in "${rows[@]}"; do
        IFS="|" read -r show sub <<<"$row"
        echo "case show=$show folder=$sub"
        mkdir -p "$E2E_TMP/$sub"
        use_probe_log "show$show"
        out=$(driver launch "$(winpath "$PROBE_EXE")" --show "$show" --cwd "$(winpath "$E2E_TMP/$sub")" \
            --params '/x "y z"' --wait) || fail "launch failed"
        assert_eq "exit 0" "${out//$'\r'/}" "probe's exit"
        wait_file "$PROBE_LOG"
        assert_probe "$PROBE_LOG" show "$show"
        assert_probe "$PROBE_LOG" startup-flags 1
        assert_probe "$PROBE_LOG" cwd "$(winpath "$E2E_TMP/$sub")"
        assert_probe "$PROBE_LOG" argv1 /x
        assert_probe "$PROBE_LOG" argv2 'y z'
    done
}

test_probe_log_beside_probe_appears_whole() {
    # Without VORLIX_PROBE_LOG the log goes beside the probe; it appears by rename, never half-written.
    local copy="$E2E_TMP/copy"
    mkdir -p "$copy"
    cp "$PROBE_EXE" "$copy/probe.exe"
    unset VORLIX_PROBE_LOG
    spawn probe "$copy/probe.exe"
    assert_exit probe 0
    wait_file "$copy/probe-log.txt"
    [[ -e "$copy/probe-log.txt.tmp" ]] && fail "the temporary log was left behind"
    assert_probe "$copy/probe-log.txt" argc 1
    assert_eq 10 "$(wc -l <"$copy/probe-log.txt" | tr -d ' ')" "number of lines for a start without arguments"
}
