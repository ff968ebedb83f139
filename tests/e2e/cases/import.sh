# Files dropped on the configuration editor, from the outside: shell shortcuts made by make_shortcut.exe
# (IShellLinkW + IPersistFile::Save), Internet shortcuts, folders and plain files dropped on the list and
# on the command field (a real WM_DROPFILES, as a drop from the desktop delivers it), proved by the bytes
# of the saved menu file; and the "Icon Selection" dialog of the icon button.
#
# Wine findings:
# - IShellLinkW::Resolve (SLR_NO_UI, no window) succeeds for a shortcut whose target was deleted and keeps
#   the old path: Wine does not search for moved targets. Windows searches and, finding nothing without a
#   dialog, fails, so the shortcut file itself becomes the command. gone_line accepts exactly these two.
# - A shortcut to "Computer" (an item-id list with no file-system path) gives an empty GetPath, as on
#   Windows: the shortcut stands for itself.
# - A ".pif" file that holds a shell link loads like a ".lnk": the shell reads the content, not the name.
# - In an icon list (LVS_LIST) the bounds of a row reach past its label to the width of its column; a click
#   in that empty part clears the selection. The driver clicks the row's icon instead (row-click --icon).
# - Wine's open-file dialog: a bare file name typed into its name field (1148) is taken in the folder the
#   dialog started in, which is how the start folder is proved; the type box (1136) shows the filter's
#   description.
# - When the icon dialog closes, the editor's activation comes back from X a moment later and moves the
#   focus to the window itself on the way: the focus lands on the icon button again, but a test has to
#   wait for it.
# - `driver activate` (SetForegroundWindow from another process) brings a window in front without a
#   window manager, so a drop can be shown to bring the editor back.

MAKE_SHORTCUT_EXE="$E2E_BUILD/tests/e2e/make_shortcut.exe"

# shortcut LINK TARGET [OPTIONS...]: make_shortcut.exe LINK TARGET ... (Unix paths for LINK; TARGET and the
# options as make_shortcut takes them).
shortcut() {
    local _link=$1
    shift
    wine "$MAKE_SHORTCUT_EXE" "$(winpath "$_link")" "$@" || fail "make_shortcut could not write $_link"
}

# The files that the drops use, under $E2E_TMP/in; sets W_* to the Windows paths that the menu file shows.
make_import_files() {
    local in="$E2E_TMP/in"
    mkdir -p "$in/links" "$in/work" "$in/Plain folder" "$in/gone"
    copy_probe tools
    W_PROBE=$PROBE_COPY
    W_WORK=$(winpath "$in/work")
    W_IN=$(winpath "$in")
    shortcut "$in/links/Run probe.lnk" "$W_PROBE" --args "-x --flag" --dir "$W_WORK"
    cp "$in/links/Run probe.lnk" "$in/links/Old probe.pif"
    shortcut "$in/links/Folder link.lnk" "$W_IN\\Plain folder"
    : >"$in/gone/old.exe"
    shortcut "$in/links/Gone.lnk" "$W_IN\\gone\\old.exe"
    rm -f "$in/gone/old.exe"
    shortcut "$in/links/Computer.lnk" --computer
    printf '[InternetShortcut]\r\nURL=http://upper.example/a\r\nIconIndex=0\r\n' >"$in/links/Upper.url"
    printf '[InternetShortcut]\r\nURL=http://read.example/\r\n' >"$in/links/Read.me.URL"
    printf '[InternetShortcut]\r\nURL= http://blank.example/c\r\n' >"$in/links/Blank.url"
    printf '[InternetShortcut]\r\nurl=http://lower.example/b\r\n' >"$in/links/lower.url"
    printf 'notes\r\n' >"$in/notes.txt"
}

# import_path NAME: the Windows path of a file made by make_import_files (under links/ unless it is the
# plain folder or the plain file).
import_path() {
    case $1 in
    "Plain folder" | notes.txt) winpath "$E2E_TMP/in/$1" ;;
    *) winpath "$E2E_TMP/in/links/$1" ;;
    esac
}

# other_window_in_front: a second editor, on a menu of its own, takes the foreground from the one under
# test; the drop must bring that one back.
other_window_in_front() {
    printf 'Other=other.exe\r\n' >"$E2E_TMP/other.lst"
    local title="Vorlix - $(winpath "$E2E_TMP/other.lst")"
    running other || vorlix other /S "$(winpath "$E2E_TMP/other.lst")"
    wait_window --title "$title" >/dev/null
    driver activate --title "$title" || fail "cannot bring the other editor to the front"
    await "enabled background" "the editor under test behind the other one" ed_window_state
}
ed_window_state() { driver window-state --title "$EDITOR_TITLE"; }

# gone_line LINE: a shortcut whose target was deleted. Windows' Resolve searches for a moved target and,
# finding none without a dialog, fails: the shortcut file itself becomes the command. Wine's Resolve
# succeeds for a deleted target and keeps the old path (no search). Either is what the shell answered;
# the line must be one of the two.
gone_line() {
    local label=$1 saved=$2
    [[ "$saved" == "$label=$W_IN\\gone\\old.exe" || "$saved" == "$label=$(import_path Gone.lnk)" ]] ||
        fail "a shortcut to a deleted target became \"$saved\""
    printf '%s' "$saved"
}

test_files_dropped_on_the_list_become_entries_in_drop_order() {
    make_import_files
    printf 'A=a.exe\r\nB=b.exe\r\n' >"$E2E_TMP/m.lst"
    open_editor ed "$E2E_TMP/m.lst"
    ed row-click --id 3 0 >/dev/null
    await 0 "row A selected" ed selected-row --id 3
    other_window_in_front
    # Rows: file dropped | the line it becomes ("" for the last one, whose entry cannot be stored)
    local rows=(
        "Run probe.lnk|Run probe=$W_PROBE;-x --flag;$W_WORK"
        "Old probe.pif|Old probe=$W_PROBE;-x --flag;$W_WORK"
        "Folder link.lnk|Folder link=$W_IN\\Plain folder"
        "Gone.lnk|Gone=GONE"
        "Computer.lnk|Computer=$(import_path Computer.lnk)"
        "Upper.url|Upper=http://upper.example/a"
        "Read.me.URL|Read.me=http://read.example/"
        "Blank.url|Blank=http://blank.example/c"
        "Plain folder|Plain folder=Explorer.exe;/e,;$W_IN\\Plain folder"
        "notes.txt|notes=$(import_path notes.txt)"
        "lower.url|"
    )
    local row name line paths=() labels=A
    for row in "${rows[@]}"; do
        IFS='|' read -r name line <<<"$row"
        paths+=("$(import_path "$name")")
        labels+=",${line%%=*}"
    done
    ed drop --id 3 "${paths[@]}" >/dev/null
    # The entry of lower.url (no "URL=" line, so no command) stays new and unstored: the editor is in
    # edit mode with the fields of that entry reloaded, its row still empty.
    await "$labels,B" "rows after the drop" rows_csv
    await "enabled foreground" "the editor in front after the drop" ed_window_state
    assert_eq enabled "$(enabled_of 26)" "Ok of the entry that could not be stored"
    assert_eq "" "$(ed control-text --id 16)" "its command"
    send_keys ALT+C
    await "${labels%,},B" "rows after Cancel" rows_csv
    send_keys ALT+A
    await disabled "Apply after saving" enabled_of 30
    local saved expected="A=a.exe"
    saved=$(tr -d '\r' <"$E2E_TMP/m.lst" | grep '^Gone=') || fail "no Gone line in the saved file"
    for row in "${rows[@]}"; do
        IFS='|' read -r name line <<<"$row"
        [[ $line == Gone=GONE ]] && line=$(gone_line Gone "$saved")
        [[ -n "$line" ]] && expected+=$'\r\n'"$line"
    done
    printf '%s\r\nB=b.exe\r\n' "$expected" >"$E2E_TMP/expected.lst"
    assert_bytes "$E2E_TMP/m.lst" "$E2E_TMP/expected.lst"
    quit_editor ed
}

test_first_file_dropped_on_the_command_field_fills_the_fields() {
    make_import_files
    printf 'A=a.exe\r\n' >"$E2E_TMP/m.lst"
    open_editor ed "$E2E_TMP/m.lst"
    ed row-click --id 3 0 >/dev/null
    # Rows (";" between fields, since "|" is a row): name ; files dropped ("," between them) ; label ;
    # command field ; parameters ; directory ; Explorer boxes ; the line stored ("" when Ok refuses it)
    local rows=(
        "a shortcut to a program, with a second file;Run probe.lnk,notes.txt;Run probe;$W_PROBE;-x --flag;$W_WORK;hidden;Run probe=$W_PROBE;-x --flag;$W_WORK"
        "a shortcut to a folder;Folder link.lnk;Folder link;$W_IN\\Plain folder;;;hidden;Folder link=$W_IN\\Plain folder"
        "a shortcut to a deleted target;Gone.lnk;Gone;GONE;;;hidden;GONE"
        "URL=;Upper.url;Upper;http://upper.example/a;;;hidden;Upper=http://upper.example/a"
        "a blank after URL=;Blank.url;Blank; http://blank.example/c;;;hidden;Blank=http://blank.example/c"
        "url= in lower case;lower.url;lower;;;;hidden;"
        "a folder;Plain folder;Plain folder;Explorer.exe;/e,;$W_IN\\Plain folder;visible;Plain folder=Explorer.exe;/e,;$W_IN\\Plain folder"
    )
    local row name files label command parameters directory boxes line f paths expected="A=a.exe" first=1
    for row in "${rows[@]}"; do
        # The stored line holds ";" itself: it is the rest of the row.
        IFS=';' read -r name files label command parameters directory boxes line <<<"$row"
        echo "case $name"
        send_keys ALT+N
        await enabled "$name: Ok after Alt+N" enabled_of 26
        ((first)) && other_window_in_front
        paths=()
        IFS=',' read -ra f <<<"$files"
        for files in "${f[@]}"; do paths+=("$(import_path "$files")"); done
        ed drop --id 16 "${paths[@]}" >/dev/null
        await "$label" "$name: label" ed control-text --id 14
        if [[ $command == GONE ]]; then
            command=$(ed control-text --id 16)
            line=$(gone_line Gone "Gone=$command")
            command=${line#Gone=}
        fi
        await "$command" "$name: command" ed control-text --id 16
        assert_eq "$parameters" "$(ed control-text --id 18)" "$name: parameters"
        assert_eq "$directory" "$(ed control-text --id 21)" "$name: directory"
        assert_eq "$boxes" "$(visible_of 19)" "$name: split window box"
        if ((first)); then
            await "enabled foreground" "$name: the editor in front after the drop" ed_window_state
            first=0
        fi
        send_keys ALT+O
        if [[ -n "$line" ]]; then
            await disabled "$name: Ok after Alt+O" enabled_of 26
            expected+=$'\r\n'"$line"
        else
            # Without a command the entry is refused and the editor stays in edit mode; Cancel drops it.
            assert_eq enabled "$(enabled_of 26)" "$name: Ok after a refused Alt+O"
            send_keys ALT+C
            await disabled "$name: Ok after Alt+C" enabled_of 26
        fi
    done
    send_keys ALT+A
    await disabled "Apply after saving" enabled_of 30
    printf '%s\r\n' "$expected" >"$E2E_TMP/expected.lst"
    assert_bytes "$E2E_TMP/m.lst" "$E2E_TMP/expected.lst"
    quit_editor ed
}

ICON_TITLE="Icon Selection"

# dlg COMMAND ARGS...: a driver command on the icon dialog; its output without CR.
dlg() {
    local _out
    _out=$(driver "$1" --title "$ICON_TITLE" "${@:2}") || fail "driver $* failed on \"$ICON_TITLE\""
    printf '%s' "${_out//$'\r'/}"
}
icon_rows() { driver rows --title "$ICON_TITLE" --id 41 | tr -d '\r' | paste -sd, -; }
icon_images() { driver rows --title "$ICON_TITLE" --id 41 --icon | tr -d '\r' | cut -f2; }

# browse_icon_file NAME: "Browse", then NAME typed into Wine's "Icon File" dialog (its file-name field is
# the edit 1148). A bare name opens in the folder the dialog started in, which is what proves that folder.
browse_icon_file() {
    dlg control-click --id 42 >/dev/null
    wait_window --class '#32770' --title 'Icon File' >/dev/null
    # The file type box (1136) shows the one filter.
    assert_eq "Icon File" "$(driver control-text --class '#32770' --title 'Icon File' --id 1136 | tr -d '\r')" "the filter"
    driver set-text --class '#32770' --title 'Icon File' --id 1148 "$1" || fail "cannot type into the Icon File dialog"
    click_button Open --class '#32770' --title 'Icon File'
}

test_icon_dialog_browse_choose_default_and_cancel() {
    # A library with nine icons: a copy of Vorlix.exe (its icon groups 1 and 100-107).
    mkdir -p "$E2E_TMP/lib"
    cp "$VORLIX_EXE" "$E2E_TMP/lib/set.dll"
    local set nine
    set=$(winpath "$E2E_TMP/lib/set.dll")
    nine="-- 0 --,-- 1 --,-- 2 --,-- 3 --,-- 4 --,-- 5 --,-- 6 --,-- 7 --,-- 8 --"
    # Rows: name | what the user does in the dialog (BROWSE, ROW:N, DOUBLE:N, CLICK:id, ALTF4) | the line
    # stored ("" for no change). 42 Browse, 43 Default, 44 Ok, 45 Cancel.
    local rows=(
        "Ok on icon 3|BROWSE ROW:3 CLICK:44|A=a.exe;;;;$set,3"
        "a double click on icon 5|BROWSE DOUBLE:5|A=a.exe;;;;$set,5"
        "icon 0 is the bare path|BROWSE ROW:0 CLICK:44|A=a.exe;;;;$set"
        "Default empties the icon field|CLICK:43|A=a.exe"
        "Alt+F4 is ignored, Cancel after browsing changes nothing|BROWSE ALTF4 ROW:4 CLICK:45|"
        "Ok on the current icon changes nothing|CLICK:44|"
    )
    local row name actions line action n=0
    for row in "${rows[@]}"; do
        IFS='|' read -r name actions line <<<"$row"
        echo "case $name"
        n=$((n + 1))
        printf 'A=a.exe;;;;%s,2\r\n' "$set" >"$E2E_TMP/m$n.lst"
        cp "$E2E_TMP/m$n.lst" "$E2E_TMP/m$n.before"
        open_editor "ed$n" "$E2E_TMP/m$n.lst"
        ed control-click --id 15 >/dev/null
        wait_window --title "$ICON_TITLE" >/dev/null
        # The entry's current icon is the first item, with no caption, selected.
        await "" "$name: the current icon" icon_rows
        assert_eq 1 "$(driver rows --title "$ICON_TITLE" --id 41 | wc -l)" "$name: items before browsing"
        assert_eq 0 "$(dlg selected-row --id 41)" "$name: selected item"
        if ((n == 1)); then
            assert_eq 355x205 "$(dlg client-size)" "client area"
            assert_eq "$EDITOR_TITLE" "$(dlg owner)" "the dialog's owner"
            assert_eq "enabled foreground" "$(dlg window-state)" "the dialog"
            assert_eq "disabled background" "$(ed_window_state)" "the editor while the dialog is open"
            local e d
            read -r -a e <<<"$(ed rect)"
            read -r -a d <<<"$(dlg rect)"
            # Twice the distance of the two centres: at most 1 pixel apart when the widths differ by an odd number.
            local dx=$((e[0] + e[2] - d[0] - d[2])) dy=$((e[1] + e[3] - d[1] - d[3]))
            ((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2)) ||
                fail "the dialog ($(dlg rect)) is not centred on the editor ($(ed rect))"
            # Rows: caption | control
            local c captions=("Browse|42" "Default|43" "Ok|44" "Cancel|45")
            for c in "${captions[@]}"; do
                assert_eq "${c%|*}" "$(dlg control-text --id "${c#*|}")" "caption of ${c#*|}"
            done
        fi
        for action in $actions; do
            case $action in
            BROWSE)
                browse_icon_file set.dll
                await "$nine" "$name: the icons of set.dll" icon_rows
                # Each offered icon is shown, not only the first (Wine 8's ExtractIconExW fills only the
                # first handle of a batch of small icons).
                assert_eq 9 "$(icon_images | awk '$1 >= 0' | sort -u | wc -l)" "$name: nine icons drawn"
                assert_eq 0 "$(dlg selected-row --id 41)" "$name: the first icon selected"
                ;;
            ROW:*)
                dlg row-click --id 41 "${action#ROW:}" --icon >/dev/null
                await "${action#ROW:}" "$name: selected icon" dlg selected-row --id 41
                ;;
            DOUBLE:*) dlg row-click --id 41 "${action#DOUBLE:}" --icon --double >/dev/null ;;
            ALTF4) send_keys ALT+F4 ;; # the click on a row after it is taken after it, by a dialog still open
            CLICK:*) dlg control-click --id "${action#CLICK:}" >/dev/null ;;
            esac
        done
        wait_gone --title "$ICON_TITLE"
        await "enabled foreground" "$name: the editor after the dialog" ed_window_state
        # Wine moves the focus once more as the editor's activation arrives from X: wait for it to settle.
        await 15 "$name: the focus back on the icon button" focus_of
        if [[ -n "$line" ]]; then
            assert_eq enabled "$(enabled_of 26)" "$name: Ok after a chosen icon"
            send_keys ALT+O
            await disabled "$name: Ok after Alt+O" enabled_of 26
            send_keys ALT+A
            await disabled "$name: Apply after saving" enabled_of 30
            printf '%s\r\n' "$line" >"$E2E_TMP/m$n.expected"
            assert_bytes "$E2E_TMP/m$n.lst" "$E2E_TMP/m$n.expected"
        else
            assert_eq disabled "$(enabled_of 26)" "$name: Ok (no change, no edit)"
        fi
        quit_editor "ed$n"
        [[ -n "$line" ]] || assert_bytes "$E2E_TMP/m$n.lst" "$E2E_TMP/m$n.before"
    done
}

# A shortcut's arguments are anybody's text. With a line break in them the saved file held two lines for the
# one entry shown, and the second appeared in the menu on the next start.
test_a_shortcut_with_line_breaks_in_its_arguments_adds_no_line() {
    make_import_files
    shortcut "$E2E_TMP/in/links/Evil.lnk" "$W_PROBE" --args $'-x\r\nINJECTED=calc.exe\r\n' --dir "$W_WORK"
    # The shortcut holds the line break (UTF-16 CR LF), so the case is not passed by a lost argument.
    od -An -tx1 "$E2E_TMP/in/links/Evil.lnk" | tr -d ' \n' | grep -q 0d000a00 || fail "no CR LF in the shortcut"
    printf 'A=a.exe\r\n' >"$E2E_TMP/m.lst"
    open_editor ed "$E2E_TMP/m.lst"
    ed drop --id 3 "$(import_path Evil.lnk)" >/dev/null
    await "A,Evil" "rows after the drop" rows_csv
    send_keys ALT+A
    await disabled "Apply after saving" enabled_of 30
    printf 'A=a.exe\r\nEvil=%s;-x INJECTED=calc.exe;%s\r\n' "$W_PROBE" "$W_WORK" >"$E2E_TMP/expected.lst"
    assert_bytes "$E2E_TMP/m.lst" "$E2E_TMP/expected.lst"
    quit_editor ed
}
