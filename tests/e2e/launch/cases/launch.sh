# The launcher's requests as a started program sees them: probe.exe records its command line, working
# directory and show state. launch_harness.exe calls launchEntry / launchFolderItem with the real shell.

LAUNCH_HARNESS="$E2E_BUILD/tests/e2e/launch/launch_harness.exe"

# harness NAME ARGS...: runs launch_harness.exe to its end; its output (CR removed) goes to HARNESS_OUT.
harness() {
    local _name=$1
    shift
    [[ -f "$LAUNCH_HARNESS" ]] || fail "launch_harness.exe is missing"
    spawn "$_name" "$LAUNCH_HARNESS" "$@"
    assert_exit "$_name" 0
    HARNESS_OUT=$(spawned_output "$_name")
}

# started NAME ARGS...: the harness, then the log of the probe it started. A probe that Wine failed to
# start (not_started) never ran: the harness is run again, at most three times in all.
started() {
    local _try _deadline
    for _try in 1 2 3; do
        harness "$@"
        _deadline=$((SECONDS + E2E_EXIT_S))
        until [[ -e "$PROBE_LOG" ]]; do
            not_started "$1" && continue 2
            ((SECONDS >= _deadline)) && fail "file $PROBE_LOG did not appear within $E2E_EXIT_S s"
            sleep 0.05
        done
        return 0
    done
    fail "Wine failed to start the probe three times"
}

test_entry_requests_reach_the_started_program() {
    copy_probe tools
    mkdir -p "$E2E_TMP/run here"
    local tools run
    tools=$(winpath "$E2E_TMP/tools")
    run=$(winpath "$E2E_TMP/run here")
    # Rows: name | definition | modifiers | show | working directory | argv1
    local rows=(
        "own folder, maximised|$PROBE_COPY;first;;max|0|3|$tools|first"
        "named directory, minimised|$PROBE_COPY;x;$run;min|0|2|$run|x"
        "dot-dot resolved|$tools\\..\\tools\\probe.exe;y|0|1|$tools|y"
        "capital run mode is normal|$PROBE_COPY;z;;Max|0|1|$tools|z"
        "shift+ctrl keeps the run mode|$PROBE_COPY;w;;min|3|2|$tools|w"
    )
    local row name definition modifiers show cwd argv1
    for row in "${rows[@]}"; do
        IFS='|' read -r name definition modifiers show cwd argv1 <<<"$row"
        echo "case $name"
        use_probe_log "probe-$modifiers-$show-$argv1"
        started entry entry "$definition" --modifiers "$modifiers"
        assert_contains "$HARNESS_OUT" "result=3" "launch result of $name"
        assert_probe "$PROBE_LOG" exe "$PROBE_COPY"
        assert_probe "$PROBE_LOG" show "$show"
        assert_probe "$PROBE_LOG" cwd "$cwd"
        assert_probe "$PROBE_LOG" argv1 "$argv1"
    done
}

test_bare_name_starts_in_the_launchers_directory() {
    copy_probe here
    use_probe_log bare
    SPAWN_CWD="$E2E_TMP/here" started bare entry 'probe.exe;one'
    assert_contains "$HARNESS_OUT" "result=3"
    assert_probe "$PROBE_LOG" cwd "$(winpath "$E2E_TMP/here")"
    assert_probe "$PROBE_LOG" argv1 one
}

test_refused_start_and_entries_that_start_nothing() {
    # Rows: name | definition | result
    local rows=(
        "missing program|C:\\no\\such\\program.exe|0"
        "configuration|Configuration|2"
        "cancel|cancel|3"
        "files|files;*.txt;C:\\|3"
    )
    local row name definition result
    for row in "${rows[@]}"; do
        IFS='|' read -r name definition result <<<"$row"
        echo "case $name"
        harness "h-$result" entry "$definition"
        assert_contains "$HARNESS_OUT" "result=$result" "launch result of $name"
    done
}

test_vorlix_entry_restarts_or_starts_a_second_copy_beside_the_editor() {
    harness popup entry 'vorlix;other.lst /n'
    assert_contains "$HARNESS_OUT" "result=1"
    assert_contains "$HARNESS_OUT" "rest=other.lst /n"

    copy_probe second
    use_probe_log second
    started editor entry 'vorlix;other.lst /n' --program "$PROBE_COPY" --editor 100,200
    assert_contains "$HARNESS_OUT" "result=3"
    assert_probe "$PROBE_LOG" exe "$PROBE_COPY"
    assert_probe "$PROBE_LOG" argv1 other.lst
    assert_probe "$PROBE_LOG" argv2 /n
    assert_probe "$PROBE_LOG" argv3 /s130,230
}

test_folder_item_with_a_quoted_opener() {
    copy_probe "opener dir"
    mkdir -p "$E2E_TMP/listed"
    local folder
    folder="$(winpath "$E2E_TMP/listed")\\u005c"
    use_probe_log opener
    # The opener in double quotes (written as \u0022 so that no command-line parser touches them).
    started item folder-item "$folder" "\\u0022$PROBE_COPY\\u0022" 'b c.txt'
    assert_probe "$PROBE_LOG" exe "$PROBE_COPY"
    assert_probe "$PROBE_LOG" argc 2
    assert_probe "$PROBE_LOG" argv1 'b c.txt'
    assert_contains "$(probe_value "$PROBE_LOG" cmdline)" ' "b c.txt"' "the opener's command line"
    assert_probe "$PROBE_LOG" cwd "$(winpath "$E2E_TMP/listed")"
}

test_folder_item_without_opener_starts_the_file() {
    copy_probe listed
    use_probe_log plain
    started item folder-item "$(winpath "$E2E_TMP/listed")\\u005c" '' probe.exe
    assert_probe "$PROBE_LOG" exe "$PROBE_COPY"
    assert_probe "$PROBE_LOG" argc 1
}
