# The window and event layer under the real window system: the main window's shape and label colour,
# keyboard shortcuts, label clicks and close requests arriving as events, the menu notices of a popup,
# and the queue's time-outs, timers, posted events and draining (self-checks of the harness).

UI_HARNESS="$E2E_BUILD/tests/e2e/ui/ui_harness.exe"
UI_TITLE="Vorlix UI harness"

# ui_start NAME [OPTION]: starts the harness, waits until its window is shown, and fails on a self-check.
ui_start() {
    [[ -f "$UI_HARNESS" ]] || fail "ui_harness.exe is missing"
    UI_OUT=$(spawned_stdout "$1")
    spawn "$1" "$UI_HARNESS" events ${2:+"$2"}
    wait_line_start "$UI_OUT" ready
    assert_not_contains "$(cat "$UI_OUT")" "FAIL" "self-checks"
    local _checks
    _checks=$(grep -c '^check .* ok' "$UI_OUT")
    assert_eq 11 "$_checks" "number of passed self-checks"
}

test_shortcuts_label_click_and_close_arrive_as_events() {
    ui_start events
    local l t r b
    read -r l t r b <<<"$(rect_of "$(<"$UI_OUT")" label)"

    # Rows: what to do | the line it must produce
    local rows=(
        "keys RETURN|event menu 1 shortcut"
        "keys ESCAPE|event menu 2 shortcut"
        "mouse-click $(((l + r) / 2)) $(((t + b) / 2))|event control 100 click"
        "close --class VorlixWindow|event close"
    )
    local row action line
    for row in "${rows[@]}"; do
        IFS='|' read -r action line <<<"$row"
        echo "case $action"
        # shellcheck disable=SC2086 # the action is a word list
        driver $action || fail "driver $action failed"
        wait_line_start "$UI_OUT" "$line"
    done
    assert_exit events 0
    assert_contains "$(cat "$UI_OUT")" "gone"
}

# The window procedure tells the menu notice hook of a tracked menu opening, of a submenu opening with
# its position, and of the menu loop's end, before the tracking call returns the choice.
test_menu_notices_reach_the_hook() {
    ui_start notices
    send_keys F2
    popup_levels 1
    wait_line_start "$UI_OUT" "notice opening root"
    send_keys DOWN RIGHT
    popup_levels 2
    wait_line_start "$UI_OUT" "notice opening submenu 0"
    send_keys RETURN
    wait_line_start "$UI_OUT" "tracked 7"
    assert_eq "notice opening root|notice opening submenu 0|notice loop-ended|tracked 7" \
        "$(grep -E '^(notice|tracked)' "$UI_OUT" | paste -sd'|')" "the notices in order"
    driver close --title "$UI_TITLE" || fail "cannot close"
    wait_line_start "$UI_OUT" "event close"
    assert_exit notices 0
}
