# Libraries planted beside a portable Vorlix.exe: marker.dll copied into the program's folder under the
# names of system libraries that Windows would look for there first (they are not KnownDLLs), and Wine
# told to search that way for them (WINEDLLOVERRIDES "NAME=n,b"). Going through the popup with icons and a
# folder listing, a choice, the configuration window with its file, folder and icon dialogs, a dropped
# shortcut (the COM path), F1 and a save must load none of them into Vorlix: the marker's log names every
# copy that a process loaded, and the program that loaded it.
#
# Wine findings:
# - Wine's own user32 imports version.dll at process start, before the program's first line (Windows' does
#   not), so version.dll is not planted.
# - Wine's own uxtheme (itself loaded from the system folder, as it should be) delay-loads msimg32 by the
#   plain search order, whatever the program set (WINEDEBUG=+module shows LdrResolveDelayLoadedAPI of
#   uxtheme, then msimg32 looked for "in (null)"): it first draws a themed control when the configuration
#   window opens, so msimg32 is let through for that step only; once loaded it does not load again.
# - Programs that Vorlix starts (the probe, Wine's help viewer) are not Vorlix: what they load is reported,
#   not judged. The probe is started in a folder of its own.

MARKER_DLL="$E2E_BUILD/tests/e2e/loading/marker.dll"
MAKE_SHORTCUT_EXE="$E2E_BUILD/tests/e2e/make_shortcut.exe"
# The names that Windows would look for beside the program when the shell, the common controls, the common
# dialogs or COM load them on their way.
PLANTED=(uxtheme.dll dwmapi.dll shcore.dll propsys.dll cryptbase.dll profapi.dll winspool.drv oleacc.dll
    msimg32.dll winmm.dll wininet.dll comctl32.dll windowscodecs.dll urlmon.dll iertutil.dll userenv.dll
    netapi32.dll mpr.dll linkinfo.dll ntshrui.dll wtsapi32.dll secur32.dll)

# plant APP: Vorlix.exe and the marker copies in APP; the overrides and the marker's log for every program
# started from now on. Sets MARKER_LOG; Vorlix starts in its own folder, as from Explorer.
plant() {
    [[ -f "$MARKER_DLL" ]] || fail "marker.dll is missing: the build makes it"
    install_vorlix "$1"
    local _name _names=()
    for _name in "${PLANTED[@]}"; do
        cp "$MARKER_DLL" "$1/$_name"
        # Wine names a library without ".dll"; winspool.drv keeps its extension.
        _names+=("${_name%.dll}")
    done
    MARKER_LOG="$E2E_TMP/marker.txt"
    : >"$MARKER_LOG"
    MARKER_SEEN=0
    VORLIX_MARKER_LOG=$(winpath "$MARKER_LOG")
    export VORLIX_MARKER_LOG
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$(IFS=,; echo "${_names[*]}")=n,b"
    export WINEDLLOVERRIDES
    SPAWN_CWD=$1
}

# no_marker STEP [LET_THROUGH...]: no planted library has loaded into Vorlix since the last check, except
# the names LET_THROUGH (Wine's own loads; see the top). Loads by other programs are only reported.
no_marker() {
    local _step=$1 _line _dll _program _bad=()
    shift
    local _let=" ${*,,} "
    local _lines
    mapfile -t _lines < <(tail -n +$((MARKER_SEEN + 1)) "$MARKER_LOG" | tr -d '\r')
    MARKER_SEEN=$((MARKER_SEEN + ${#_lines[@]}))
    for _line in "${_lines[@]}"; do
        _dll=${_line%%|*}
        _program=${_line#*|}
        _dll=${_dll##*\\}
        if [[ "${_program##*\\}" != Vorlix.exe ]]; then
            echo "note ($_step): ${_program##*\\} loaded the planted $_dll"
        elif [[ "$_let" == *" ${_dll,,} "* ]]; then
            echo "note ($_step): Wine's own load of the planted $_dll let through"
        else
            _bad+=("$_dll")
        fi
    done
    ((${#_bad[@]} == 0)) || fail "$_step: Vorlix loaded the planted ${_bad[*]}"
    echo "step $_step: no planted library loaded"
}

test_libraries_planted_beside_the_program_are_never_loaded() {
    local app="$E2E_TMP/app" docs="$E2E_TMP/docs"
    plant "$app"
    copy_probe tools
    use_probe_log chosen
    mkdir -p "$docs"
    : >"$docs/a.txt"
    : >"$docs/b.txt"
    # The probe first; a folder listing; an icon out of a system library.
    write_menu "$app/Vorlix.lst" <<EOF2
Probe=$PROBE_COPY;chosen;$(winpath "$E2E_TMP/tools")
Docs=files;*.txt;$(winpath "$docs")
Library icon=notepad.exe;;;;%SystemRoot%\\system32\\shell32.dll,3
EOF2

    echo "step popup with icons, a folder listing and a choice"
    driver mouse-move 300 200 >/dev/null || fail "cannot move the mouse"
    vorlix popup /I
    popup_levels 1
    send_keys DOWN DOWN RIGHT
    popup_levels 2
    send_keys LEFT
    popup_levels 1
    send_keys UP RETURN
    wait_file "$PROBE_LOG"
    assert_probe "$PROBE_LOG" argv1 chosen
    assert_exit popup 0
    no_marker popup

    echo "step configuration window"
    open_editor ed "$app/Vorlix.lst"
    await "Probe,Docs,Library icon" "rows of the menu" rows_csv
    no_marker "configuration window" msimg32.dll

    echo "step new entry with the file dialog"
    send_keys ALT+N
    ed set-text --id 14 "Planted" >/dev/null
    ed set-text --id 16 "notepad.exe" >/dev/null
    ed control-click --id 17 >/dev/null
    wait_window --class '#32770' --title File >/dev/null
    click_button Cancel --class '#32770' --title File
    wait_gone --class '#32770' --title File
    no_marker "file dialog"

    echo "step folder dialog"
    ed control-click --id 22 >/dev/null
    wait_window --class '#32770' >/dev/null
    click_button Cancel --class '#32770'
    wait_gone --class '#32770'
    no_marker "folder dialog"

    echo "step icon dialog with Browse"
    ed control-click --id 15 >/dev/null
    wait_window --title "Icon Selection" >/dev/null
    driver control-click --title "Icon Selection" --id 42 >/dev/null || fail "cannot click Browse"
    wait_window --class '#32770' --title 'Icon File' >/dev/null
    click_button Cancel --class '#32770' --title 'Icon File'
    wait_gone --class '#32770' --title 'Icon File'
    driver control-click --title "Icon Selection" --id 45 >/dev/null || fail "cannot click Cancel"
    wait_gone --title "Icon Selection"
    no_marker "icon dialog"

    echo "step dropped shortcut"
    send_keys ALT+O
    await disabled "Ok after Alt+O" enabled_of 26
    mkdir -p "$E2E_TMP/links"
    wine "$MAKE_SHORTCUT_EXE" "$(winpath "$E2E_TMP/links/Run probe.lnk")" "$PROBE_COPY" --args "-x" ||
        fail "make_shortcut could not write the shortcut"
    ed drop --id 3 "$(winpath "$E2E_TMP/links/Run probe.lnk")" >/dev/null
    await "Probe,Planted,Run probe,Docs,Library icon" "rows after the drop" rows_csv
    no_marker "dropped shortcut"

    echo "step F1"
    # Wine's own help viewer, hh.exe, on the built help file; closing the editor ends it.
    cp "$E2E_BUILD/Vorlix-en.chm" "$app/" || fail "Vorlix-en.chm is missing: the build makes it"
    send_keys F1
    wait_window --class "HH Parent" >/dev/null
    no_marker F1

    echo "step save"
    driver activate --title "$EDITOR_TITLE" || fail "cannot bring the editor back in front of the help viewer"
    await "enabled foreground" "the editor in front again" ed window-state
    send_keys ALT+A
    await disabled "Apply after saving" enabled_of 30
    assert_contains "$(tr -d '\r' <"$app/Vorlix.lst")" "Run probe=$PROBE_COPY;-x"
    quit_editor ed
    driver wait-gone --class "HH Parent" --all --timeout "$E2E_WAIT_MS" >/dev/null || fail "the help viewer outlived the editor"
    no_marker save
}
