# Hostile input: menu files that are devices, damaged icon files, expansions past the system's limit and
# commands longer than Windows accepts. A crash fails every test here even with exit code 0: run.sh reads
# Wine's crash report in the programs' output.
#
# Wine defects these cases stay clear of: ShellExecuteW overflows a stack buffer in Wine's shell for a file
# or address of about 1,000 characters or more, so commands here are either short or beyond what Windows
# accepts (refused before the shell is asked). A truncated program or library crashes Wine's icon reader:
# Vorlix checks their structure first.

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

test_truncated_libraries_as_icon_sources_have_no_icons() {
    # Half of Wine's shell32.dll (its resources lie in the half cut off) and the first kilobyte of a library
    # with nine icons (a copy of Vorlix.exe), as an interrupted copy leaves them.
    local shell32="$WINEPREFIX/drive_c/windows/system32/shell32.dll" folder
    head -c $(($(stat -c %s "$shell32") / 2)) "$shell32" >"$E2E_TMP/half.dll"
    head -c 1024 "$VORLIX_EXE" >"$E2E_TMP/kilobyte.dll"
    folder=$(winpath "$E2E_TMP")
    write_menu "$E2E_TMP/menu.lst" <<MENU
Half=notepad.exe;;;;$folder\\half.dll,3
Kilobyte=notepad.exe;;;;$folder\\kilobyte.dll
Whole=notepad.exe;;;;%SystemRoot%\\system32\\shell32.dll,3
MENU
    echo "case popup"
    vorlix popup "$(winpath "$E2E_TMP/menu.lst")" /I /N
    driver wait-window --timeout 10000 --class '#32768' >/dev/null || fail "no popup within 10 s"
    send_keys ESCAPE
    assert_exit popup 0 10
    echo "case the editor on each entry, and the half library browsed in Icon Selection"
    open_editor ed "$E2E_TMP/menu.lst"
    ed row-click --id 3 1 >/dev/null
    await 1 "the second entry selected" ed selected-row --id 3
    ed control-click --id 15 >/dev/null
    wait_window --title "Icon Selection" >/dev/null
    driver control-click --title "Icon Selection" --id 42 >/dev/null || fail "cannot click Browse"
    wait_window --class '#32770' --title 'Icon File' >/dev/null
    driver set-text --class '#32770' --title 'Icon File' --id 1148 "$folder\\half.dll" || fail "cannot type the file"
    click_button Open --class '#32770' --title 'Icon File'
    # Wine's file dialog returns about 2 s after it is hidden; the icons are read right after.
    driver wait-gone --all --timeout 10000 --class '#32770' --title 'Icon File' || fail "the Icon File dialog stays"
    await "" "no icons offered" driver rows --title "Icon Selection" --id 41
    driver control-click --title "Icon Selection" --id 45 >/dev/null || fail "cannot click Cancel"
    wait_gone --title "Icon Selection"
    quit_editor ed
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
