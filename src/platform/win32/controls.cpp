// The editor's windows and their child controls: dialog-style top-level windows, fonts, control
// creation, tooltips and the state every control has.
#include "platform/controls.h"

#include <windows.h>
#include <commctrl.h>

#include <map>

#include "platform/keyboard.h"
#include "platform/win32/guards.h"
#include "platform/win32/native_handles.h"
#include "platform/win32/ui_internal.h"
#include "platform/win32/wide.h"

namespace platform {

using win32::handleOf;
using win32::hwnd;
using win32::rootOf;

namespace {

// What a top-level window keeps for the controls made under it. Its tooltip is owned by the window, so
// Windows destroys the tooltip with it; the entry goes at the window's WM_NCDESTROY.
// The tooltip is made when the first mouse message reaches the window, not with the controls: it is a
// top-level window of its own, which costs the opening of a window a few milliseconds under Wine. Until
// then the tips wait here; once it exists every tip here has its tool on it.
struct TopLevelState {
    bool dialog = false; // Tab moves the focus (createDialogWindow / createOwnedDialogWindow)
    HFONT font = nullptr;
    HWND tooltip = nullptr;
    std::map<HWND, std::u16string> tips; // by control
};

std::map<HWND, TopLevelState>& topLevels() {
    static std::map<HWND, TopLevelState> states;
    return states;
}

const wchar_t* programClassName() {
    const ATOM atom = win32::programWindowClass();
    return atom ? reinterpret_cast<const wchar_t*>(static_cast<ULONG_PTR>(atom)) : nullptr; // MAKEINTATOM
}

HWND createTopLevel(HWND owner, DWORD style, const std::u16string& title, int clientWidth, int clientHeight) {
    const wchar_t* className = programClassName();
    if (!className) return nullptr;
    RECT outer{0, 0, clientWidth, clientHeight};
    if (!AdjustWindowRectEx(&outer, style, FALSE, 0)) return nullptr;
    HWND window = CreateWindowExW(0, className, wz(title), style, 0, 0, widthOf(outer),
                                  heightOf(outer), owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window) topLevels()[window].dialog = true;
    return window;
}

struct ControlClass {
    const wchar_t* name; // nullptr: the program's window class
    DWORD style;
    DWORD exStyle;
};

ControlClass controlClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::Panel: return {nullptr, 0, WS_EX_STATICEDGE | WS_EX_CONTROLPARENT};
    case ControlKind::Label: return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::Button: return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::DefaultButton: return {L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, 0};
    case ControlKind::CheckBox: return {L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case ControlKind::ToggleButton: return {L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE, 0};
    case ControlKind::ImageButton: return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, 0};
    case ControlKind::TextField: return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::DropDownList: return {L"COMBOBOX", WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL, 0};
    case ControlKind::ListView:
        return {WC_LISTVIEWW,
                WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                WS_EX_CLIENTEDGE};
    case ControlKind::IconList: return {WC_LISTVIEWW, WS_TABSTOP | LVS_LIST | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0};
    case ControlKind::Image: return {L"STATIC", SS_ICON, 0};
    case ControlKind::Rule: return {L"STATIC", 0, WS_EX_CLIENTEDGE};
    case ControlKind::Link: return {L"STATIC", SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0}; // SS_NOTIFY: it gets the mouse
    }
    return {L"STATIC", 0, 0};
}

// The report view's one column, as wide as the list; false when the list has no column to show rows in.
bool addReportColumn(HWND list, int width) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP,
                 LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    wchar_t noTitle[] = L"";
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = width;
    column.pszText = noTitle;
    return SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)) == 0;
}

// Without LVS_SHAREIMAGELISTS the list destroys its image list with itself.
void addSmallIcons(HWND list) {
    HIMAGELIST icons = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 8);
    if (icons) SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons));
}

// message: TTM_ADDTOOLW for a control new to the tooltip, TTM_UPDATETIPTEXTW for one it has. Whether the
// control has a tool is known from the tips, never asked: TTM_GETTOOLINFOW copies the tool's whole text
// into a buffer it assumes holds 80 characters, and an icon path is often longer.
bool sendTool(HWND tooltip, HWND root, HWND control, const std::u16string& text, UINT message) {
    // The V2 size: comctl32 5 (no manifest) refuses the longer structure of version 6.
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    // No TTF_SUBCLASS: the message pump relays the mouse messages. A subclassed control pays a window
    // property lookup on every message it gets, which made filling a long list many times slower.
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = root;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    std::u16string copy = text; // the tool structure wants a writable string; the tooltip keeps its own copy
    tool.lpszText = wbuf(copy);
    return SendMessageW(tooltip, message, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

HWND makeTooltip(HWND root, TopLevelState& state) {
    state.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, root, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
    if (!state.tooltip) return nullptr;
    for (const auto& [control, text] : state.tips) sendTool(state.tooltip, root, control, text, TTM_ADDTOOLW);
    return state.tooltip;
}

} // namespace

namespace win32 {

bool isDialogWindow(HWND window) {
    const auto& states = topLevels();
    auto it = states.find(window);
    return it != states.end() && it->second.dialog;
}

HWND tooltipOfWindow(HWND root) {
    auto& states = topLevels();
    auto it = states.find(root);
    if (it == states.end() || it->second.tips.empty()) return nullptr;
    return it->second.tooltip ? it->second.tooltip : makeTooltip(root, it->second);
}

void dropTooltipOf(HWND root) {
    auto it = topLevels().find(root);
    if (it == topLevels().end() || !it->second.tooltip) return;
    DestroyWindow(it->second.tooltip);
    it->second.tooltip = nullptr;
}

void forgetControlsOf(HWND window) { topLevels().erase(window); }

} // namespace win32

bool initCommonControls() {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_STANDARD_CLASSES;
    return InitCommonControlsEx(&classes) != FALSE;
}

WindowHandle createDialogWindow(const std::u16string& title, int clientWidth, int clientHeight) {
    return handleOf(createTopLevel(nullptr, WS_CAPTION | WS_SYSMENU, title, clientWidth, clientHeight));
}

WindowHandle createOwnedDialogWindow(WindowHandle owner, const std::u16string& title, int clientWidth,
                                     int clientHeight) {
    return handleOf(createTopLevel(hwnd(owner), WS_CAPTION | WS_POPUP, title, clientWidth, clientHeight));
}

FontHandle createFont(const std::u16string& face, int points) {
    // Marlett is a symbol font: asked for with another character set, the font mapper may hand out a
    // text font instead, which draws the arrows as the digits "5" and "6".
    const BYTE charset = face == u"Marlett" ? SYMBOL_CHARSET : DEFAULT_CHARSET;
    HFONT font = CreateFontW(-MulDiv(points, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             wz(face));
    return win32::typed<FontHandle>(font);
}

bool destroyFont(FontHandle font) { return DeleteObject(win32::native<HFONT>(font)) != FALSE; }

void setDefaultControlFont(WindowHandle window, FontHandle font) {
    if (!IsWindow(hwnd(window))) return;
    topLevels()[rootOf(hwnd(window))].font = win32::native<HFONT>(font);
}

bool setControlFont(WindowHandle control, FontHandle font) {
    if (!IsWindow(hwnd(control))) return false;
    SendMessageW(hwnd(control), WM_SETFONT, static_cast<WPARAM>(font.value), TRUE); // WM_SETFONT answers nothing
    return true;
}

WindowHandle createControl(WindowHandle parent, ControlKind kind, int id, const Rect& bounds,
                           const std::u16string& caption) {
    const ControlClass cls = controlClass(kind);
    const wchar_t* className = cls.name ? cls.name : programClassName();
    if (!className || !IsWindow(hwnd(parent))) return 0;
    const int width = bounds.width();
    int height = bounds.height();
    if (kind == ControlKind::DropDownList) height += 120; // the window's height includes the open list
    HWND control = CreateWindowExW(cls.exStyle, className, wz(caption), WS_CHILD | WS_VISIBLE | cls.style, bounds.left,
                                   bounds.top, width, height, hwnd(parent),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    if (!control) return 0;
    if (kind == ControlKind::ListView && !addReportColumn(control, width)) {
        DestroyWindow(control);
        return 0;
    }
    if (kind == ControlKind::IconList) addSmallIcons(control);
    if (kind == ControlKind::Link) {
        const COLORREF link = GetSysColor(COLOR_HOTLIGHT); // until setLinkColours
        win32::rememberLink(control, link, link);
    }
    auto it = topLevels().find(rootOf(control));
    if (it != topLevels().end() && it->second.font) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(it->second.font), FALSE);
    }
    return handleOf(control);
}

bool setTextColour(WindowHandle label, Colour colour) {
    if (!IsWindow(hwnd(label))) return false;
    win32::rememberTextColour(hwnd(label), colour);
    return InvalidateRect(hwnd(label), nullptr, TRUE) != FALSE;
}

bool setLinkColours(WindowHandle link, Colour colour, Colour hotColour) {
    if (!IsWindow(hwnd(link))) return false;
    win32::rememberLink(hwnd(link), colour, hotColour);
    return InvalidateRect(hwnd(link), nullptr, TRUE) != FALSE;
}

bool fitToText(WindowHandle control) {
    HWND window = hwnd(control);
    RECT bounds{};
    SIZE size{};
    if (!GetWindowRect(window, &bounds)) return false;
    {
        const win32::WindowDc dc(window);
        if (!dc.get()) return false;
        const win32::SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
        const std::u16string text = windowText(control);
        if (!GetTextExtentPoint32W(dc.get(), wz(text), static_cast<int>(text.size()), &size)) return false;
    }
    return SetWindowPos(window, nullptr, 0, 0, size.cx, heightOf(bounds), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) !=
           FALSE;
}

bool setTooltip(WindowHandle window, WindowHandle control, const std::u16string& text) {
    if (!IsWindow(hwnd(control))) return false;
    HWND root = rootOf(hwnd(window));
    TopLevelState& state = topLevels()[root];
    const bool known = state.tips.count(hwnd(control)) != 0;
    state.tips[hwnd(control)] = text;
    if (!state.tooltip) return true; // made with every tip when the mouse first comes
    if (!known) return sendTool(state.tooltip, root, hwnd(control), text, TTM_ADDTOOLW);
    sendTool(state.tooltip, root, hwnd(control), text, TTM_UPDATETIPTEXTW); // answers nothing
    return true;
}

// ---- State of any control ----------------------------------------------------------------------

bool limitText(WindowHandle field, std::size_t count) {
    SendMessageW(hwnd(field), EM_LIMITTEXT, count, 0);
    return true;
}

std::u16string windowText(WindowHandle window) {
    const int length = GetWindowTextLengthW(hwnd(window));
    if (length <= 0) return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = GetWindowTextW(hwnd(window), wbuf(text), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

bool enableWindow(WindowHandle window, bool enabled) {
    if (!IsWindow(hwnd(window))) return false;
    EnableWindow(hwnd(window), enabled ? TRUE : FALSE); // answers the previous state, not success
    return true;
}

bool windowEnabled(WindowHandle window) { return IsWindowEnabled(hwnd(window)) != FALSE; }

bool windowVisible(WindowHandle window) { return IsWindowVisible(hwnd(window)) != FALSE; }

WindowHandle focusedWindow() { return handleOf(GetFocus()); }

int controlNumber(WindowHandle control) { return GetDlgCtrlID(hwnd(control)); }

// ---- Buttons and check boxes -------------------------------------------------------------------------

bool isChecked(WindowHandle button) { return SendMessageW(hwnd(button), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool setChecked(WindowHandle button, bool checked) {
    if (!IsWindow(hwnd(button))) return false;
    SendMessageW(hwnd(button), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0); // always answers 0
    return true;
}

bool setButtonIcon(WindowHandle button, IconHandle icon) {
    if (!IsWindow(hwnd(button))) return false;
    SendMessageW(hwnd(button), BM_SETIMAGE, IMAGE_ICON, static_cast<LPARAM>(icon.value)); // answers the old image
    return true;
}

bool setImageIcon(WindowHandle image, IconHandle icon) {
    if (!IsWindow(hwnd(image))) return false;
    SendMessageW(hwnd(image), STM_SETICON, static_cast<WPARAM>(icon.value), 0); // answers the old icon
    return true;
}

} // namespace platform
