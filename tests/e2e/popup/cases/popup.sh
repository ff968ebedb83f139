# The popup under the real window system, driven by keys: identifiers past 16 bits, dismissal, folder
# submenus listed on every opening, a lone "files" line shown as the popup, and the owner-drawn icon menus.
#
# Wine finding: Wine's menus copy their whole item array on every insert, so a folder listing grows
# quadratically under Wine: a lone "files" line on 3,000 files showed in 0.4 s, on 10,000 in 1.9 s, on
# 30,000 in 20 s. Time big listings on Windows, not here.

POPUP_HARNESS="$E2E_BUILD/tests/e2e/popup/popup_harness.exe"

# popup_start NAME MENUFILE [OPTIONS...]: starts the harness with the mouse at (300, 200) and waits for
# its popup.
popup_start() {
    [[ -f "$POPUP_HARNESS" ]] || fail "popup_harness.exe is missing"
    local _name=$1
    shift
    driver mouse-move 300 200 || fail "cannot move the mouse"
    spawn "$_name" "$POPUP_HARNESS" "$(winpath "$1")" "${@:2}"
    wait_window --class '#32768'
}

# popup_result NAME: what the harness printed after the popup closed.
popup_result() {
    assert_exit "$1" 0
    spawned_output "$1"
}

test_choice_beyond_sixteen_bits() {
    # 700 submenus of 99 items: identifiers up to 69999, whose low 16 bits (4463) name another entry.
    awk 'BEGIN { id = 0; for (g = 0; g < 700; g++) { print "G" g "/=submenu"; id++;
                 for (k = 0; k < 99; k++) { print "G" g "/E" id "=cmd.exe"; id++ } } }' | write_menu big.lst
    popup_start big big.lst
    send_keys UP RIGHT
    popup_levels 2
    send_keys UP RETURN
    assert_eq $'chosen 69999 entry G699/E69999\nloop-ended 1' "$(popup_result big)"
}

test_dismissal_is_no_choice() {
    printf 'A=cmd.exe\nB=cmd.exe\n' | write_menu menu.lst
    popup_start dismiss menu.lst
    send_keys DOWN ESCAPE
    assert_eq $'dismissed\nloop-ended 1' "$(popup_result dismiss)"
}

test_folder_submenus_are_listed_on_every_opening() {
    mkdir -p docs logs
    touch docs/b.txt docs/A.txt docs/notes.log logs/x.log
    mkdir docs/folder.txt
    { echo "A=cmd.exe"; echo "Docs=files;*.txt;$(winpath docs)"; echo "Logs=files;*.log;$(winpath logs)"; } |
        write_menu menu.lst
    popup_start folders menu.lst
    send_keys DOWN DOWN RIGHT
    popup_levels 2
    touch docs/zz.txt # appears when Docs opens again
    send_keys LEFT
    popup_levels 1
    send_keys DOWN RIGHT
    popup_levels 2
    send_keys LEFT
    popup_levels 1
    send_keys UP RIGHT
    popup_levels 2
    # Docs now lists A.txt, b.txt, zz.txt: the last one is firstFolderItemId 3 + position 2.
    send_keys UP RETURN
    assert_eq $'chosen 5 file zz.txt\nloop-ended 1' "$(popup_result folders)"
}

test_single_files_line_is_the_popup() {
    mkdir -p docs
    touch docs/b.txt docs/a.txt
    echo "Docs=files;*.txt /noext;$(winpath docs)" | write_menu menu.lst
    popup_start single menu.lst
    send_keys DOWN DOWN RETURN
    assert_eq $'chosen 2 file b.txt\nloop-ended 1' "$(popup_result single)"
}

test_icon_menus_choose_like_plain_ones() {
    printf 'A=cmd.exe\n-=\nNote=rem\nTools/=submenu\nTools/x=cmd.exe\nB=%s\nAnd &Key=cmd.exe\n' \
        "C:\\windows\\notepad.exe" | write_menu menu.lst
    # Rows: harness options | keys | expected result. The greyed remark cannot be chosen; "&" marks the
    # access key in drawn items as in plain ones.
    local rows=(
        "|UP UP RETURN|chosen 5 entry B"
        "icons|UP UP RETURN|chosen 5 entry B"
        "alt|UP UP RETURN|chosen 5 entry B"
        "alt|UP UP UP RIGHT RETURN|chosen 4 entry Tools/x"
        "icons|DOWN DOWN RETURN ESCAPE|dismissed"
        "|K|chosen 6 entry And &Key"
        "icons|K|chosen 6 entry And &Key"
        "alt|K|chosen 6 entry And &Key"
    )
    local row options keys expected n=0
    for row in "${rows[@]}"; do
        IFS='|' read -r options keys expected <<<"$row"
        n=$((n + 1))
        echo "case $options: $keys"
        # shellcheck disable=SC2086 # options and keys are word lists
        popup_start "look$n" menu.lst $options
        local key
        for key in $keys; do
            send_keys "$key"
            [[ $key == RIGHT ]] && popup_levels 2
        done
        assert_eq "$expected"$'\nloop-ended 1' "$(popup_result "look$n")" "result of $options: $keys"
        wait_gone --class '#32768'
    done
}

test_items_of_one_source_draw_one_icon() {
    # Items of a source that an earlier item named copy that item's icon when they are first drawn; they
    # must show the same pixels. A and C name one icon of a library, B another; D and E ask the shell
    # about one program (under Wine its icon looks like the library's A). Items are as high as each other; the menu's frame is 3 pixels and the icon sits
    # 2 pixels into its item, centred in height.
    local library='%SystemRoot%\system32\shell32.dll' notepad='C:\windows\notepad.exe'
    printf 'A=cmd.exe;;;;%s,3\nB=cmd.exe;;;;%s,4\nC=cmd.exe;;;;%s,3\nD=%s\nE=%s\n' \
        "$library" "$library" "$library" "$notepad" "$notepad" | write_menu menu.lst
    local options left top right bottom height k
    for options in icons alt; do
        popup_start "alike-$options" menu.lst "$options"
        read -r left top right bottom <<<"$(driver rect --class '#32768')" || fail "no popup rectangle"
        height=$(((bottom - top - 6) / 5))
        local boxes=()
        # The popup may still be painting: read until two readings agree and every item shows an icon.
        local previous="" attempt
        for attempt in $(seq 1 50); do
            boxes=()
            for k in 0 1 2 3 4; do
                boxes+=("$(driver pixels $((left + 5)) $((top + 3 + k * height + (height - 16) / 2)) 16 16)")
            done
            [[ "${boxes[*]}" != *uniform* && "${boxes[*]}" == "$previous" ]] && break
            previous="${boxes[*]}"
            sleep 0.1
        done
        echo "$options: popup $left $top $right $bottom, icon boxes ${boxes[*]}"
        [[ "${boxes[*]}" != *uniform* ]] || fail "$options: an item shows no icon"
        assert_eq "${boxes[0]}" "${boxes[2]}" "$options: C draws A's icon"
        assert_eq "${boxes[3]}" "${boxes[4]}" "$options: E draws D's icon"
        [[ "${boxes[1]}" != "${boxes[0]}" ]] || fail "$options: B shows A's pixels"
        send_keys ESCAPE
        assert_eq $'dismissed\nloop-ended 1' "$(popup_result "alike-$options")"
        wait_gone --class '#32768'
    done
}

# A screen reader's proxy reads an owner-drawn item from its string and from the record its data points
# to (signature and text, "&" included). Wine's own accessibility layer has no menu support, so the items
# are read the way that proxy reads them, inside the harness's process. Separators stay separators; a
# folder listing is a plain menu, whose items the system reads by itself.
test_drawn_items_carry_their_text_for_screen_readers() {
    mkdir -p docs
    touch docs/a.txt
    { echo "&Notes=cmd.exe"; echo "-=rem"; echo "Tools/&Calc=cmd.exe"; echo "Docs=files;*.txt;$(winpath docs)"; } |
        write_menu menu.lst
    local options expected
    for options in icons alt; do
        popup_start "items-$options" menu.lst "$options" items
        send_keys DOWN DOWN RIGHT
        popup_levels 2
        send_keys LEFT DOWN RIGHT
        popup_levels 2
        send_keys ESCAPE ESCAPE
        expected=$'menu\nitem drawn string=&Notes msaa=&Notes\nitem drawn-separator string= msaa='
        expected+=$'\nitem drawn string=Tools msaa=Tools\nitem drawn string=Docs msaa=Docs'
        expected+=$'\nmenu\nitem drawn string=&Calc msaa=&Calc'
        expected+=$'\nmenu\nitem plain string=a.txt msaa=none\ndismissed\nloop-ended 1'
        assert_eq "$expected" "$(popup_result "items-$options")" "items of the $options look"
        wait_gone --class '#32768'
    done
}
