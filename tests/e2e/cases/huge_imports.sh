# Huge imports into the configuration editor: an Internet shortcut of 50 MB whose address line has no end
# is read in bounded steps and answers at once.

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
