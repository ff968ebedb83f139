#!/usr/bin/env bash
# Takes the pictures of the configuration window and of its icon dialog for the README (docs/editor.png,
# docs/icon-dialog.png) under Wine and Xvfb: Vorlix.exe /S on a copy of examples/sample.lst, each window
# cut out of the screen, then Cancel and Alt+Q.
#
# Environment: VORLIX_BUILD_PREFIX (default "build/"; the MinGW build goes to ${prefix}win).
set -u
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
prefix=${VORLIX_BUILD_PREFIX:-build/}
bash scripts/setup.sh || exit 1
win="$root/${prefix}win"
cmake -S . -B "$win" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null || exit 1
cmake --build "$win" -j2 --target Vorlix driver || exit 1

export E2E_BUILD="$win" E2E_OUT="$root/${prefix}editor-picture"
unset DISPLAY
source tests/e2e/lib.sh
E2E_TMP="$E2E_OUT/run"
rm -rf "$E2E_TMP"
mkdir -p "$E2E_TMP"
menu="$E2E_TMP/sample.lst"
cp examples/sample.lst "$menu"
e2e_begin || exit 1
# Without a window manager on Xvfb nobody would draw the title bars: Wine draws them itself when its
# windows are not decorated by one.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
wineserver -w
# Debian's Wine does not find the Marlett of its own font package, and draws the arrows and the close box
# as the letters that stand for them. A copy in the prefix's font folder is found (read when Wine starts).
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/" 2>/dev/null
wineserver -k

# picture TITLE FILE: cuts the window TITLE out of the screen into docs/FILE.
picture() {
    local _rect _left _top _right _bottom
    _rect=$(driver rect --title "$1") || fail "no window rectangle for $1"
    read -r _left _top _right _bottom <<<"$_rect"
    # The first paint of the rows follows the window's appearance.
    sleep 1
    import -display "$DISPLAY" -window root -crop "$((_right - _left))x$((_bottom - _top))+$_left+$_top" +repage \
        "$root/docs/$2" || fail "the screenshot of $1 could not be taken"
    echo "saved docs/$2"
}

title="Vorlix - $(winpath "$menu")"
vorlix editor /S "$(winpath "$menu")"
wait_window --title "$title" >/dev/null || exit 1
picture "$title" editor.png
iconButton=15 iconList=41 browseIcons=42 cancelIcons=45
driver control-click --title "$title" --id "$iconButton" >/dev/null || fail "the icon button did not take the click"
wait_window --title "Icon Selection" >/dev/null || fail "no icon dialog"
# Browse to Vorlix.exe itself, whose icons the dialog then offers; the fourth is chosen.
driver control-click --title "Icon Selection" --id "$browseIcons" >/dev/null || fail "Browse did not take the click"
wait_window --class '#32770' --title 'Icon File' >/dev/null || fail "no Icon File dialog"
driver set-text --class '#32770' --title 'Icon File' --id 1148 "$(winpath "$VORLIX_EXE")" || fail "cannot type a file name"
click_button Open --class '#32770' --title 'Icon File'
wait_gone --class '#32770' --title 'Icon File' || fail "the Icon File dialog stayed"
sleep 1
driver row-click --title "Icon Selection" --id "$iconList" 3 --icon >/dev/null || fail "icon 3 did not take the click"
picture "Icon Selection" icon-dialog.png
driver control-click --title "Icon Selection" --id "$cancelIcons" >/dev/null || fail "Cancel did not take the click"
wait_window --title "$title" >/dev/null || exit 1
sleep 1
send_keys ALT+Q
wait_exit editor 10
