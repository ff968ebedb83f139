# The configuration editor from the outside: the window of `Vorlix.exe /S menu`, its rows and the enabling
# of its buttons, typing a new entry, saving in the file's own encoding, removing, quitting and closing,
# test launches, a save that fails, a read-only file, and the other ways into the editor.
#
# Controls are found by their number (driver.exe's control-* commands); list rows are compared joined with
# "," (the labels in these menus have no comma).
#
# Wine findings:
# - A file opened by another process without sharing makes the save fail (the replacing rename is refused),
#   which is how a failed save is made here: the tests run as root, and a folder without write permission
#   does not refuse root.
# - A menu file without write permission is read-only to Wine's file attributes, as on a Windows file with
#   the read-only attribute.

# new_entry LABEL COMMAND [PARAMETERS]: Alt+N, then the fields typed as WM_SETTEXT (an edit reports that as
# a change, as for typing). Leaves the editor in edit mode.
new_entry() {
    send_keys ALT+N
    await enabled "Ok after Alt+N" enabled_of 26
    ed set-text --id 14 "$1" >/dev/null
    ed set-text --id 16 "$2" >/dev/null
    [[ -n "${3:-}" ]] && ed set-text --id 18 "$3" >/dev/null
    return 0
}

# do_actions ACTION...: ROW:N clicks row N of the list, CLICK:N clicks control N, NEW:LABEL makes a new
# entry LABEL=LABEL.exe, anything else is a key chord.
do_actions() {
    local _a
    for _a in "$@"; do
        case $_a in
        ROW:*) ed row-click --id 3 "${_a#ROW:}" >/dev/null ;;
        CLICK:*) ed control-click --id "${_a#CLICK:}" >/dev/null ;;
        CTRLDOWN) driver key-down CTRL || fail "cannot hold Ctrl" ;;
        CTRLUP) driver key-up CTRL || fail "cannot release Ctrl" ;;
        NEW:*) new_entry "${_a#NEW:}" "${_a#NEW:}.exe" ;;
        *) send_keys "$_a" ;;
        esac
    done
}

test_editor_shows_the_menu_with_list_mode_enabling() {
    printf '  Notepad  =notepad.exe\r\n-=\r\nRegistry=regedit.exe\r\n|=\r\nLast one=x.exe;;;max\r\n' >"$E2E_TMP/m.lst"
    open_editor ed "$E2E_TMP/m.lst"
    assert_eq 700x345 "$(ed client-size)" "client area"
    assert_eq "Notepad,-,Registry,|,Last one" "$(rows_csv)" "rows"
    column_fills_list "a short list"
    assert_eq "" "$(ed control-text --id 24)" "Read Only note of a writable file"
    # Rows: control number | text ("&" removed, as the user sees it) | enabled or disabled
    local rows=(
        "6|New Item|enabled" "7|Separator|enabled" "8|Remove|enabled" "9|T|enabled" "10|?|enabled"
        "26|Ok|disabled" "27|Cancel|" "28|Close|enabled" "29|Quit|enabled" "30|Apply|disabled"
    )
    local row id text enabled
    for row in "${rows[@]}"; do
        IFS='|' read -r id text enabled <<<"$row"
        echo "case control $id"
        local shown
        shown=$(ed control-text --id "$id")
        assert_eq "$text" "${shown//&/}" "text of control $id"
        assert_eq visible "$(visible_of "$id")" "control $id shown"
        [[ -n "$enabled" ]] && assert_eq "$enabled" "$(enabled_of "$id")" "control $id enabled"
    done
    # The Explorer boxes belong to explorer.exe entries only.
    assert_eq hidden "$(visible_of 19)" "split window box"
    assert_eq hidden "$(visible_of 20)" "as root box"
    quit_editor ed
    # A list longer than the window has a scroll bar, and the column is narrower by its width.
    for ((n = 0; n < 60; n++)); do printf 'Item %d=x.exe\r\n' "$n"; done >"$E2E_TMP/long.lst"
    open_editor long "$E2E_TMP/long.lst"
    column_fills_list "a long list"
    ed row-click --id 3 2 >/dev/null
    await 2 "the clicked row" ed selected-row --id 3
    column_fills_list "a long list after a click"
    quit_editor long
}

# column_fills_list WHAT: the list's one column is exactly as wide as the list's client area.
column_fills_list() {
    local widths
    read -r -a widths <<<"$(ed column-fit --id 3)"
    echo "case $1: column and list ${widths[*]}"
    ((${#widths[@]} == 2 && widths[0] == widths[1] && widths[1] > 150)) ||
        fail "$1: the column is not as wide as the list (column, list: ${widths[*]})"
}

# Rows: name | form (utf8bom utf8 utf16bom ansi) | source (printf, UTF-8) | key that ends editing | expected
save_rows=(
    "UTF-8 with a mark, Alt+O|utf8bom|\xEF\xBB\xBFAlpha=a.exe;;;\r\n|ALT+O|\xEF\xBB\xBFAlpha=a.exe\r\nBeta=b.exe;p q\r\n"
    "UTF-8 without a mark, Enter|utf8|Caf\xC3\xA9=a.exe\r\n|RETURN|Caf\xC3\xA9=a.exe\r\nBeta=b.exe;p q\r\n"
    "UTF-16 with a mark, Alt+O|utf16bom|\xEF\xBB\xBFAlpha=a.exe\r\n|ALT+O|\xEF\xBB\xBFAlpha=a.exe\r\nBeta=b.exe;p q\r\n"
    "ANSI (code page 1252), Enter|ansi|Caf\xE9=a.exe\r\n|RETURN|Caf\xE9=a.exe\r\nBeta=b.exe;p q\r\n"
)

test_new_entry_applied_is_saved_in_the_files_encoding() {
    local row name form source key expected n=0 first codePage
    codePage=$(wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP 2>/dev/null |
        tr -d '\r' | awk '$1 == "ACP" { print $3 }')
    for row in "${save_rows[@]}"; do
        IFS='|' read -r name form source key expected <<<"$row"
        echo "case $name"
        if [[ $form == ansi && $codePage != 1252 ]]; then
            echo "  not run: the ANSI code page is $codePage, the bytes are for 1252"
            continue
        fi
        n=$((n + 1))
        local menu="$E2E_TMP/m$n.lst"
        if [[ $form == utf16bom ]]; then
            printf %b "$source" | iconv -f UTF-8 -t UTF-16LE >"$menu"
            printf %b "$expected" | iconv -f UTF-8 -t UTF-16LE >"$menu.expected"
        else
            printf %b "$source" >"$menu"
            printf %b "$expected" >"$menu.expected"
        fi
        open_editor "ed$n" "$menu"
        first=$(rows_csv)
        ed row-click --id 3 0 >/dev/null
        new_entry Beta b.exe "p q"
        send_keys "$key"
        await disabled "$name: Ok after $key" enabled_of 26
        await "$first,Beta" "$name: rows" rows_csv
        assert_eq enabled "$(enabled_of 30)" "$name: Apply with a change"
        send_keys ALT+A
        await disabled "$name: Apply after saving" enabled_of 30
        assert_bytes "$menu" "$menu.expected"
        quit_editor "ed$n"
    done
}

test_ok_keeps_and_cancel_drops_a_new_entry() {
    # Rows: name | key | rows afterwards | Apply afterwards
    # Dropping the new entry is a change too (the list was touched), so Apply is enabled either way.
    local rows=("Alt+O keeps it|ALT+O|A,X|enabled" "Alt+C drops it|ALT+C|A|enabled"
        "the Cancel button drops it|CLICK:27|A|enabled")
    local row name key after apply n=0
    for row in "${rows[@]}"; do
        IFS='|' read -r name key after apply <<<"$row"
        echo "case $name"
        n=$((n + 1))
        printf 'A=a.exe\r\n' >"$E2E_TMP/m$n.lst"
        open_editor "ed$n" "$E2E_TMP/m$n.lst"
        ed row-click --id 3 0 >/dev/null
        new_entry X x.exe
        do_actions "$key"
        await disabled "$name: Ok" enabled_of 26
        await "$after" "$name: rows" rows_csv
        assert_eq "$apply" "$(enabled_of 30)" "$name: Apply"
        quit_editor "ed$n"
        assert_eq "A=a.exe" "$(tr -d '\r' <"$E2E_TMP/m$n.lst")" "$name: the file without Apply"
    done
}

test_remove_asks_unless_the_entry_is_a_separator_or_new() {
    # Rows (";" between fields, since "|" is a row): name ; actions ; expected prompt ("" = none) ; answer ;
    # rows afterwards
    local rows=(
        "Delete, Cancel keeps it;ROW:1 DELETE;Remove B ?;Cancel;A,B,-,|,C"
        "Alt+R, OK removes it;ROW:1 ALT+R;Remove B ?;OK;A,-,|,C"
        "the Remove button;ROW:0 CLICK:8;Remove A ?;OK;B,-,|,C"
        "a separator goes at once;ROW:2 DELETE;;;A,B,|,C"
        "a column break goes at once;ROW:3 ALT+R;;;A,B,-,C"
        "a new entry goes at once;ROW:4 NEW:N ALT+R;;;A,B,-,|,C"
    )
    local row name actions prompt answer after n=0
    for row in "${rows[@]}"; do
        IFS=';' read -r name actions prompt answer after <<<"$row"
        echo "case $name"
        n=$((n + 1))
        printf 'A=a.exe\r\nB=b.exe\r\n-=\r\n|=\r\nC=c.exe\r\n' >"$E2E_TMP/m$n.lst"
        open_editor "ed$n" "$E2E_TMP/m$n.lst"
        # shellcheck disable=SC2086 # a list of actions
        do_actions $actions
        if [[ -n "$prompt" ]]; then
            wait_message_box Confirm >/dev/null
            assert_eq "$prompt" "$(message_box_text Confirm)" "$name: prompt"
            click_button "$answer" --class '#32770' --title Confirm
            wait_gone --class '#32770' --title Confirm --all
        fi
        await "$after" "$name: rows" rows_csv
        window_exists --class '#32770' && fail "$name: a message box is on screen"
        quit_editor "ed$n"
    done
}

test_quit_loses_changes_without_asking() {
    # Rows: name | how to quit
    local rows=("Alt+Q|ALT+Q" "the Quit button|CLICK:29")
    local row name how n=0
    for row in "${rows[@]}"; do
        IFS='|' read -r name how <<<"$row"
        echo "case $name"
        n=$((n + 1))
        printf 'A=a.exe\r\n-=\r\n' >"$E2E_TMP/m$n.lst"
        cp "$E2E_TMP/m$n.lst" "$E2E_TMP/m$n.before"
        open_editor "ed$n" "$E2E_TMP/m$n.lst"
        do_actions ROW:1 DELETE
        await A "$name: rows" rows_csv
        await enabled "$name: Apply" enabled_of 30
        do_actions "$how"
        assert_exit "ed$n" 0
        window_exists --class '#32770' && fail "$name: a message box is on screen"
        assert_bytes "$E2E_TMP/m$n.lst" "$E2E_TMP/m$n.before"
    done
}

test_closing_with_changes_asks_to_save() {
    # Rows: name | how to close (CLOSE: the close box, as WM_CLOSE) | answer | the file afterwards
    local rows=(
        "close box, Yes saves|CLOSE|Yes|A=a.exe,B=b.exe"
        "close box, No keeps the file|CLOSE|No|A=a.exe,-=,B=b.exe"
        "Escape on the list, Yes saves|ESCAPE|Yes|A=a.exe,B=b.exe"
    )
    local row name how answer after n=0
    for row in "${rows[@]}"; do
        IFS='|' read -r name how answer after <<<"$row"
        echo "case $name"
        n=$((n + 1))
        printf 'A=a.exe\r\n-=\r\nB=b.exe\r\n' >"$E2E_TMP/m$n.lst"
        open_editor "ed$n" "$E2E_TMP/m$n.lst"
        do_actions ROW:1 DELETE
        await A,B "$name: rows" rows_csv
        if [[ $how == CLOSE ]]; then ed close >/dev/null; else send_keys "$how"; fi
        wait_message_box Confirm >/dev/null
        assert_eq "Save Changes?" "$(message_box_text Confirm)" "$name: prompt"
        click_button "$answer" --class '#32770' --title Confirm
        assert_exit "ed$n" 0
        assert_eq "$after" "$(tr -d '\r' <"$E2E_TMP/m$n.lst" | paste -sd, -)" "$name: the file"
        [[ $answer == Yes ]] && assert_eq 2 "$(grep -c $'\r$' "$E2E_TMP/m$n.lst")" "$name: CR LF line ends"
    done
}

test_close_saves_and_escape_first_returns_to_the_list() {
    printf 'A=a.exe\r\n-=\r\n' >"$E2E_TMP/m.lst"
    open_editor ed "$E2E_TMP/m.lst"
    ed row-click --id 3 0 >/dev/null
    await 3 "focus after a click on the list" focus_of
    # Shortcuts that move the focus. Rows: key | control that has the focus then
    local rows=("F2|14" "ALT+M|23")
    local row key id
    for row in "${rows[@]}"; do
        IFS='|' read -r key id <<<"$row"
        echo "case $key"
        send_keys "$key"
        await "$id" "focus after $key" focus_of
    done
    # Without changes, Escape goes back to the list first and then closes without asking.
    send_keys ESCAPE
    await 3 "focus after the first Escape" focus_of
    window_exists --title "$EDITOR_TITLE" || fail "the first Escape closed the editor"
    send_keys ESCAPE
    assert_exit ed 0
    window_exists --class '#32770' && fail "a message box is on screen"

    # Alt+S saves and closes without asking.
    open_editor ed2 "$E2E_TMP/m.lst"
    do_actions ROW:1 DELETE
    await A "rows" rows_csv
    send_keys ALT+S
    assert_exit ed2 0
    assert_eq "A=a.exe"$'\r' "$(cat "$E2E_TMP/m.lst")" "the file after Alt+S"
}

test_separators_and_moves() {
    # Each row starts on "A,B,C" with B selected. Rows (";" between fields, since "|" is a row): name ;
    # actions ; rows ; selected row afterwards ("" = any)
    local rows=(
        "Alt+Down;ALT+DOWN;A,C,B;2"
        "Ctrl+Up;CTRL+UP;B,A,C;0"
        "the move-up button;CLICK:4;B,A,C;0"
        "the move-down button;CLICK:5;A,C,B;2"
        "Alt+E adds a separator;ALT+E;A,B,-,C;"
        "the Separator button;CLICK:7;A,B,-,C;"
        "the Separator button with Ctrl held adds a column break;CTRLDOWN CLICK:7 CTRLUP;A,B,|,C;"
    )
    local row name actions after selected n=0
    for row in "${rows[@]}"; do
        IFS=';' read -r name actions after selected <<<"$row"
        echo "case $name"
        n=$((n + 1))
        printf 'A=a.exe\r\nB=b.exe\r\nC=c.exe\r\n' >"$E2E_TMP/m$n.lst"
        open_editor "ed$n" "$E2E_TMP/m$n.lst"
        # shellcheck disable=SC2086 # a list of actions
        do_actions ROW:1 $actions
        await "$after" "$name: rows" rows_csv
        [[ -n "$selected" ]] && assert_eq "$selected" "$(ed selected-row --id 3)" "$name: selected row"
        assert_eq enabled "$(enabled_of 30)" "$name: Apply"
        quit_editor "ed$n"
    done
}

test_explorer_boxes_and_run_mode_of_a_new_entry() {
    printf 'A=a.exe\r\n' >"$E2E_TMP/m.lst"
    open_editor ed "$E2E_TMP/m.lst"
    ed row-click --id 3 0 >/dev/null
    new_entry X x.exe
    # Rows: command typed | the two Explorer boxes
    local rows=("explorer.exe|visible" "notepad.exe|hidden" "C:\\windows\\explorer.exe|hidden" "explorer.exe|visible")
    local row command shown
    for row in "${rows[@]}"; do
        IFS='|' read -r command shown <<<"$row"
        echo "case $command"
        # Into the command field, so that leaving it applies the command. F2 is handled after the keys
        # already queued behind it, so the Tabs wait for it.
        send_keys F2
        await 14 "focus in the label field" focus_of
        send_keys TAB TAB
        await 16 "focus in the command field" focus_of
        ed set-text --id 16 "$command" >/dev/null
        send_keys TAB
        await "$shown" "split window box for $command" visible_of 19
        assert_eq "$shown" "$(visible_of 20)" "as root box for $command"
    done
    ed set-text --id 16 x.exe >/dev/null
    assert_eq 0 "$(ed combo-selection --id 23)" "run mode of a new entry"
    send_keys ALT+M
    await 23 "focus after Alt+M" focus_of
    send_keys DOWN DOWN
    await 2 "run mode after two downs" driver combo-selection --title "$EDITOR_TITLE" --id 23
    assert_eq maximized "$(ed control-text --id 23)" "run mode shown"
    send_keys ALT+O
    await A,X "rows" rows_csv
    send_keys ALT+A
    await disabled "Apply after saving" enabled_of 30
    assert_eq "A=a.exe,X=x.exe;;;max" "$(tr -d '\r' <"$E2E_TMP/m.lst" | paste -sd, -)" "the file"
    quit_editor ed
}

test_double_click_and_enter_test_launch_the_entry() {
    copy_probe tools
    printf 'One=%s;first\r\nTwo=%s;second\r\n' "$PROBE_COPY" "$PROBE_COPY" >"$E2E_TMP/m.lst"
    cp "$E2E_TMP/m.lst" "$E2E_TMP/m.before"
    use_probe_log launch # before the start: the probes inherit the editor's environment
    open_editor ed "$E2E_TMP/m.lst"
    # Rows: name | how | argv1 the probe gets
    local rows=("double click|DOUBLE:0|first" "Enter on the list|ROW:1 RETURN|second")
    local row name how argv1
    for row in "${rows[@]}"; do
        IFS='|' read -r name how argv1 <<<"$row"
        echo "case $name"
        rm -f "$PROBE_LOG"
        if [[ $how == DOUBLE:* ]]; then
            ed row-click --id 3 "${how#DOUBLE:}" --double >/dev/null
        else
            # shellcheck disable=SC2086 # a list of actions
            do_actions $how
        fi
        wait_file "$PROBE_LOG"
        assert_probe "$PROBE_LOG" argv1 "$argv1"
        window_exists --title "$EDITOR_TITLE" || fail "$name: the editor closed"
        assert_eq disabled "$(enabled_of 30)" "$name: Apply (a launch is no change)"
    done
    quit_editor ed
    assert_bytes "$E2E_TMP/m.lst" "$E2E_TMP/m.before"
}

test_failed_save_keeps_the_editor_and_what_was_typed() {
    # Rows: name | key that saves
    local rows=("Apply|ALT+A" "Close|ALT+S")
    local row name key n=0 path
    for row in "${rows[@]}"; do
        IFS='|' read -r name key <<<"$row"
        echo "case $name"
        n=$((n + 1))
        local menu="$E2E_TMP/m$n.lst"
        printf 'A=a.exe\r\n' >"$menu"
        path=$(winpath "$menu")
        open_editor "ed$n" "$menu"
        ed row-click --id 3 0 >/dev/null
        new_entry Kept k.exe
        send_keys ALT+O
        await A,Kept "$name: rows" rows_csv
        spawn "holder$n" "$DRIVER_EXE" hold-file "$path" --timeout 120000
        wait_line "$(spawned_stdout "holder$n")" held
        send_keys "$key"
        wait_message_box Vorlix >/dev/null
        assert_eq "Cannot save menu file:"$'\r'"$path" "$(message_box_text Vorlix)" "$name: message"
        click_button OK --class '#32770' --title Vorlix
        wait_gone --class '#32770' --title Vorlix --all
        running "ed$n" || fail "$name: the editor ended after a failed save"
        assert_eq A,Kept "$(rows_csv)" "$name: rows after the failed save"
        assert_eq enabled "$(enabled_of 30)" "$name: Apply after the failed save"
        assert_eq "A=a.exe" "$(tr -d '\r' <"$menu")" "$name: the file after the failed save"
        kill -KILL "$(spawned_pid "holder$n")"
        wait_exit "holder$n"
        send_keys "$key"
        [[ $key == ALT+S ]] && assert_exit "ed$n" 0
        [[ $key == ALT+A ]] && await disabled "$name: Apply after saving" enabled_of 30
        assert_eq "A=a.exe,Kept=k.exe" "$(tr -d '\r' <"$menu" | paste -sd, -)" "$name: the file saved at last"
        running "ed$n" && quit_editor "ed$n"
    done
    return 0
}

test_read_only_menu_says_so_and_cannot_be_saved() {
    printf 'A=a.exe\r\n-=\r\n' >"$E2E_TMP/m.lst"
    chmod a-w "$E2E_TMP/m.lst"
    cp "$E2E_TMP/m.lst" "$E2E_TMP/m.before"
    open_editor ed "$E2E_TMP/m.lst"
    assert_eq "Read Only" "$(ed control-text --id 24)" "the note"
    assert_eq disabled "$(enabled_of 28)" "Close"
    assert_eq disabled "$(enabled_of 30)" "Apply"
    do_actions ROW:1 DELETE
    await A "rows" rows_csv
    assert_eq disabled "$(enabled_of 30)" "Apply with a change"
    assert_eq disabled "$(enabled_of 28)" "Close with a change"
    quit_editor ed
    assert_bytes "$E2E_TMP/m.lst" "$E2E_TMP/m.before"
}

test_dropped_file_on_the_list_becomes_an_entry() {
    copy_probe tools
    printf 'A=a.exe\r\n' >"$E2E_TMP/m.lst"
    open_editor ed "$E2E_TMP/m.lst"
    ed drop --id 3 "$PROBE_COPY" >/dev/null
    local deadline=$((SECONDS + E2E_EXIT_S))
    until [[ ",$(rows_csv)," == *,probe,* ]]; do
        ((SECONDS >= deadline)) && fail "no row \"probe\" after the drop; rows: $(rows_csv)"
        sleep 0.1
    done
    assert_eq 2 "$(driver rows --title "$EDITOR_TITLE" --id 3 | wc -l)" "rows after the drop"
    assert_eq enabled "$(enabled_of 30)" "Apply after the drop"
    quit_editor ed
}

test_editor_opens_from_the_popup_the_prompt_and_a_missing_menu() {
    printf 'A=C:\\no\\such\\program.exe\r\n' >"$E2E_TMP/menu.lst"
    # Rows: name | menu | what the user does (BUTTON waits for the configuration button, YES answers the
    # "Cannot open" prompt) | rows of the editor
    local rows=(
        "the configuration button|menu.lst|ESCAPE BUTTON RETURN|A"
        "Cannot open, Yes|menu.lst|DOWN RETURN YES|A"
        "Create new menu of a missing menu|missing.lst|DOWN DOWN RETURN|"
    )
    local row name menu actions expected n=0 action
    for row in "${rows[@]}"; do
        IFS='|' read -r name menu actions expected <<<"$row"
        echo "case $name"
        n=$((n + 1))
        driver mouse-move 300 200 >/dev/null
        vorlix "v$n" "$(winpath "$E2E_TMP/$menu")"
        wait_window --class '#32768' >/dev/null
        for action in $actions; do
            case $action in
            BUTTON) wait_window --title 'Vorlix - ' >/dev/null ;;
            YES)
                wait_message_box Error >/dev/null
                click_button Yes --class '#32770' --title Error
                ;;
            *) send_keys "$action" ;;
            esac
        done
        EDITOR_TITLE="Vorlix - $(winpath "$E2E_TMP/$menu")"
        wait_window --title "$EDITOR_TITLE" >/dev/null
        await "$expected" "$name: rows" rows_csv
        ed close >/dev/null
        assert_exit "v$n" 0
    done
}
