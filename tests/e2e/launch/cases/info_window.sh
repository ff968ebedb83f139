# The info window under the real window system: its geometry, the links drawn blue and red under the
# mouse with the hand cursor and narrowed to their text, and closing at a click, a key or a frame click.

LAUNCH_HARNESS="$E2E_BUILD/tests/e2e/launch/launch_harness.exe"

# info_open NAME [OPTION]: starts the harness's info window and waits until it has reported its geometry.
info_open() {
    [[ -f "$LAUNCH_HARNESS" ]] || fail "launch_harness.exe is missing"
    INFO_OUT=$(spawned_stdout "$1")
    spawn "$1" "$LAUNCH_HARNESS" info ${2:+"$2"}
    wait_window --class VorlixWindow >/dev/null
    wait_line "$INFO_OUT" ready
}

# info_closes NAME: the window goes away and showInfo returns.
info_closes() {
    wait_gone --class VorlixWindow --all
    assert_exit "$1" 0
    assert_contains "$(cat "$INFO_OUT")" "closed window-gone"
}

test_geometry_and_link_colours() {
    info_open geometry
    local l t r b cl ct cr cb ol ot or ob
    read -r ol ot or ob <<<"$(rect_of "$(<"$INFO_OUT")" owner)"
    read -r l t r b <<<"$(rect_of "$(<"$INFO_OUT")" info)"
    read -r cl ct cr cb <<<"$(rect_of "$(<"$INFO_OUT")" client)"
    assert_eq "300 135" "$((cr - cl)) $((cb - ct))" "client size"
    assert_eq "$(((ol + or - (r - l)) / 2)) $(((ot + ob - (b - t)) / 2))" "$l $t" "position (centred on the owner)"
    assert_contains "$(cat "$INFO_OUT")" "frame no-caption sizing popup"
    assert_contains "$(cat "$INFO_OUT")" "owned yes"
    assert_contains "$(cat "$INFO_OUT")" "link1-idle 0000ff"
    local k ll lt lr lb
    for k in link1 link2; do
        read -r ll lt lr lb <<<"$(rect_of "$(<"$INFO_OUT")" $k)"
        assert_eq "65" "$((ll - cl))" "$k left edge in the client area"
        ((lr - ll > 20 && lr - ll < 300)) || fail "$k is $((lr - ll)) pixels wide: not narrowed to its text"
    done
    # Over the web link: red, hand cursor.
    read -r ll lt lr lb <<<"$(rect_of "$(<"$INFO_OUT")" link1)"
    driver mouse-move $(((ll + lr) / 2)) $(((lt + lb) / 2)) || fail "cannot move the mouse"
    wait_line_start "$INFO_OUT" link1-hover
    assert_contains "$(cat "$INFO_OUT")" "link1-hover ff0000 hand"
    send_keys ESCAPE
    info_closes geometry
}

test_closes_at_a_click_beside_a_link_a_key_or_the_frame() {
    # Rows: name | how. Without a window manager Wine keeps the sizing frame off the screen, so the press
    # on the frame is posted by the harness; the close request comes as the window manager's WM_CLOSE.
    local rows=("click beside the web link|beside" "key|key" "frame|frame" "client area|client" "close request|close")
    local row name how l t r b ll lt lr lb
    for row in "${rows[@]}"; do
        IFS='|' read -r name how <<<"$row"
        echo "case $name"
        if [[ $how == frame ]]; then info_open "info-$how" --post-frame-click; else info_open "info-$how"; fi
        read -r l t r b <<<"$(rect_of "$(<"$INFO_OUT")" info)"
        read -r ll lt lr lb <<<"$(rect_of "$(<"$INFO_OUT")" link1)"
        case $how in
        beside) driver mouse-click $((lr + 20)) $(((lt + lb) / 2)) ;;
        key) send_keys A ;;
        frame) ;;
        close) driver close --class VorlixWindow || fail "cannot post WM_CLOSE" ;;
        client) driver mouse-click $((l + 20)) $((b - 10)) ;;
        esac
        info_closes "info-$how"
    done
}

# A link opens its address when the button is released on it, not when it is pressed. Whatever the prefix
# registers for "https" opens it: the probe for this test, Wine's own browser put back after it.
HTTPS_COMMAND_KEY='HKCR\https\shell\open\command'
HTTPS_SAVED=
restore_https() {
    if [[ -n "$HTTPS_SAVED" ]]; then
        wine reg add "$HTTPS_COMMAND_KEY" /ve /d "$HTTPS_SAVED" /f >/dev/null 2>&1
    else
        wine reg delete "$HTTPS_COMMAND_KEY" /ve /f >/dev/null 2>&1
    fi
    return 0
}

test_a_link_opens_its_address_when_the_button_is_released_on_it() {
    copy_probe browser
    use_probe_log browser
    HTTPS_SAVED=$(wine reg query "$HTTPS_COMMAND_KEY" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
    trap restore_https EXIT
    wine reg add "$HTTPS_COMMAND_KEY" /ve /d "\"$PROBE_COPY\" \"%1\"" /f >/dev/null 2>&1 ||
        fail "cannot register the probe for https"
    info_open link
    local ll lt lr lb
    read -r ll lt lr lb <<<"$(rect_of "$(<"$INFO_OUT")" link1)"
    driver mouse-move $(((ll + lr) / 2)) $(((lt + lb) / 2)) || fail "cannot move the mouse"
    driver mouse-down || fail "cannot press the button"
    sleep 0.5
    window_exists --class VorlixWindow || fail "the press alone closed the info window"
    [[ -e "$PROBE_LOG" ]] && fail "the press alone opened the address"
    driver mouse-up || fail "cannot release the button"
    info_closes link
    wait_file "$PROBE_LOG"
    assert_probe "$PROBE_LOG" argv1 "https://www.vorlix.org/"
}
