# The editor's window kit under the real window system: a dialog window's shape, a panel that Tab and
# Shift+Tab move into and out of, fonts, list rows written and read back (5,000 at once), tooltips, and
# which keys and changes become events (the harness types at itself and checks each step).

CONTROLS_HARNESS="$E2E_BUILD/tests/e2e/ui/controls_harness.exe"

test_controls_tab_rows_and_events() {
    [[ -f "$CONTROLS_HARNESS" ]] || fail "controls_harness.exe is missing"
    local out
    out=$(spawned_stdout controls)
    spawn controls "$CONTROLS_HARNESS"
    assert_exit controls 0 60
    cat "$out"
    assert_not_contains "$(cat "$out")" "FAIL" "self-checks"
    assert_eq 29 "$(grep -c '^check .* ok' "$out")" "number of passed self-checks"
    wait_line_start "$out" done
}
