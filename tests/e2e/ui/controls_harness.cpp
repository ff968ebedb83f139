// controls_harness.exe: the editor's window kit through the real Win32 platform (cases/controls.sh).
//
//   controls_harness
//       Builds a dialog window "Vorlix controls harness" as the editor will: a panel holding two text
//       fields, a button, a list view, a check box, a drop-down list and a label, Enter -> 1 and
//       Escape -> 2. It shows the window, makes it the foreground window and types at it with SendInput
//       (Tab, Shift+Tab, letters, Delete, Down, Space, Enter, Escape), printing one "check NAME ok" or
//       "check NAME FAIL detail" line per check, then "time append-5000 MS" and "done".
//
// Exit codes: 0 done (read the check lines), 1 the window could not be made.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/keyboard.h"
#include "platform/top_windows.h"
#include "platform/win32/native_handles.h"
#include "platform/window_geometry.h"

#include "../harness_output.h"

namespace {

using platform::ControlKind;
using platform::WindowHandle;

enum Id { PanelId = 10, FirstField = 11, SecondField = 12, ButtonId = 13, ListId = 14, CheckId = 15, ChoiceId = 16,
          LabelId = 17 };

int failures = 0;

void check(const char* name, bool ok, const std::string& detail = {}) {
    if (!ok) ++failures;
    say(std::string("check ") + name + (ok ? " ok" : " FAIL " + detail) + "\n");
}

HWND hwnd(WindowHandle w) { return platform::win32::native<HWND>(w); }

std::string narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

std::string describe(const platform::WindowEvent& e) {
    using platform::EventKind;
    switch (e.kind) {
    case EventKind::Menu: return "menu " + std::to_string(e.id) + (e.byShortcut ? " shortcut" : " chosen");
    case EventKind::Control: {
        static const char* actions[] = {"click", "double-click", "change", "focus-lost"};
        return "control " + std::to_string(e.control) + " " + actions[static_cast<int>(e.action)];
    }
    case EventKind::KeyPressed: return "key " + std::to_string(e.id) + " in " + std::to_string(e.control);
    case EventKind::None: return "none";
    default: return "other";
    }
}

// Everything the window says within ms (events of activation and timers left out).
std::vector<std::string> eventsWithin(WindowHandle window, unsigned ms) {
    std::vector<std::string> seen;
    const ULONGLONG end = GetTickCount64() + ms;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        platform::WindowEvent e = platform::waitEventFor(window, static_cast<std::uint32_t>(end - now));
        if (e.kind == platform::EventKind::None) break;
        if (e.kind == platform::EventKind::Activate) continue;
        seen.push_back(describe(e));
    }
    return seen;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += "[" + line + "]";
    return out;
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    for (const std::string& l : lines) {
        if (l == line) return true;
    }
    return false;
}

void key(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

// Presses vk (with Shift when shifted) and gathers what the window makes of it.
std::vector<std::string> press(WindowHandle window, WORD vk, bool shifted = false) {
    if (shifted) key(VK_SHIFT, false);
    key(vk, false);
    key(vk, true);
    if (shifted) key(VK_SHIFT, true);
    return eventsWithin(window, 400);
}

int focusedId() { return platform::controlNumber(platform::focusedWindow()); }

void checkShapes(WindowHandle main, WindowHandle panel, WindowHandle label) {
    RECT client{};
    GetClientRect(hwnd(main), &client);
    check("client-size", client.right == 420 && client.bottom == 320,
          std::to_string(client.right) + "x" + std::to_string(client.bottom));
    const LONG_PTR style = GetWindowLongPtrW(hwnd(main), GWL_STYLE);
    check("dialog-style", (style & WS_SYSMENU) && (style & WS_CAPTION) &&
                              !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)));
    wchar_t name[64] = {};
    GetClassNameW(hwnd(panel), name, 64);
    const LONG_PTR panelEx = GetWindowLongPtrW(hwnd(panel), GWL_EXSTYLE);
    check("panel", std::wstring(name) == L"VorlixWindow" && (panelEx & WS_EX_CONTROLPARENT) &&
                       (panelEx & WS_EX_STATICEDGE) && !(GetWindowLongPtrW(hwnd(panel), GWL_STYLE) & WS_TABSTOP));
    check("label-no-tabstop", !(GetWindowLongPtrW(hwnd(label), GWL_STYLE) & WS_TABSTOP));

    WindowHandle owned = platform::createOwnedDialogWindow(main, u"Vorlix owned harness", 100, 50);
    const LONG_PTR ownedStyle = GetWindowLongPtrW(hwnd(owned), GWL_STYLE);
    check("owned-style", owned && GetWindow(hwnd(owned), GW_OWNER) == hwnd(main) && (ownedStyle & WS_CAPTION) &&
                             !(ownedStyle & WS_SYSMENU) && !IsWindowVisible(hwnd(owned)));
    platform::destroyWindow(owned);
}

void checkFont(WindowHandle field, platform::FontHandle font) {
    check("font-given", SendMessageW(hwnd(field), WM_GETFONT, 0, 0) == static_cast<LRESULT>(font.value));
    LOGFONTW log{};
    GetObjectW(platform::win32::native<HFONT>(font), sizeof log, &log);
    check("font-height", log.lfHeight == -12 && log.lfWeight == FW_NORMAL, std::to_string(log.lfHeight));
}

void checkRows(WindowHandle main, WindowHandle list) {
    std::vector<std::u16string> rows;
    for (int i = 0; i < 5000; ++i) rows.push_back(u"Row " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)));
    rows[4999] = u"Last row";
    const ULONGLONG start = GetTickCount64();
    const bool appended = platform::appendListRows(list, rows.data(), rows.size());
    say("time append-5000 " + std::to_string(GetTickCount64() - start) + "\n");
    check("append", appended && platform::listRowCount(list) == 5000, std::to_string(platform::listRowCount(list)));
    check("row-text", platform::listRowText(list, 4999) == u"Last row" && platform::listRowText(list, 1) == u"Row B",
          narrow(platform::listRowText(list, 4999)));
    const std::u16string longText(1000, u'x');
    platform::setListRowText(list, 2, longText);
    check("long-row-text", platform::listRowText(list, 2) == longText,
          std::to_string(platform::listRowText(list, 2).size()));
    platform::insertListRow(list, 0, u"First");
    platform::insertListRow(list, 99999, u"After last");
    check("insert", platform::listRowText(list, 0) == u"First" && platform::listRowText(list, 5001) == u"After last");
    platform::selectListRow(list, 3);
    platform::ensureListRowVisible(list, 3);
    check("select-quiet", platform::selectedListRow(list) == 3 && eventsWithin(main, 200).empty());
    platform::deleteListRow(list, 3);
    platform::deleteListRow(list, 0);
    check("delete-quiet", platform::listRowCount(list) == 5000 && eventsWithin(main, 200).empty());
    platform::clearListRows(list);
    const std::u16string few[] = {u"notepad", u"calc", u"---", u"Explorer"};
    platform::appendListRows(list, few, 4);
    platform::fitListColumn(list);
    check("clear-refill", platform::listRowCount(list) == 4 && platform::listRowText(list, 3) == u"Explorer" &&
                              platform::selectedListRow(list) == -1);
}

void checkTooltip(WindowHandle main, WindowHandle button, WindowHandle field) {
    platform::setTooltip(main, button, u"Saves the menu");
    platform::setTooltip(main, button, u"Saves the menu file");
    platform::setTooltip(main, field, u"The entry's name");
    // The tooltip window comes with the first mouse message, holding every tip set before it.
    const bool deferred = FindWindowW(TOOLTIPS_CLASSW, nullptr) == nullptr;
    PostMessageW(hwnd(button), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    eventsWithin(main, 100);
    HWND tooltip = FindWindowW(TOOLTIPS_CLASSW, nullptr);
    check("tooltip-one-window", deferred && tooltip && GetWindow(tooltip, GW_OWNER) == hwnd(main) &&
                                    SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0) == 2);
    // Wine copies a tip up to 1,024 characters, whatever size it is told.
    auto tipOf = [&](WindowHandle control) {
        std::wstring text(1024, L'\0');
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = hwnd(main);
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd(control));
        tool.lpszText = text.data();
        SendMessageW(tooltip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
        return std::wstring(text.c_str());
    };
    check("tooltip-updated", tipOf(button) == L"Saves the menu file");
    // An icon path is often longer than the 80 characters a tool's text once had to fit: replacing one
    // must neither cut it nor overrun a buffer (that overrun crashed the editor after an icon was chosen).
    const std::u16string longPath = u"C:\\" + std::u16string(300, u'x') + u"\\set.dll,2";
    platform::setTooltip(main, button, longPath);
    platform::setTooltip(main, button, longPath + u"3");
    check("tooltip-long", tipOf(button) == std::wstring(longPath.begin(), longPath.end()) + L"3");
}

void checkKeyboard(WindowHandle main, WindowHandle list, WindowHandle choice) {
    platform::setFocus(platform::WindowHandle(reinterpret_cast<std::uintptr_t>(GetDlgItem(
        GetDlgItem(hwnd(main), PanelId), FirstField))));
    eventsWithin(main, 200);
    // Rows: the key, with Shift, the control that must have the focus afterwards.
    struct Step { WORD vk; bool shifted; int focus; };
    const Step steps[] = {
        {VK_TAB, false, SecondField}, {VK_TAB, false, ButtonId}, {VK_TAB, false, ListId}, {VK_TAB, false, CheckId},
        {VK_TAB, false, ChoiceId},    {VK_TAB, false, FirstField}, {VK_TAB, true, ChoiceId}, {VK_TAB, false, FirstField},
        {VK_TAB, false, SecondField}, {VK_TAB, false, ButtonId}, {VK_TAB, true, SecondField},
    };
    std::string path;
    bool followed = true;
    for (const Step& step : steps) {
        press(main, step.vk, step.shifted);
        path += std::to_string(focusedId()) + " ";
        followed = followed && focusedId() == step.focus;
    }
    check("tab-order", followed, path);

    std::vector<std::string> seen = press(main, 'A'); // in the second field
    check("edit-change", contains(seen, "control 12 change"), joined(seen));
    seen = press(main, VK_RETURN);
    check("enter-shortcut", contains(seen, "menu 1 shortcut") && seen.size() == 1, joined(seen));
    seen = press(main, VK_ESCAPE);
    check("escape-shortcut", contains(seen, "menu 2 shortcut") && seen.size() == 1, joined(seen));
    seen = press(main, VK_TAB, true);
    check("edit-focus-lost", contains(seen, "control 12 focus-lost") && focusedId() == FirstField, joined(seen));

    platform::setFocus(list);
    platform::selectListRow(list, 0);
    eventsWithin(main, 200);
    seen = press(main, VK_DOWN);
    check("row-chosen", contains(seen, "control 14 change") && platform::selectedListRow(list) == 1, joined(seen));
    seen = press(main, VK_DELETE);
    check("list-delete-key", contains(seen, "key 46 in 14"), joined(seen));

    press(main, VK_TAB);
    seen = press(main, VK_SPACE);
    check("checkbox-click", focusedId() == CheckId && contains(seen, "control 15 click"), joined(seen));
    press(main, VK_TAB);
    platform::selectChoice(choice, 0);
    check("choice-quiet", platform::selectedChoice(choice) == 0 && eventsWithin(main, 200).empty());
    seen = press(main, VK_DOWN);
    check("choice-change", contains(seen, "control 16 change") && platform::selectedChoice(choice) == 1, joined(seen));
}

int run() {
    platform::initCommonControls();
    WindowHandle main = platform::createDialogWindow(u"Vorlix controls harness", 420, 320);
    if (!main) return 1;
    const platform::FontHandle font = platform::createFont(u"Tahoma", 9);
    platform::setDefaultControlFont(main, font);
    WindowHandle panel = platform::createControl(main, ControlKind::Panel, PanelId, {10, 10, 210, 90}, u"");
    WindowHandle first = platform::createControl(panel, ControlKind::TextField, FirstField, {10, 10, 180, 32}, u"one");
    platform::createControl(panel, ControlKind::TextField, SecondField, {10, 40, 180, 62}, u"");
    WindowHandle button = platform::createControl(main, ControlKind::Button, ButtonId, {220, 10, 320, 35}, u"Save");
    WindowHandle list = platform::createControl(main, ControlKind::ListView, ListId, {10, 100, 210, 300}, u"");
    platform::createControl(main, ControlKind::CheckBox, CheckId, {220, 50, 400, 70}, u"Run minimised");
    WindowHandle choice = platform::createControl(main, ControlKind::DropDownList, ChoiceId, {220, 80, 400, 102}, u"");
    WindowHandle label = platform::createControl(main, ControlKind::Label, LabelId, {220, 120, 400, 140}, u"Name");
    if (!panel || !first || !button || !list || !choice || !label) return 1;
    for (const char16_t* c : {u"Normal", u"Minimised", u"Maximised"}) platform::addChoice(choice, c);
    platform::addShortcut(main, platform::KeyReturn, platform::NoModifier, 1);
    platform::addShortcut(main, platform::KeyEscape, platform::NoModifier, 2);

    checkShapes(main, panel, label);
    checkFont(first, font);
    checkRows(main, list);
    checkTooltip(main, button, first);
    check("text-read", platform::windowText(first) == u"one" && platform::windowText(label) == u"Name");

    platform::moveWindow(main, 200, 150);
    platform::showWindow(main, platform::ShowNormal);
    SetForegroundWindow(hwnd(main));
    eventsWithin(main, 300);
    checkKeyboard(main, list, choice);

    HWND tooltip = FindWindowW(TOOLTIPS_CLASSW, nullptr);
    platform::destroyWindow(main);
    check("tooltip-gone-with-window", tooltip && !IsWindow(tooltip));
    platform::destroyFont(font);
    say(failures == 0 ? "done\n" : "done with failures\n");
    return 0;
}

} // namespace

int wmain() { return run(); }
