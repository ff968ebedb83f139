# The menu file stays the user's: a label the reader could not take is never saved, a second editor of the
# same file through another path brings the first one back, and a file that another program rewrote while
# the editor was open is not written over unasked, and a log-off waits for "Save Changes?" while the
# editor has unsaved changes. Proved by the saved bytes and by the windows on screen.
#
# Wine findings:
# - The driver's set-text (WM_SETTEXT) is not bound by the field's typing limit (EM_LIMITTEXT binds the
#   user's typing and pasting only), so it can hand the editor a label longer than the user could type.
# - A folder reached through a Unix symbolic link gives the same volume serial number and file index
#   (GetFileInformationByHandle) as the folder itself.

# check_only NAME PATH: /M on the menu file must end by itself, with no "Error in menu file" box.
check_only() {
    vorlix "$1" /M "$(winpath "$2")"
    assert_exit "$1" 0
}

test_a_label_the_reader_cannot_take_is_refused_and_the_file_still_opens() {
    printf 'A=a.exe\r\n' >"$E2E_TMP/m.lst"
    open_editor ed "$E2E_TMP/m.lst"
    local long fits
    long=$(printf 'L%.0s' {1..1100})
    fits=$(printf 'F%.0s' {1..1022})
    ed set-text --id 14 "$long" >/dev/null
    ed set-text --id 16 notepad.exe >/dev/null
    send_keys ALT+O
    await 14 "the label field focused after the refused Ok" focus_of
    assert_eq enabled "$(enabled_of 26)" "Ok: still in edit mode"
    ed set-text --id 14 "$fits" >/dev/null
    send_keys ALT+O
    await disabled "Ok after the label fits" enabled_of 26
    send_keys ALT+A
    await disabled "Apply after saving" enabled_of 30
    printf '%s=notepad.exe\r\n' "$fits" >"$E2E_TMP/expected.lst"
    assert_bytes "$E2E_TMP/m.lst" "$E2E_TMP/expected.lst"
    quit_editor ed
    check_only check "$E2E_TMP/m.lst"
    open_editor again "$E2E_TMP/m.lst"
    await "$fits" "the row after opening again" rows_csv
    quit_editor again
}

test_a_second_editor_through_a_linked_folder_brings_the_first_back() {
    mkdir -p "$E2E_TMP/real"
    ln -s "$E2E_TMP/real" "$E2E_TMP/linked"
    printf 'A=a.exe\r\n' >"$E2E_TMP/real/m.lst"
    open_editor first "$E2E_TMP/real/m.lst"
    vorlix second /S "$(winpath "$E2E_TMP/linked/m.lst")"
    assert_exit second 0
    window_exists --title "Vorlix - $(winpath "$E2E_TMP/linked/m.lst")" && fail "a second editor opened"
    vorlix third /S "\\\\?\\$(winpath "$E2E_TMP/real/m.lst")"
    assert_exit third 0
    assert_eq 1 "$(driver list | grep -c 'Vorlix - .*m\.lst')" "editor windows of the menu"
    await "enabled foreground" "the first editor in front" driver window-state --title "$EDITOR_TITLE"
    quit_editor first
}

test_a_file_rewritten_from_outside_is_not_written_over_unasked() {
    printf 'A=a.exe\r\n' >"$E2E_TMP/m.lst"
    open_editor ed "$E2E_TMP/m.lst"
    printf 'B=theirs.exe\r\n' >"$E2E_TMP/m.lst"
    send_keys ALT+S # Close, nothing changed in the editor
    assert_exit ed 0
    printf 'B=theirs.exe\r\n' >"$E2E_TMP/expected.lst"
    assert_bytes "$E2E_TMP/m.lst" "$E2E_TMP/expected.lst"

    open_editor again "$E2E_TMP/m.lst"
    printf 'C=later.exe\r\n' >"$E2E_TMP/m.lst"
    send_keys ALT+E # a separator: a change of the editor's own
    await enabled "Apply after the change" enabled_of 30
    local question="Another program has changed the menu file since it was opened:"$'\r'"$(winpath "$E2E_TMP/m.lst")"$'\r'"Replace it with this menu?"
    local answer expected
    for answer in No Yes; do
        send_keys ALT+A
        wait_message_box Confirm >/dev/null
        assert_eq "$question" "$(message_box_text Confirm)" "the question"
        click_button "$answer" --class '#32770' --title Confirm
        wait_gone --class '#32770' --title Confirm >/dev/null
        expected='C=later.exe\r\n'
        [[ $answer == Yes ]] && expected='B=theirs.exe\r\n-=\r\n'
        await "$([[ $answer == Yes ]] && echo disabled || echo enabled)" "Apply after $answer" enabled_of 30
        printf "$expected" >"$E2E_TMP/expected.lst"
        assert_bytes "$E2E_TMP/m.lst" "$E2E_TMP/expected.lst"
    done
    quit_editor again
}

test_a_log_off_with_unsaved_changes_waits_for_the_question() {
    printf 'A=a.exe\r\n' >"$E2E_TMP/m.lst"
    open_editor ed "$E2E_TMP/m.lst"
    assert_eq yes "$(ed end-session)" "the session may end: nothing unsaved"
    window_exists --title "$EDITOR_TITLE" || fail "a question alone closed the editor"
    ed control-click --id 7 >/dev/null # Separator: one unsaved change
    await enabled "Apply after the change" enabled_of 30
    assert_eq no "$(ed end-session)" "the session with an unsaved change"
    wait_message_box Confirm >/dev/null
    assert_eq "Save Changes?" "$(message_box_text Confirm)" "the question"
    click_button Yes --class '#32770' --title Confirm
    assert_exit ed 0
    assert_eq "A=a.exe,-=" "$(tr -d '\r' <"$E2E_TMP/m.lst" | paste -sd, -)" "the saved file"
}
