# Huge imports into the configuration editor: an Internet shortcut of 50 MB whose address line has no end
# is read in bounded steps and answers at once; a drop of many files on the list is one change of the
# window (bench/drop_timing.sh times 2,000 against a bare list view).

# ms_since START: milliseconds since START (date +%s%N).
ms_since() { echo $((($(date +%s%N) - $1) / 1000000)); }

test_a_huge_internet_shortcut_answers_within_a_second() {
    write_menu "$E2E_TMP/m.lst" <<<'A=a.exe'
    { printf '[InternetShortcut]\r\nURL=http://'; head -c 50000000 /dev/zero | tr '\0' 'a'; } >"$E2E_TMP/huge.url"
    { printf '[InternetShortcut]\r\n'; head -c 50000000 /dev/zero | tr '\0' 'x'; printf '\r\nURL=http://after.example/\r\n'; } >"$E2E_TMP/long-line.url"
    printf '[InternetShortcut]\r\nURL=http://small.example/\r\n' >"$E2E_TMP/small.url"
    open_editor ed "$E2E_TMP/m.lst"
    # Rows: file | the command it gives. Each time includes the driver's own starts under Wine, so a huge
    # file is held to the small one's time plus a second.
    local row name expected start took small=
    for row in "small.url|http://small.example/" "huge.url|" "long-line.url|http://after.example/"; do
        IFS='|' read -r name expected <<<"$row"
        echo "-- $name"
        ed set-text --id 16 old >/dev/null
        start=$(date +%s%N)
        ed drop --id 16 "$(winpath "$E2E_TMP/$name")" >/dev/null
        await "$expected" "$name: the command field" ed control-text --id 16
        took=$(ms_since "$start")
        echo "   answered in $took ms"
        [[ -n "$small" ]] || small=$took
        ((took < small + 1000)) || fail "$name: the command field answered after $took ms (a small one: $small ms)"
    done
    # Cancel drops the edited fields; Quit is for the list.
    await "enabled foreground" "the editor in front after the drops" ed window-state
    send_keys ALT+C
    await disabled "Ok after Alt+C" enabled_of 26
    quit_editor ed
}

test_a_big_drop_on_the_list_is_one_change_of_the_window() {
    write_menu "$E2E_TMP/m.lst" <<<'A=a.exe'
    mkdir -p "$E2E_TMP/files"
    local folder i
    folder=$(winpath "$E2E_TMP/files")
    for ((i = 0; i < 500; i++)); do
        : >"$E2E_TMP/files/f$i.txt"
        echo "$folder\\f$i.txt"
    done >"$E2E_TMP/dropped.txt"
    open_editor ed "$E2E_TMP/m.lst"
    local out ms rows
    # The driver waits until the window is visible again with every row, and says how long that took.
    out=$(ed drop --id 3 --timeout 60000 --from "$(winpath "$E2E_TMP/dropped.txt")" --rows 501)
    ms=${out#ms }
    ms=${ms%.*}
    echo "500 files on screen $ms ms after the drop"
    # File by file, drawing every change, this took about 27 s; now about 0.6 s, 1.2 s on a busy machine.
    ((ms < 5000)) || fail "500 dropped files took $ms ms"
    rows=$(rows_csv)
    assert_eq "A,f0,f1,f2" "$(cut -d, -f1-4 <<<"$rows")" "the first rows"
    assert_eq "f499" "${rows##*,}" "the last row"
    await disabled "Ok after the drop (list mode)" enabled_of 26
    await "enabled foreground" "the editor in front after the drop" ed window-state
    quit_editor ed
}

# A menu file of 100 MB (seven million entries) is more than anything read whole: it counts as a file that
# cannot be read, so /M ends at once instead of building a menu of millions of items, and the editor shows
# it read-only and leaves every byte of it.
test_a_menu_file_of_100_mb_is_not_read_and_never_written() {
    local menu="$E2E_TMP/huge.lst" sum
    yes 'Entry=C:\Apps\a.exe;-x' | sed 's/$/\r/' | head -c 100000000 >"$menu"
    sum=$(md5sum <"$menu")
    vorlix check /M "$(winpath "$menu")"
    assert_exit check 0
    open_editor ed "$menu"
    assert_eq "Read Only" "$(ed control-text --id 24)" "the note"
    quit_editor ed
    assert_eq "$sum" "$(md5sum <"$menu")" "the menu file's bytes"
}
