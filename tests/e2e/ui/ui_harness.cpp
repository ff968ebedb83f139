// ui_harness.exe: the window and event layer of the real Win32 platform (cases/window_events.sh).
//
//   ui_harness events
//       Builds a main window as start-up does (framed popup, label 100 in dark red, Enter -> 1, Escape -> 2)
//       under the title "Vorlix UI harness", runs self-checks of the queue ("check NAME ok" or
//       "check NAME FAIL ..."), shows the window at (300, 200) and prints "rect L T R B", "label L T R B"
//       and "ready". Then it prints one line per event ("event menu 1 shortcut", "event control 100 click",
//       "event close", ...). F2 (-> 3) tracks a popup menu at (320, 220) whose one item "Sub" opens a
//       submenu with one item (id 7); the menu notice hook prints "notice opening root",
//       "notice opening submenu POSITION" and "notice loop-ended", and "tracked ID" follows once the menu
//       has closed. It ends at the close event.
//
// Exit codes: 0 done, 1 the window could not be made or no event came within 30 s, 2 usage.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/keyboard.h"
#include "platform/menus.h"
#include "platform/top_windows.h"
#include "platform/win32/native_handles.h"
#include "platform/window_geometry.h"

#include "../harness_output.h"

namespace {

constexpr int LabelId = 100;
constexpr int ShowMenuCommand = 3;
constexpr std::uint32_t SubmenuItemId = 7;
platform::MenuHandle rootMenu = 0;

void check(const char* name, bool ok, const std::string& detail = {}) {
    say(std::string("check ") + name + (ok ? " ok" : " FAIL " + detail) + "\n");
}

HWND hwnd(platform::WindowHandle w) { return platform::win32::native<HWND>(w); }

bool notice(platform::MenuNotice what, platform::MenuHandle menu, int position) {
    if (what == platform::MenuNotice::LoopEnded) say("notice loop-ended\n");
    else if (menu == rootMenu) say("notice opening root\n");
    else say("notice opening submenu " + std::to_string(position) + "\n");
    return false;
}

void trackMenu(platform::WindowHandle main) {
    rootMenu = platform::createPopupMenu();
    platform::MenuHandle submenu = platform::createPopupMenu();
    platform::appendMenuItem(submenu, SubmenuItemId, u"&Item", {});
    platform::appendSubmenu(rootMenu, submenu, u"&Sub", {});
    SetForegroundWindow(hwnd(main));
    const std::uint32_t chosen = platform::trackPopupMenu(rootMenu, main, 320, 220);
    say("tracked " + std::to_string(chosen) + "\n");
    platform::destroyMenu(rootMenu);
    rootMenu = 0;
}

void checkWindowShape(platform::WindowHandle main, platform::WindowHandle label) {
    RECT client{};
    GetClientRect(hwnd(main), &client);
    check("client-size", client.right == 150 && client.bottom == 40,
          std::to_string(client.right) + "x" + std::to_string(client.bottom));
    const LONG_PTR style = GetWindowLongPtrW(hwnd(main), GWL_STYLE);
    check("main-style", (style & WS_POPUP) && (style & WS_THICKFRAME) && !(style & WS_CAPTION) && !IsWindowVisible(hwnd(main)));
    const LONG_PTR labelStyle = GetWindowLongPtrW(hwnd(label), GWL_STYLE);
    const LONG_PTR wanted = SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY | SS_NOPREFIX;
    check("label-style", (labelStyle & wanted) == wanted && GetDlgCtrlID(hwnd(label)) == LabelId);
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(hwnd(main), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd(label)));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    check("label-colour", colour == RGB(170, 0, 0), std::to_string(colour));
    check("find-hidden", platform::findTopLevelWindow(u"Vorlix UI harness") == main);
}

void checkQueue(platform::WindowHandle main) {
    ULONGLONG start = GetTickCount64();
    platform::WindowEvent e = platform::waitEventFor(main, 300);
    const ULONGLONG waited = GetTickCount64() - start;
    check("time-out", e.kind == platform::EventKind::None && waited >= 290, std::to_string(waited));

    platform::WindowEvent posted;
    posted.kind = platform::EventKind::Menu;
    posted.window = main;
    posted.id = 70000; // beyond the 16 bits of WM_COMMAND
    platform::postEvent(posted);
    e = platform::waitEvent(main);
    check("posted", e.kind == platform::EventKind::Menu && e.id == 70000 && !e.byShortcut);

    platform::postEvent(posted);
    platform::postEvent(posted);
    platform::drainEvents(main);
    check("drain", platform::waitEventFor(main, 0).kind == platform::EventKind::None);

    platform::startTimer(main, 378, 50);
    int ticks = 0;
    for (start = GetTickCount64(); GetTickCount64() - start < 600;) {
        e = platform::waitEventFor(main, 100);
        if (e.kind == platform::EventKind::Timer && e.id == 378) ++ticks;
    }
    platform::stopTimer(main, 378);
    check("timer", ticks >= 3, std::to_string(ticks));
    e = platform::waitEventFor(main, 200);
    check("timer-stopped", e.kind != platform::EventKind::Timer);

    platform::WindowHandle other = platform::createFramedPopup(u"Vorlix UI harness 2", 10, 10);
    platform::postEvent({platform::EventKind::Menu, other, 5, 0, platform::ControlAction::Click, false, u""});
    platform::destroyWindow(other);
    start = GetTickCount64();
    e = platform::waitEvent(other); // would never end if it waited for a window that is gone
    check("gone-window", e.kind == platform::EventKind::None && GetTickCount64() - start < 100);
}

void show(platform::WindowHandle main, platform::WindowHandle label) {
    platform::moveWindow(main, 300, 200);
    platform::setTopmost(main, true);
    if (!platform::animateWindow(main, 200, platform::AnimateBlend | platform::AnimateCenter)) {
        platform::showWindow(main, platform::ShowNormal);
    }
    SetForegroundWindow(hwnd(main));
    platform::setFocus(label);
    RECT r{};
    GetWindowRect(hwnd(main), &r);
    say(rectLine("rect", r));
    GetWindowRect(hwnd(label), &r);
    say(rectLine("label", r));
}

std::string describe(const platform::WindowEvent& e) {
    using platform::EventKind;
    switch (e.kind) {
    case EventKind::Menu: return "menu " + std::to_string(e.id) + (e.byShortcut ? " shortcut" : " chosen");
    case EventKind::Control: {
        static const char* actions[] = {"click", "double-click", "change", "focus-lost"};
        return "control " + std::to_string(e.control) + " " + actions[static_cast<int>(e.action)];
    }
    case EventKind::Close: return "close";
    case EventKind::Activate: return "activate";
    case EventKind::Timer: return "timer " + std::to_string(e.id);
    case EventKind::FilesDropped: return "files";
    case EventKind::KeyPressed: return "key " + std::to_string(e.id);
    case EventKind::Released: return "released";
    case EventKind::FramePressed: return "frame-pressed";
    case EventKind::EndSession: return "end-session";
    case EventKind::None: break;
    }
    return "none";
}

int runEvents() {
    platform::setMenuNoticeHook(notice);
    platform::WindowHandle main = platform::createFramedPopup(u"Vorlix UI harness", 150, 40);
    if (!main) return 1;
    platform::WindowHandle label =
        platform::createLabel(main, LabelId, {0, 0, 150, 40}, u"Vorlix Configuration", platform::rgb(170, 0, 0));
    if (!label) return 1;
    platform::addShortcut(main, platform::KeyReturn, platform::NoModifier, 1);
    platform::addShortcut(main, platform::KeyEscape, platform::NoModifier, 2);
    platform::addShortcut(main, platform::KeyF2, platform::NoModifier, ShowMenuCommand);
    checkWindowShape(main, label);
    checkQueue(main);
    show(main, label);
    say("ready\n");
    for (;;) {
        platform::WindowEvent e = platform::waitEventFor(main, 30000);
        if (e.kind == platform::EventKind::None) return 1;
        say("event " + describe(e) + "\n");
        if (e.kind == platform::EventKind::Close) break;
        if (e.kind == platform::EventKind::Menu && e.id == ShowMenuCommand) trackMenu(main);
    }
    platform::destroyWindow(main);
    say(platform::windowExists(main) ? "still there\n" : "gone\n");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || std::wstring(argv[1]) != L"events") return 2;
    return runEvents();
}
