# Start-up: a menu file with a syntax error, the single-instance rule and the check-only switch /M.

# Broken menu files and the line that the message must name (blank lines are not counted).
# Rows: name | file content (printf format) | expected line number
syntax_error_rows=(
    "blank-line-skipped|A=notepad.exe\r\n\r\nB\r\n|2"
    "no-equals-first|just a word\r\n|1"
    "tab-only-line|A=notepad.exe\r\n\t\r\n|2"
    "empty-definition|A=notepad.exe\r\nB=\r\n|2"
    "definition-starts-with-semicolon|Tools/-=\r\nA=notepad.exe\r\nB=;x\r\n|3"
)

test_syntax_error_shows_message_and_ok_ends_with_0() {
    local row name content line menu text
    for row in "${syntax_error_rows[@]}"; do
        IFS='|' read -r name content line <<<"$row"
        echo "case $name"
        menu="$E2E_TMP/$name.lst"
        printf "$content" >"$menu"
        vorlix "$name" "$(winpath "$menu")"
        wait_message_box Vorlix >/dev/null
        text=$(message_box_text Vorlix)
        assert_eq "Error in menu file, line $line"$'\r'"$(winpath "$menu")" "$text" "message of $name"
        click_button OK --class '#32770' --title Vorlix
        assert_exit "$name" 0
        wait_gone --class '#32770' --title Vorlix --all
    done
}

test_second_start_while_main_window_exists_ends_at_once() {
    local menu="$E2E_TMP/broken.lst"
    printf 'no equals sign\r\n' >"$menu"
    # The first instance waits on its error box; its hidden main window "Vorlix - " owns the box.
    vorlix first "$(winpath "$menu")"
    wait_message_box Vorlix >/dev/null
    window_exists --all --title 'Vorlix - ' || fail "the hidden main window \"Vorlix - \" is missing"

    # Same broken file: a second instance that ran on would show a second box and never end by itself.
    vorlix second "$(winpath "$menu")"
    assert_exit second 0
    local boxes
    boxes=$(driver list | grep -c '"#32770" "Vorlix"')
    assert_eq 1 "$boxes" "number of error boxes on screen"

    click_button OK --class '#32770' --title Vorlix
    assert_exit first 0
}

test_check_only_ends_with_0_without_showing_anything() {
    local menus="$E2E_TMP/menus"
    mkdir -p "$menus"
    write_menu "$menus/valid.lst" <<'MENU'
Notepad=notepad.exe
-=
Tools/Registry=regedit.exe
Tools/Remark=rem nothing to see
Files=files;*.txt;C:\windows
MENU
    : >"$menus/empty.lst"
    # Rows: name | arguments (the menu path is Windows-style, relative to the test's folder)
    local rows=(
        "valid|/M|valid.lst"
        "lower-case-switch|/m|valid.lst"
        "switch-after-file||valid.lst|/M"
        "missing-file|/M|does-not-exist.lst"
        "empty-file|/M|empty.lst"
    )
    local row name before file after args
    for row in "${rows[@]}"; do
        IFS='|' read -r name before file after <<<"$row"
        echo "case $name"
        args=()
        [[ -n "$before" ]] && args+=("$before")
        args+=("$(winpath "$menus")\\$file")
        [[ -n "$after" ]] && args+=("$after")
        vorlix "$name" "${args[@]}"
        assert_exit "$name" 0
        window_exists --class '#32768' && fail "$name: a popup menu is on screen"
        window_exists --class '#32770' && fail "$name: a message box is on screen"
    done
    return 0
}
