# Help and Info in the configuration editor (`Vorlix.exe /S menu`): F1 and "?" -> "Help" start the help
# viewer on the help file beside the program, German for a German user; a second start ends the first
# viewer, and closing the editor ends one still running; a missing help file is no error; "?" -> "Info"
# shows the info window; the built help files open in Wine's own viewer.
#
# The viewer is help_viewer_stand_in.exe, registered for ".chm" in the prefix for the test, and Wine's own
# association (chm.file, its hh.exe) put back after it. The stand-in logs how it was started and stays
# open until it is ended, so ending it can be seen.
#
# Wine findings:
# - Wine's hh.exe opens the built help files: a window of class "HH Parent" titled by the file's [WINDOWS]
#   entry, with its contents and index; the pages stay blank, since Gecko is switched off here
#   (WINEDLLOVERRIDES=mshtml=). It stays open until it is closed, so it shows an ended viewer too.
# - Wine 8 does not merge HKCU\Software\Classes into HKEY_CLASSES_ROOT: a ".chm" registered there is not
#   seen by ShellExecuteExW, so the stand-in goes into HKEY_CLASSES_ROOT itself.
# - A German user is a German Unix locale for the one process (localedef, LOCPATH, LANG): Wine then
#   reports the native language name "Deutsch".

HELP_VIEWER_EXE="$E2E_BUILD/tests/e2e/help/help_viewer_stand_in.exe"
HELP_CLASS_KEY='HKCR\VorlixTest.chm'
HELP_WINE_CLASS=chm.file
EDITOR_TITLE=
SEEN_VIEWERS=" "

# help_cleanup: ends viewers still on screen (they are no spawned programs, so the bench would leave them
# to the next test) and, when the stand-in was registered, puts Wine's ".chm" association back.
HELP_REGISTERED=0
help_cleanup() {
    local _i _filter
    for _filter in "--title-prefix|Help viewer stand-in " "--class|HH Parent"; do
        for _i in 1 2 3 4 5; do
            driver exists "${_filter%%|*}" "${_filter#*|}" >/dev/null 2>&1 || break
            driver close "${_filter%%|*}" "${_filter#*|}" >/dev/null 2>&1
            driver wait-gone "${_filter%%|*}" "${_filter#*|}" --all --timeout 2000 >/dev/null 2>&1
        done
    done
    ((HELP_REGISTERED)) || return 0
    wine reg add 'HKCR\.chm' /ve /d "$HELP_WINE_CLASS" /f >/dev/null 2>&1
    wine reg delete "$HELP_CLASS_KEY" /f >/dev/null 2>&1
    return 0
}

# help_setup [LANGS [wine]]: a private Vorlix with the built help files of LANGS (default "en de") beside
# it, and MENU, a one-line menu file. Unless "wine" is given, the stand-in is registered for ".chm", its
# logs going to $VIEWER_LOGS.
help_setup() {
    local _lang
    [[ -f "$HELP_VIEWER_EXE" ]] || fail "help_viewer_stand_in.exe is missing"
    install_vorlix
    for _lang in ${1-en de}; do
        [[ -f "$E2E_BUILD/Vorlix-$_lang.chm" ]] || fail "$E2E_BUILD/Vorlix-$_lang.chm is missing: the build makes it"
        cp "$E2E_BUILD/Vorlix-$_lang.chm" "$E2E_TMP/app/"
    done
    VIEWER_LOGS="$E2E_TMP/viewer-logs"
    mkdir -p "$VIEWER_LOGS"
    VORLIX_VIEWER_LOG_DIR=$(winpath "$VIEWER_LOGS")
    export VORLIX_VIEWER_LOG_DIR
    MENU="$E2E_TMP/menu.lst"
    printf 'Notepad=notepad.exe\r\n' >"$MENU"
    trap help_cleanup EXIT
    trap 'exit 143' TERM
    [[ ${2:-} == wine ]] && return 0
    HELP_REGISTERED=1
    local _viewer
    _viewer=$(winpath "$HELP_VIEWER_EXE")
    wine reg add 'HKCR\.chm' /ve /d VorlixTest.chm /f >/dev/null 2>&1 || fail "cannot register .chm"
    wine reg add "$HELP_CLASS_KEY\\shell\\open\\command" /ve /d "\"$_viewer\" \"%1\"" /f >/dev/null 2>&1 ||
        fail "cannot register the stand-in viewer"
}

# german_locale: GERMAN_LOCPATH, a folder with the Unix locale de_DE.UTF-8 (made once per build folder).
german_locale() {
    GERMAN_LOCPATH="$E2E_OUT/locales"
    [[ -d "$GERMAN_LOCPATH/de_DE.UTF-8" ]] && return 0
    mkdir -p "$GERMAN_LOCPATH"
    localedef -i de_DE -f UTF-8 "$GERMAN_LOCPATH/de_DE.UTF-8" 2>/dev/null || skip "localedef cannot make de_DE.UTF-8"
}

# open_help_editor_as LANGUAGE NAME: open_help_editor for a user of LANGUAGE (en: as the bench runs; de:
# a German locale for that one program).
open_help_editor_as() {
    if [[ $1 == en ]]; then
        open_help_editor "$2"
        return
    fi
    german_locale
    (
        unset LC_ALL LC_MESSAGES LANGUAGE
        export LOCPATH="$GERMAN_LOCPATH" LANG=de_DE.UTF-8
        open_help_editor "$2"
    )
    EDITOR_TITLE="Vorlix - $(winpath "$MENU")"
}

# open_help_editor NAME: `Vorlix.exe /S MENU` (the private copy) as NAME; waits for its window.
open_help_editor() {
    EDITOR_TITLE="Vorlix - $(winpath "$MENU")"
    vorlix "$1" /S "$(winpath "$MENU")"
    wait_window --title "$EDITOR_TITLE" >/dev/null
}

# wait_new_viewer: waits for the log of a viewer not seen before; sets VIEWER_LOG and VIEWER_PID and waits
# for the viewer's window.
wait_new_viewer() {
    local _deadline=$((SECONDS + E2E_EXIT_S)) _log
    while :; do
        for _log in "$VIEWER_LOGS"/viewer-*.txt; do
            [[ -f "$_log" && "$SEEN_VIEWERS" != *" $_log "* ]] || continue
            SEEN_VIEWERS+="$_log "
            VIEWER_LOG=$_log
            VIEWER_PID=$(probe_value "$_log" pid)
            wait_window --title "Help viewer stand-in $VIEWER_PID" >/dev/null
            return 0
        done
        ((SECONDS >= _deadline)) && fail "no help viewer was started within $E2E_EXIT_S s"
        sleep 0.05
    done
}

# viewer_file: the help file the last viewer was asked to open, as a Unix path (a relative name is taken
# in the viewer's working folder).
viewer_file() {
    local _file
    _file=$(probe_value "$VIEWER_LOG" argv1)
    [[ "$_file" == *\\* || "$_file" == *:* ]] || _file="$(probe_value "$VIEWER_LOG" cwd)\\$_file"
    unixpath "$_file"
}

# help_menu ITEM: "?" (control 10), then the ITEM-th entry of its popup menu (1 Help, 2 Info).
help_menu() {
    local _keys=() _i
    driver control-click --title "$EDITOR_TITLE" --id 10 >/dev/null || fail "cannot click \"?\""
    popup_levels 1
    for ((_i = 0; _i < $1; _i++)); do _keys+=(DOWN); done
    send_keys "${_keys[@]}" RETURN
}

test_f1_and_the_help_menu_start_the_viewer_and_each_ends_the_one_before() {
    help_setup
    open_help_editor ed
    local rows=("F1|F1" "second F1|F1" "? then Help|MENU") row name how previous=
    for row in "${rows[@]}"; do
        IFS='|' read -r name how <<<"$row"
        echo "case $name"
        if [[ $how == F1 ]]; then send_keys F1; else help_menu 1; fi
        wait_new_viewer
        assert_eq "$E2E_TMP/app/Vorlix-en.chm" "$(viewer_file)" "help file opened by $name"
        assert_eq "$(winpath "$E2E_TMP/app")" "$(probe_value "$VIEWER_LOG" cwd)" "viewer's working folder"
        [[ -n $previous ]] && wait_gone --title "Help viewer stand-in $previous" --all
        previous=$VIEWER_PID
    done
    echo "case closing the editor ends the viewer"
    send_keys ALT+Q
    wait_gone --title "Help viewer stand-in $previous" --all
    assert_exit ed 0
}

test_a_german_user_gets_the_german_help() {
    help_setup
    open_help_editor_as de ed
    send_keys F1
    wait_new_viewer
    assert_eq "$E2E_TMP/app/Vorlix-de.chm" "$(viewer_file)" "help file of a German user"
    send_keys ALT+Q
    wait_gone --title "Help viewer stand-in $VIEWER_PID" --all
    assert_exit ed 0
}

test_info_from_the_help_menu_and_a_missing_help_file() {
    help_setup ""
    open_help_editor ed
    echo "case F1 without a help file beside the program"
    send_keys F1
    echo "case ? then Info"
    help_menu 2
    wait_window --class VorlixWindow --title '' >/dev/null
    send_keys SPACE
    wait_gone --class VorlixWindow --title '' --all
    # F1 was handled before the menu: a viewer or a shell error would be there by now.
    window_exists --class '#32770' --title Error && fail "a missing help file raised an \"Error\" box"
    compgen -G "$VIEWER_LOGS/viewer-*.txt" >/dev/null && fail "a viewer was started without a help file"
    window_exists --title "$EDITOR_TITLE" || fail "the editor is gone"
    send_keys ALT+Q
    assert_exit ed 0
}

test_the_built_help_opens_in_wines_viewer_and_goes_with_the_editor() {
    # Rows: user's language | title of the viewer's window (the help file's own)
    local rows=("en|Vorlix Help" "de|Vorlix-Hilfe") row lang title
    for row in "${rows[@]}"; do
        IFS='|' read -r lang title <<<"$row"
        echo "case $lang"
        rm -rf "$E2E_TMP/app"
        help_setup "en de" wine
        open_help_editor_as "$lang" "ed-$lang"
        send_keys F1
        wait_window --class "HH Parent" --title "$title" >/dev/null
        # The viewer has the keyboard now; the editor's close box is the way out.
        driver close --title "$EDITOR_TITLE" >/dev/null || fail "cannot close the editor"
        wait_gone --class "HH Parent" --all
        assert_exit "ed-$lang" 0
    done
}
