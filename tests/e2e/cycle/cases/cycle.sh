# The popup cycle of Vorlix.exe from the outside: what a chosen item starts, a restart with another menu,
# the substitute menu of a missing menu file, the "Cannot open" prompt, the configuration button, and
# the single-instance rule while the popup or the button is on screen.

WATCH_FOLDER="$E2E_DIR/cycle/watch_folder.py"
STAND_IN="$E2E_BUILD/tests/e2e/cycle/editor_stand_in.exe"

# start_popup NAME MENU [ARGS...]: the mouse at (300, 200), Vorlix with the menu file MENU (a Unix path)
# followed by ARGS, and its popup on screen. Prints nothing.
start_popup() {
    local _name=$1 _menu=$2
    shift 2
    driver mouse-move 300 200 >/dev/null || fail "cannot move the mouse"
    vorlix "$_name" "$(winpath "$_menu")" "$@"
    wait_window --class '#32768' >/dev/null
}

# choose_item N: the N-th selectable item of the open popup (1 = the first), chosen with the keyboard.
choose_item() {
    local _keys=() _i
    for ((_i = 0; _i < $1; _i++)); do _keys+=(DOWN); done
    send_keys "${_keys[@]}" RETURN
}

# popup_handle: the handle of the popup on screen now.
popup_handle() { driver wait-window --class '#32768' | cut -d' ' -f1; }

# wait_new_popup OLD: waits until a popup other than the one with handle OLD is on screen.
wait_new_popup() {
    local _deadline=$((SECONDS + E2E_EXIT_S)) _now
    while :; do
        _now=$(driver wait-window --timeout 200 --class '#32768' 2>/dev/null | cut -d' ' -f1)
        [[ -n "$_now" && "$_now" != "$1" ]] && return 0
        ((SECONDS >= _deadline)) && fail "no new popup appeared (the old one was $1)"
        sleep 0.05
    done
}

# main_window_handle: the handle of the hidden main window "Vorlix - ".
main_window_handle() { driver wait-window --all --title 'Vorlix - ' | cut -d' ' -f1; }

# watch_folder FOLDER LOG: records the files created and deleted in FOLDER (watch_folder.py) until the test
# ends; returns once the watch stands.
watch_folder() {
    rm -f "$2" "$2.ready"
    python3 "$WATCH_FOLDER" "$1" "$2" 150 &
    echo $! >>"$E2E_TMP/.pids"
    wait_file "$2.ready"
}

# now_ms: milliseconds of the Unix clock.
now_ms() { echo $(($(date +%s%N) / 1000000)); }

test_chosen_items_start_the_program_as_the_menu_says() {
    install_vorlix
    copy_probe tools
    mkdir -p "$E2E_TMP/run here" "$E2E_TMP/docs"
    touch "$E2E_TMP/docs/a.txt" "$E2E_TMP/docs/b.txt"
    local tools run docs
    tools=$(winpath "$E2E_TMP/tools")
    run=$(winpath "$E2E_TMP/run here")
    docs=$(winpath "$E2E_TMP/docs")
    write_menu "$E2E_TMP/menu.lst" <<MENU
Plain=$PROBE_COPY;first
Maximised=$PROBE_COPY;second;$run;max
Minimised=$PROBE_COPY;"with space";;min
-=
Docs=files $PROBE_COPY;*.txt;$docs
MENU
    # Rows: name | keys after the popup appears | show | working directory | argv1
    local rows=(
        "plain|DOWN RETURN|1|$tools|first"
        "maximised in a named folder|DOWN DOWN RETURN|3|$run|second"
        "minimised with a quoted argument|DOWN DOWN DOWN RETURN|2|$tools|with space"
        "file of a folder listing|UP RIGHT DOWN RETURN|1|$docs|b.txt"
    )
    local row name keys show cwd argv1 n=0 key
    for row in "${rows[@]}"; do
        IFS='|' read -r name keys show cwd argv1 <<<"$row"
        echo "case $name"
        n=$((n + 1))
        use_probe_log "choice$n"
        start_popup "choice$n" "$E2E_TMP/menu.lst" 'D:\data\x.txt'
        for key in $keys; do
            send_keys "$key"
            [[ $key == RIGHT ]] && popup_levels 2 # the listing opens with its first file selected
        done
        wait_file "$PROBE_LOG"
        assert_exit "choice$n" 0
        assert_probe "$PROBE_LOG" exe "$PROBE_COPY"
        assert_probe "$PROBE_LOG" argv1 "$argv1"
        assert_probe "$PROBE_LOG" show "$show"
        assert_probe "$PROBE_LOG" cwd "$cwd"
        assert_probe "$PROBE_LOG" file 'D:\data\x.txt'
        assert_probe "$PROBE_LOG" dir 'D:\data\'
        assert_probe "$PROBE_LOG" Vdrive "$(winpath "$E2E_TMP/app" | cut -c1-2)"
    done
}

test_vorlix_item_restarts_with_another_menu_in_the_same_process() {
    copy_probe tools
    write_menu "$E2E_TMP/second.lst" <<MENU
From second=$PROBE_COPY;from-second
MENU
    write_menu "$E2E_TMP/first.lst" <<MENU
From first=$PROBE_COPY;from-first
Other menu=vorlix;"$(winpath "$E2E_TMP/second.lst")" /N
MENU
    use_probe_log restart
    start_popup first "$E2E_TMP/first.lst"
    local window popup
    window=$(main_window_handle)
    popup=$(popup_handle)
    choose_item 2
    wait_new_popup "$popup"
    running first || fail "Vorlix ended instead of showing the second menu"
    assert_eq "$window" "$(main_window_handle)" "main window of the second pass"
    choose_item 1
    wait_file "$PROBE_LOG"
    assert_exit first 0
    assert_probe "$PROBE_LOG" argv1 from-second
}

test_missing_menu_offers_to_create_it() {
    mkdir -p "$E2E_TMP/menus"
    local menu="$E2E_TMP/menus/new.lst" log="$E2E_TMP/menus.events"
    watch_folder "$E2E_TMP/menus" "$log"
    # Rows: name | item chosen (2 = "Create new menu", 3 = "Cancel"; the greyed remark is 1)
    local rows=("cancel|3" "the remark does nothing|1" "create new menu|2")
    local row name item n=0
    for row in "${rows[@]}"; do
        IFS='|' read -r name item <<<"$row"
        echo "case $name"
        n=$((n + 1))
        start_popup "missing$n" "$menu"
        choose_item "$item"
        if [[ $name != "create new menu" ]]; then
            [[ $item == 1 ]] && send_keys ESCAPE # the remark leaves the popup open
            assert_exit "missing$n" 0
            [[ -s "$log" ]] && fail "$name: the menu folder was touched: $(cat "$log")"
            continue
        fi
        wait_line "$log" "create new.lst"
        # Once the editor exists, it shows the new file; closing it unchanged deletes the file again.
        local deadline=$((SECONDS + E2E_EXIT_S))
        until grep -qxF "delete new.lst" "$log"; do
            if window_exists --title "Vorlix - $(winpath "$menu")"; then
                [[ -f "$menu" ]] || fail "the editor is open but $menu does not exist"
                driver close --title "Vorlix - $(winpath "$menu")" >/dev/null
            fi
            ((SECONDS >= deadline)) && fail "the empty menu file was not deleted; events: $(cat "$log")"
            sleep 0.05
        done
        assert_exit "missing$n" 0
        [[ -e "$menu" ]] && fail "$menu is still there"
    done
    return 0
}

test_item_that_cannot_be_opened_asks_to_enter_configuration() {
    write_menu "$E2E_TMP/menu.lst" <<'MENU'
Broken item=C:\no\such\program.exe
MENU
    # Rows: name | button
    local rows=("No ends the program|No" "Yes opens the editor|Yes")
    local row name button n=0
    for row in "${rows[@]}"; do
        IFS='|' read -r name button <<<"$row"
        echo "case $name"
        n=$((n + 1))
        start_popup "broken$n" "$E2E_TMP/menu.lst"
        choose_item 1
        wait_message_box Error >/dev/null
        assert_eq "Cannot open [Broken item]"$'\r'"Enter configuration?" "$(message_box_text Error)" "prompt text"
        if [[ $button == Yes ]] && running "broken$n"; then
            click_button Yes --class '#32770' --title Error
            # The editor (when it exists) opens on the menu; closing it unchanged ends the program.
            local deadline=$((SECONDS + E2E_EXIT_S))
            local editor="Vorlix - $(winpath "$E2E_TMP/menu.lst")"
            while running "broken$n"; do
                window_exists --title "$editor" && driver close --title "$editor" >/dev/null
                ((SECONDS >= deadline)) && fail "Vorlix did not end after Yes"
                sleep 0.1
            done
        else
            click_button No --class '#32770' --title Error
        fi
        assert_exit "broken$n" 0
        [[ -s "$E2E_TMP/menu.lst" ]] || fail "the menu file was changed"
    done
}

test_read_only_menu_only_beeps_for_an_item_that_cannot_be_opened() {
    write_menu "$E2E_TMP/menu.lst" <<'MENU'
Broken item=C:\no\such\program.exe
MENU
    chmod a-w "$E2E_TMP/menu.lst"
    start_popup readonly "$E2E_TMP/menu.lst"
    choose_item 1
    # A prompt would keep the program waiting for an answer.
    assert_exit readonly 0 10
    window_exists --class '#32770' && fail "a message box is on screen"
    return 0
}

test_configuration_button_appears_clamped_and_ends_on_escape() {
    write_menu "$E2E_TMP/menu.lst" <<'MENU'
A=C:\no\such\program.exe
MENU
    # The Xvfb screen is 1280 x 1024 and no task bar takes room from it.
    # Rows: name | mouse x y | expected top-left corner of the button
    local rows=(
        "under the mouse|300 200|225 180"
        "top-left corner|5 5|0 0"
        "bottom-right corner|1270 1015|1118 972"
    )
    local row name mouse corner n=0 rect
    for row in "${rows[@]}"; do
        IFS='|' read -r name mouse corner <<<"$row"
        echo "case $name"
        n=$((n + 1))
        # shellcheck disable=SC2086 # two numbers
        driver mouse-move $mouse >/dev/null
        vorlix "button$n" "$(winpath "$E2E_TMP/menu.lst")"
        wait_window --class '#32768' >/dev/null
        send_keys ESCAPE
        rect=$(wait_window --title 'Vorlix - ' | cut -d' ' -f2-)
        assert_eq "$corner" "$(cut -d' ' -f1-2 <<<"$rect")" "top-left corner of the button"
        assert_eq "Vorlix Configuration" "$(window_text --title 'Vorlix - ' --child 100)" "label of the button"
        running "button$n" || fail "the button closed by itself with the mouse over it"
        send_keys ESCAPE
        assert_exit "button$n" 0
    done
}

test_configuration_button_closes_when_the_mouse_leaves_it() {
    write_menu "$E2E_TMP/menu.lst" <<'MENU'
A=C:\no\such\program.exe
MENU
    start_popup leave "$E2E_TMP/menu.lst"
    send_keys ESCAPE
    wait_window --title 'Vorlix - ' >/dev/null
    running leave || fail "the button closed with the mouse over it"
    driver mouse-move 900 700 >/dev/null
    wait_gone --title 'Vorlix - '
    assert_exit leave 0
}

test_configuration_button_at_a_fixed_position_closes_after_the_time_out() {
    write_menu "$E2E_TMP/menu.lst" <<'MENU'
A=C:\no\such\program.exe
MENU
    # Rows: name | /T value. The button closes after the time-out, then the window goes 300 ms later;
    # polling from another process adds a little (Wine's timers are not exact either).
    local rows=("1.5 s|1500" "3 s|3000")
    local row name timeout n=0 shown gone rect took
    for row in "${rows[@]}"; do
        IFS='|' read -r name timeout <<<"$row"
        echo "case $name"
        n=$((n + 1))
        driver mouse-move 450 320 >/dev/null # over the button that will appear at (400, 300)
        vorlix "fixed$n" /P400,300 "/T$timeout" "$(winpath "$E2E_TMP/menu.lst")"
        wait_window --class '#32768' >/dev/null
        send_keys ESCAPE
        rect=$(wait_window --title 'Vorlix - ')
        shown=$(now_ms)
        assert_eq "400 300" "$(cut -d' ' -f2-3 <<<"$rect")" "top-left corner of the button"
        wait_gone --title 'Vorlix - '
        gone=$(now_ms)
        assert_exit "fixed$n" 0
        took=$((gone - shown))
        echo "  on screen for about $took ms"
        ((took >= timeout - 300 && took <= timeout + 2000)) ||
            fail "the button stayed $took ms with /T$timeout"
    done
}

test_second_start_while_popup_or_button_is_on_screen_does_nothing() {
    write_menu "$E2E_TMP/menu.lst" <<'MENU'
A=C:\no\such\program.exe
MENU
    # Rows: name | what the first instance shows when the second starts
    local rows=("popup|popup" "button|button")
    local row name shows n=0 popups
    for row in "${rows[@]}"; do
        IFS='|' read -r name shows <<<"$row"
        echo "case $name"
        n=$((n + 1))
        start_popup "first$n" "$E2E_TMP/menu.lst"
        if [[ $shows == button ]]; then
            send_keys ESCAPE
            wait_window --title 'Vorlix - ' >/dev/null
        fi
        vorlix "second$n" "$(winpath "$E2E_TMP/menu.lst")"
        assert_exit "second$n" 0
        popups=$(driver list | grep -c 'visible "#32768"')
        assert_eq "$([[ $shows == popup ]] && echo 1 || echo 0)" "$popups" "popups on screen"
        running "first$n" || fail "the first instance ended"
        send_keys ESCAPE
        [[ $shows == popup ]] && { wait_window --title 'Vorlix - ' >/dev/null; send_keys ESCAPE; }
        assert_exit "first$n" 0
    done
}

# start_stand_in MENU: a window titled like the editor of MENU (a Unix path) in another instance, minimised;
# it logs to $STAND_IN_LOG. Waits until it is on screen.
start_stand_in() {
    [[ -f "$STAND_IN" ]] || fail "editor_stand_in.exe is missing"
    STAND_IN_LOG="$E2E_TMP/stand-in.log"
    STAND_IN_TITLE="Vorlix - $(winpath "$1")"
    rm -f "$STAND_IN_LOG"
    spawn stand-in "$STAND_IN" "$STAND_IN_TITLE" "$(winpath "$STAND_IN_LOG")"
    wait_line "$STAND_IN_LOG" ready
}

stop_stand_in() {
    driver close --title "$STAND_IN_TITLE" >/dev/null || fail "cannot close the stand-in"
    assert_exit stand-in 0
}

test_editor_of_the_same_menu_in_another_instance_is_brought_forward() {
    write_menu "$E2E_TMP/menu.lst" <<'MENU'
A=C:\no\such\program.exe
MENU
    # Rows: name | menu file | arguments | what the user does once the popup is on screen (keys; BUTTON waits
    # for the configuration button, CLICK clicks where the mouse is) | brought forward
    local rows=(
        "Enter on the button|menu.lst||ESCAPE BUTTON RETURN|yes"
        "a click on the button|menu.lst||ESCAPE BUTTON CLICK|yes"
        "Escape on the button|menu.lst||ESCAPE BUTTON ESCAPE|no"
        "Create new menu of a missing menu|missing.lst||DOWN DOWN RETURN|yes"
        "/S shows no popup|menu.lst|/S||yes"
    )
    local row name menu args actions forward n=0 action
    for row in "${rows[@]}"; do
        IFS='|' read -r name menu args actions forward <<<"$row"
        echo "case $name"
        n=$((n + 1))
        start_stand_in "$E2E_TMP/$menu"
        driver mouse-move 300 200 >/dev/null
        # shellcheck disable=SC2086 # a switch or nothing
        vorlix "editor$n" $args "$(winpath "$E2E_TMP/$menu")"
        [[ -n "$actions" ]] && wait_window --class '#32768' >/dev/null
        for action in $actions; do
            case $action in
            CLICK) driver mouse-click >/dev/null || fail "cannot click" ;;
            BUTTON) wait_window --title 'Vorlix - ' >/dev/null ;;
            *) send_keys "$action" ;;
            esac
        done
        assert_exit "editor$n" 0
        if [[ $forward == yes ]]; then
            wait_line "$STAND_IN_LOG" restored
        else
            grep -qx restored "$STAND_IN_LOG" && fail "$name: the stand-in was brought forward"
        fi
        [[ -e "$E2E_TMP/missing.lst" ]] && fail "$name: a menu file was created although an editor is open"
        stop_stand_in
    done
    return 0
}
