# "Stay on top" of the configuration editor: the toggle "T" (control 9) must change the window's real
# state, its WS_EX_TOPMOST extended style, not only the toggle's look.

# on_top_state: "checked topmost", "unchecked not topmost", ... of the toggle and of the window.
on_top_state() {
    local _toggle _window
    _toggle=$(driver control-state --title "$EDITOR_TITLE" --id 9 | tr -d '\r' | cut -d' ' -f3) || return 1
    _window=$(driver topmost --title "$EDITOR_TITLE" | tr -d '\r') || return 1
    printf '%s %s' "$_toggle" "$_window"
}

# click_toggle: a real mouse click in the middle of the toggle.
click_toggle() {
    local _r
    read -r -a _r <<<"$(ed rect --id 9)"
    driver mouse-click $(((_r[0] + _r[2]) / 2)) $(((_r[1] + _r[3]) / 2)) >/dev/null || fail "cannot click the toggle"
}

test_stay_on_top_makes_the_window_topmost() {
    write_menu "$E2E_TMP/m.lst" <<<'A=a.exe'
    open_editor ed "$E2E_TMP/m.lst"
    await "unchecked not topmost" "at the start" on_top_state
    local row way expected
    for row in "ALT+T:checked topmost" "click:unchecked not topmost" "mouse:checked topmost" \
        "mouse:unchecked not topmost" "click:checked topmost" "ALT+T:unchecked not topmost"; do
        way=${row%%:*} expected=${row#*:}
        echo "-- $way"
        case $way in
        click) ed control-click --id 9 >/dev/null ;;
        mouse) click_toggle ;;
        *) send_keys "$way" ;;
        esac
        await "$expected" "after $way" on_top_state
    done
    quit_editor ed
}
