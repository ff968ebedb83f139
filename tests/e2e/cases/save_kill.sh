# Killing the real Vorlix.exe while its configuration editor saves a large menu (Apply), at many moments:
# the menu file is never lost and never torn.
#
# Each round opens `Vorlix.exe /S` on a 40,000-entry menu (3 MB) whose first row is a separator, removes
# that row (Delete) and presses Alt+A. save_watch.py watches the menu's folder with inotify from before the
# key press, kills the process (SIGKILL) at the chosen moment, counted from the save's first sign, and
# fails on every event that would expose a torn or lost menu on the way: the menu file deleted, renamed
# away or written into (it may change only by the rename of a whole new file onto it). After the kill the
# file must be the whole old or the whole new bytes. A kill landed in the middle of a save when it left the
# save's temporary behind (or, written in place, a file that is neither old nor new); a run where fewer than
# a third of the kills did so proves too little and fails.
#
# A file with several names (a hard link) is written where it is, so that all its names stay one file.
# That is not atomic, and the hard-link rounds check what it does guarantee: the names stay one file (one
# inode), the file never disappears, and a kill leaves the new bytes up to the point that the save reached,
# followed by the old bytes from there on; the next save writes it whole.
#
# Wine findings:
# - The save of 3 MB takes about 6 ms from the temporary's creation to the rename, of which about 5 ms is
#   the flush (FlushFileBuffers is an fsync); the writes of 64 KB each take about 1 ms in all. Rounds are
#   therefore timed from inotify events, not from the key press (which takes a driver start, 100+ ms).
# - A killed process's handles are closed by the wineserver; what it wrote stays in the page cache. A kill
#   tests the order of the steps; the flush before the rename (a power cut) is proved by the unit tests.

SAVE_WATCH="$E2E_DIR/writer/save_watch.py"
# big_menu PATH ENTRIES: the old bytes (a separator first, so that Delete removes it without asking) and, in
# PATH.new, the bytes that the save writes.
big_menu() {
    awk -v n="$2" 'BEGIN {
        for (i = 1; i <= n; i++)
            printf "Item %06d=C:\\Program Files\\Tool %06d\\tool.exe;--option %06d;C:\\Work\\%06d\r\n", i, i, i, i
    }' >"$1.new"
    { printf -- '-=\r\n' && cat "$1.new"; } >"$1.old"
    cp "$1.old" "$1"
}

# kill_rounds MENU ROUNDS SPAN_MS [--in-place]: runs the rounds; sets MID_SAVE to the number of kills that
# landed in the middle of a save. Round i kills i/ROUNDS of SPAN_MS after the save began, the rounds
# shuffled, so that the moments cover the save and a little after it.
kill_rounds() {
    local menu=$1 rounds=$2 span=$3 inPlace=${4:-} i how report temps order
    local inode
    inode=$(stat -c %i "$menu")
    MID_SAVE=0
    order=$(seq 1 "$rounds" | shuf | paste -sd' ')
    for i in $order; do
        # The same file again (cat keeps the inode, and so the hard link), with nothing of the last round.
        cat "$menu.old" >"$menu"
        rm -f "$menu".~vorlix* "$E2E_TMP/ready"
        how=$(awk -v i="$i" -v n="$rounds" -v span="$span" 'BEGIN { printf "%.2f", span * (i - 1) / (n - 1) }')
        open_editor "r$i" "$menu"
        await 0 "round $i: the first row selected" ed selected-row --id 3
        # shellcheck disable=SC2086 # inPlace is an option or nothing
        python3 "$SAVE_WATCH" "$(spawned_pid "r$i")" "$menu" "$menu.old" "$menu.new" "$E2E_TMP/ready" "$how" \
            $inPlace >"$E2E_TMP/watch" &
        local watcher=$!
        wait_file "$E2E_TMP/ready"
        send_keys DELETE ALT+A
        wait "$watcher"
        local code=$?
        report=$(cat "$E2E_TMP/watch")
        echo "round $i ($how ms): $report"
        ((code == 0)) || fail "round $i ($how ms): $report"
        wait_exit "r$i"
        [[ -f "$menu" ]] || fail "round $i ($how): the menu file is gone"
        temps=$(compgen -G "$menu.~vorlix*" || true)
        if cmp -s "$menu" "$menu.old" || cmp -s "$menu" "$menu.new"; then
            [[ -n "$temps" ]] && MID_SAVE=$((MID_SAVE + 1))
        elif [[ -n "$inPlace" ]]; then
            # save_watch.py has checked the shape: new bytes, then old ones.
            MID_SAVE=$((MID_SAVE + 1))
        else
            cp "$menu" "$menu.broken"
            fail "round $i ($how): the menu file is neither the old nor the new one (kept as $menu.broken)"
        fi
        [[ -z "$inPlace" || "$(stat -c %i "$menu")" == "$inode" ]] || fail "round $i: the file was replaced"
    done
    echo "$rounds kills, $MID_SAVE of them in the middle of a save"
    ((MID_SAVE * 3 >= rounds)) || fail "only $MID_SAVE of $rounds kills landed in a save: the test proved too little"
    return 0
}

test_a_kill_during_a_save_leaves_the_old_or_the_new_file() {
    command -v python3 >/dev/null || fail "python3 is needed for the kill test (scripts/setup.sh installs it)"
    local menu="$E2E_TMP/menus/big.lst"
    mkdir -p "$E2E_TMP/menus"
    big_menu "$menu" 40000
    kill_rounds "$menu" "${SAVE_KILL_ROUNDS:-24}" 8
}

test_a_kill_during_an_in_place_save_of_a_hard_link() {
    command -v python3 >/dev/null || fail "python3 is needed for the kill test (scripts/setup.sh installs it)"
    local menu="$E2E_TMP/menus/big.lst"
    mkdir -p "$E2E_TMP/menus"
    big_menu "$menu" "${SAVE_KILL_HARD_ENTRIES:-80000}"
    ln "$menu" "$E2E_TMP/other-name.lst"
    kill_rounds "$menu" "${SAVE_KILL_HARD_ROUNDS:-8}" 0.6 --in-place
    [[ "$(stat -c %i "$menu")" == "$(stat -c %i "$E2E_TMP/other-name.lst")" ]] || fail "the hard link was broken"

    # The next save writes it whole.
    cat "$menu.old" >"$menu"
    open_editor last "$menu"
    await 0 "the first row selected" ed selected-row --id 3
    send_keys DELETE ALT+A
    await disabled "Apply after saving" enabled_of 30
    assert_bytes "$E2E_TMP/other-name.lst" "$menu.new"
    quit_editor last
}
