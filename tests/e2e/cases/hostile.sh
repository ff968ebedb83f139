# Hostile input: menu files that are devices, damaged icon files, expansions past the system's limit and
# commands longer than Windows accepts. A crash fails every test here even with exit code 0: run.sh reads
# Wine's crash report in the programs' output.
#
# Wine defects these cases stay clear of: a damaged program or library named as an icon source cannot be
# checked cheaply and may still crash Wine's icon reader; ShellExecuteW overflows a stack buffer in Wine's
# shell for a file or address of about 1,000 characters or more, so commands here are either short or
# beyond what Windows accepts (refused before the shell is asked).

# valid_menu PATH: a menu with one item, for a start that must work.
valid_menu() { printf 'Notepad=notepad.exe\r\n' >"$1"; }

test_menu_files_that_are_devices_end_the_start_at_once() {
    valid_menu "$E2E_TMP/valid.lst"
    # Rows: name | menu path. Each gets the substitute menu of an unreadable file within seconds.
    local rows=(
        "port in a folder|$(winpath "$E2E_TMP")\\COM1.lst"
        "character device|Z:\\dev\\zero"
        "device namespace|\\\\.\\NUL"
    )
    local row name menu
    for row in "${rows[@]}"; do
        IFS='|' read -r name menu <<<"$row"
        echo "case $name"
        vorlix device "$menu"
        driver wait-window --timeout 10000 --class '#32768' >/dev/null || fail "$name: no substitute menu within 10 s"
        send_keys ESCAPE
        assert_exit device 0 10
        vorlix after "$(winpath "$E2E_TMP/valid.lst")" /M
        assert_exit after 0 10
    done
}

test_damaged_icon_files_do_not_crash_icon_menus() {
    # A directory claiming 65,535 icons in a six-byte file, and a real icon cut off inside its image.
    printf '\x00\x00\x01\x00\xff\xff' >"$E2E_TMP/claims.ico"
    head -c 100 "$E2E_REPO/src/resources/icons/vorlix.ico" >"$E2E_TMP/cut.ico"
    cp "$E2E_REPO/src/resources/icons/vorlix.ico" "$E2E_TMP/good.ico"
    local folder
    folder=$(winpath "$E2E_TMP")
    write_menu "$E2E_TMP/menu.lst" <<MENU
Claims=notepad.exe;;;;$folder\\claims.ico
Cut=notepad.exe;;;;$folder\\cut.ico,0
Good=notepad.exe;;;;$folder\\good.ico
Claims as command=$folder\\claims.ico
Cut as command=$folder\\cut.ico
MENU
    # Rows: name | switches
    local rows=("check only|/I /M" "alternative look|/IS /M")
    local row name switches
    for row in "${rows[@]}"; do
        IFS='|' read -r name switches <<<"$row"
        echo "case $name"
        # shellcheck disable=SC2086 # the switches are two words
        vorlix "check" "$(winpath "$E2E_TMP/menu.lst")" $switches
        assert_exit check 0 10
    done
    echo "case popup shown"
    vorlix shown "$(winpath "$E2E_TMP/menu.lst")" /I /N
    driver wait-window --timeout 10000 --class '#32768' >/dev/null || fail "no popup within 10 s"
    send_keys ESCAPE
    assert_exit shown 0 10
}

test_expansion_past_the_systems_limit_keeps_the_text_as_written() {
    copy_probe tools
    use_probe_log past-limit
    # Expanded, the command would be 40,000 characters; refused, its "%" pairs go and the probe is left.
    HALF=$(printf 'x%.0s' {1..20000})
    export HALF
    printf 'Probe=%%HALF%%%%HALF%%%s;ok\r\n' "$PROBE_COPY" >"$E2E_TMP/menu.lst"
    driver mouse-move 300 200 >/dev/null || fail "cannot move the mouse"
    vorlix long "$(winpath "$E2E_TMP/menu.lst")" /N
    driver wait-window --timeout 10000 --class '#32768' >/dev/null || fail "no popup within 10 s"
    send_keys DOWN RETURN
    wait_file "$PROBE_LOG" 10
    assert_probe "$PROBE_LOG" exe "$PROBE_COPY"
    assert_probe "$PROBE_LOG" argv1 ok
    assert_exit long 0 10
}

test_commands_longer_than_windows_starts_get_the_cannot_open_prompt() {
    local long
    long=$(printf 'a%.0s' {1..33000})
    # Rows: name | command of 33,000 characters and more, past the 32,767 that Windows starts
    local rows=("file|C:\\$long.exe" "address|https://example.com/?q=$long")
    local row name command
    for row in "${rows[@]}"; do
        IFS='|' read -r name command <<<"$row"
        echo "case $name"
        printf 'Long=%s\r\n' "$command" >"$E2E_TMP/menu.lst"
        driver mouse-move 300 200 >/dev/null || fail "cannot move the mouse"
        vorlix "$name" "$(winpath "$E2E_TMP/menu.lst")" /N
        driver wait-window --timeout 10000 --class '#32768' >/dev/null || fail "$name: no popup within 10 s"
        send_keys DOWN RETURN
        wait_message_box Error >/dev/null
        assert_eq "Cannot open [Long]"$'\r'"Enter configuration?" "$(message_box_text Error)" "prompt of $name"
        click_button No --class '#32770' --title Error
        assert_exit "$name" 0 10
    done
}
