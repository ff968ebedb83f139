// The program's window class, its window procedure and the event queue it fills; timers, keyboard
// shortcuts (the accelerator tables live with the queue's pump), and the two control calls that the
// queue must know of (text set by the program, dropped files).
#include "platform/events.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <deque>
#include <map>
#include <set>
#include <vector>

#include "platform/controls.h"
#include "platform/keyboard.h"
#include "platform/win32/guards.h"
#include "platform/win32/ui_internal.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_hooks.h"

namespace platform {

using win32::handleOf;
using win32::hwnd;
using win32::rootOf;

namespace {

// The table is made when the first message needs it, not once per key added: under Wine every table
// made and replaced is a round trip to the server, and the editor adds eighteen keys while it opens.
struct WindowShortcuts {
    std::vector<ACCEL> keys;
    win32::AcceleratorTable table;
    bool stale = false; // keys were added since the table was made

    HACCEL current() {
        if (stale) {
            table.reset(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
            stale = false;
        }
        return table.get();
    }
};

struct TextColour {
    HWND owner = nullptr; // the top-level window, so the entry goes when that window goes
    COLORREF colour = 0;
    bool link = false;
    COLORREF hotColour = 0; // a link's, while the mouse is over it
    bool hot = false;
};

struct UiRuntime {
    std::deque<WindowEvent> queue;
    std::map<HWND, WindowShortcuts> shortcuts;
    std::map<HWND, TextColour> textColours;
    std::set<HWND> clickReporters; // windows that asked for Released and FramePressed events
    std::set<HWND> sessionHolders; // windows that something unsaved keeps the session from ending
    HWND changeSuppressed = nullptr; // control whose text the program is setting right now
};

UiRuntime& runtime() {
    static UiRuntime state;
    return state;
}

bool classIs(HWND window, const wchar_t* name) {
    wchar_t buffer[32] = {};
    if (GetClassNameW(window, buffer, 32) == 0) return false;
    return lstrcmpiW(buffer, name) == 0;
}

// Which notification of which control class is which control event.
struct NotificationRow {
    const wchar_t* controlClass;
    UINT code;
    ControlAction action;
};

constexpr NotificationRow CommandNotifications[] = {
    {L"Static", STN_CLICKED, ControlAction::Click},
    {L"Static", STN_DBLCLK, ControlAction::DoubleClick},
    {L"Button", BN_CLICKED, ControlAction::Click},
    {L"Button", BN_DOUBLECLICKED, ControlAction::DoubleClick},
    {L"Edit", EN_CHANGE, ControlAction::Change},
    {L"Edit", EN_KILLFOCUS, ControlAction::FocusLost},
    {L"ComboBox", CBN_SELCHANGE, ControlAction::Change},
    {L"ComboBox", CBN_EDITCHANGE, ControlAction::Change},
    {L"ComboBox", CBN_KILLFOCUS, ControlAction::FocusLost},
    {L"ComboBox", CBN_DBLCLK, ControlAction::DoubleClick},
};

bool commandAction(HWND control, UINT code, ControlAction& action) {
    for (const NotificationRow& row : CommandNotifications) {
        if (row.code == code && classIs(control, row.controlClass)) {
            action = row.action;
            return true;
        }
    }
    return false;
}

WindowEvent eventFor(HWND window, EventKind kind) {
    WindowEvent event;
    event.kind = kind;
    event.window = handleOf(rootOf(window));
    return event;
}

void queueControlEvent(HWND window, int control, ControlAction action) {
    WindowEvent event = eventFor(window, EventKind::Control);
    event.control = control;
    event.action = action;
    win32::queueEvent(event);
}

// Windows coalesces WM_TIMER; so does the queue, or ticks would pile up while nobody waits.
void queueTimer(HWND window, int id) {
    WindowEvent event = eventFor(window, EventKind::Timer);
    event.id = id;
    for (const WindowEvent& queued : runtime().queue) {
        if (queued.kind == EventKind::Timer && queued.window == event.window && queued.id == id) return;
    }
    win32::queueEvent(event);
}

void queueDroppedFiles(HWND receiver, HDROP drop) {
    WindowEvent event = eventFor(receiver, EventKind::FilesDropped);
    event.control = handleOf(receiver) == event.window ? 0 : GetDlgCtrlID(receiver);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::u16string path(length + 1, u'\0');
        path.resize(DragQueryFileW(drop, i, wbuf(path), length + 1));
        if (i > 0) event.files += u'\n';
        event.files += path;
    }
    DragFinish(drop);
    win32::queueEvent(event);
}

TextColour* linkOf(HWND control) {
    auto it = runtime().textColours.find(control);
    return it != runtime().textColours.end() && it->second.link ? &it->second : nullptr;
}

bool handleCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if (lParam == 0) { // a menu item or a keyboard shortcut
        WindowEvent event = eventFor(window, EventKind::Menu);
        event.id = LOWORD(wParam);
        event.byShortcut = HIWORD(wParam) == 1;
        win32::queueEvent(event);
        return true;
    }
    HWND control = reinterpret_cast<HWND>(lParam);
    if (linkOf(control)) return true; // a link reacts to the release, not to the press that sent this
    ControlAction action{};
    if (!commandAction(control, HIWORD(wParam), action)) return true;
    if (action == ControlAction::Change && control == runtime().changeSuppressed) return true;
    queueControlEvent(window, LOWORD(wParam), action);
    return true;
}

// Only the codes that matter ask for the sender's class: a list sends a notice for every row inserted
// and every item drawn, thousands while a long menu is filled.
bool isListNotice(const NMHDR* header) {
    switch (header->code) {
    case NM_CLICK:
    case NM_DBLCLK:
    case LVN_ITEMCHANGED:
    case LVN_KEYDOWN: return classIs(header->hwndFrom, WC_LISTVIEWW);
    default: return false;
    }
}

bool handleNotify(HWND window, LPARAM lParam) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || !isListNotice(header)) return false;
    const int control = static_cast<int>(header->idFrom);
    switch (header->code) {
    case NM_CLICK: queueControlEvent(window, control, ControlAction::Click); return true;
    case NM_DBLCLK: queueControlEvent(window, control, ControlAction::DoubleClick); return true;
    case LVN_ITEMCHANGED: {
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        const bool nowSelected = (change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED);
        if (nowSelected && header->hwndFrom != runtime().changeSuppressed) {
            queueControlEvent(window, control, ControlAction::Change);
        }
        return true;
    }
    case LVN_KEYDOWN: {
        WindowEvent event = eventFor(window, EventKind::KeyPressed);
        event.id = reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey;
        event.control = control;
        win32::queueEvent(event);
        return true;
    }
    default: return false;
    }
}

bool colourStatic(HWND window, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    auto& colours = runtime().textColours;
    auto it = colours.find(reinterpret_cast<HWND>(lParam));
    if (it == colours.end()) return false;
    result = DefWindowProcW(window, WM_CTLCOLORSTATIC, wParam, lParam); // the usual background brush
    SetTextColor(reinterpret_cast<HDC>(wParam), it->second.hot ? it->second.hotColour : it->second.colour);
    return true;
}

bool handCursorOverLink(HWND under) {
    if (!linkOf(under)) return false;
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649))); // IDC_HAND
    return true;
}

// Judged in the window procedure, so a press on the frame that is reported starts no move or resize.
bool reportClick(HWND window, UINT message) {
    if (!runtime().clickReporters.count(window)) return false;
    win32::queueEvent(eventFor(window, message == WM_LBUTTONUP ? EventKind::Released : EventKind::FramePressed));
    return message == WM_NCLBUTTONDOWN;
}

void forgetWindow(HWND window) {
    UiRuntime& rt = runtime();
    win32::forgetControlsOf(window);
    rt.shortcuts.erase(window);
    rt.clickReporters.erase(window);
    rt.sessionHolders.erase(window);
    for (auto it = rt.textColours.begin(); it != rt.textColours.end();) {
        if (it->second.owner == window || it->first == window) it = rt.textColours.erase(it);
        else ++it;
    }
    const WindowHandle gone = handleOf(window);
    for (auto it = rt.queue.begin(); it != rt.queue.end();) {
        if (it->window == gone) it = rt.queue.erase(it);
        else ++it;
    }
}

// Turns a message into an event; true when the message is fully handled (result holds the answer).
bool translateMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_COMMAND: return handleCommand(window, wParam, lParam);
    case WM_NOTIFY: return handleNotify(window, lParam);
    case WM_CLOSE: win32::queueEvent(eventFor(window, EventKind::Close)); return true;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) win32::queueEvent(eventFor(window, EventKind::Activate));
        return false; // DefWindowProc still sets the focus
    case WM_TIMER: queueTimer(window, static_cast<int>(wParam)); return true;
    case WM_DROPFILES: queueDroppedFiles(window, reinterpret_cast<HDROP>(wParam)); return true;
    case WM_KEYDOWN: {
        WindowEvent event = eventFor(window, EventKind::KeyPressed);
        event.id = static_cast<int>(wParam);
        win32::queueEvent(event);
        return false;
    }
    case WM_CTLCOLORSTATIC: return colourStatic(window, wParam, lParam, result);
    case WM_SETCURSOR:
        result = TRUE;
        return handCursorOverLink(reinterpret_cast<HWND>(wParam));
    case WM_LBUTTONUP:
    case WM_NCLBUTTONDOWN: return reportClick(window, message);
    case WM_QUERYENDSESSION:
        if (!runtime().sessionHolders.count(window)) return false; // DefWindowProc agrees
        win32::queueEvent(eventFor(window, EventKind::EndSession));
        result = FALSE;
        return true;
    case WM_NCDESTROY: forgetWindow(window); return false;
    default: return false;
    }
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (win32::menuNoticeMessage(message, wParam, lParam)) return 0;
    LRESULT result = 0;
    if (win32::ownerDrawMenuMessage(window, message, wParam, lParam, result)) return result;
    if (translateMessage(window, message, wParam, lParam, result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

// Files dropped on a control of another class (a list, an edit field) arrive as a posted WM_DROPFILES that
// its own window procedure would ignore: they are taken here, before dispatch, instead of by a subclass.
bool takeDroppedFiles(const MSG& message) {
    if (message.message != WM_DROPFILES || win32::isProgramWindow(message.hwnd)) return false;
    if (!(GetWindowLongPtrW(message.hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES)) return false;
    queueDroppedFiles(message.hwnd, reinterpret_cast<HDROP>(message.wParam));
    return true;
}

// A link follows the mouse here, for the same reason: the static control's own procedure knows nothing of
// links. Answers true when the message is taken.
bool linkMouse(const MSG& message) {
    TextColour* link = linkOf(message.hwnd);
    if (!link) return false;
    switch (message.message) {
    case WM_MOUSEMOVE:
        if (link->hot) return true;
        {
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, message.hwnd, 0};
            TrackMouseEvent(&track);
        }
        link->hot = true;
        break;
    case WM_MOUSELEAVE: link->hot = false; break;
    case WM_LBUTTONUP: queueControlEvent(message.hwnd, GetDlgCtrlID(message.hwnd), ControlAction::Click); return true;
    default: return false;
    }
    InvalidateRect(message.hwnd, nullptr, TRUE);
    return true;
}

// The tooltips are told of the mouse here, for the same reason.
void relayToTooltip(HWND root, MSG& message) {
    if (message.message < WM_MOUSEFIRST || message.message > WM_MOUSELAST) return;
    HWND tooltip = win32::tooltipOfWindow(root);
    if (tooltip) SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
}

void dispatch(MSG& message) {
    if (message.hwnd) {
        if (takeDroppedFiles(message) || linkMouse(message)) return;
        HWND root = rootOf(message.hwnd);
        relayToTooltip(root, message);
        auto& shortcuts = runtime().shortcuts;
        auto it = shortcuts.find(root);
        HACCEL table = it != shortcuts.end() ? it->second.current() : nullptr;
        if (table && TranslateAcceleratorW(root, table, &message)) {
            return;
        }
        // After the shortcuts, so Enter and Escape stay theirs; IsDialogMessageW dispatches what it takes.
        if (win32::isDialogWindow(root) && IsDialogMessageW(root, &message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void pumpPending() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue; // nothing here ends the thread's loop
        dispatch(message);
    }
}

bool takeEvent(WindowHandle window, WindowEvent& event) {
    auto& queue = runtime().queue;
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (window == 0 || it->window == window) {
            event = *it;
            queue.erase(it);
            return true;
        }
    }
    return false;
}

WindowEvent waitUntil(WindowHandle window, bool limited, ULONGLONG deadline) {
    for (;;) {
        pumpPending();
        WindowEvent event;
        if (takeEvent(window, event)) return event;
        if (window != 0 && !IsWindow(hwnd(window))) return {}; // nothing would ever come
        DWORD wait = INFINITE;
        if (limited) {
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline) return {};
            const ULONGLONG left = deadline - now;
            wait = left < INFINITE ? static_cast<DWORD>(left) : INFINITE - 1;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

} // namespace

namespace win32 {

ATOM programWindowClass() {
    static ATOM atom = 0;
    if (atom != 0) return atom;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = L"VorlixWindow";
    atom = RegisterClassExW(&windowClass);
    return atom;
}

bool isProgramWindow(HWND window) {
    const ATOM atom = programWindowClass();
    return atom != 0 && GetClassLongPtrW(window, GCW_ATOM) == atom;
}

void queueEvent(const WindowEvent& event) { runtime().queue.push_back(event); }

void rememberTextColour(HWND control, COLORREF colour) {
    TextColour& entry = runtime().textColours[control];
    entry.owner = rootOf(control);
    entry.colour = colour;
}

void rememberLink(HWND control, COLORREF colour, COLORREF hotColour) {
    rememberTextColour(control, colour);
    TextColour& entry = runtime().textColours[control];
    entry.link = true;
    entry.hotColour = hotColour;
}

QuietChanges::QuietChanges(HWND control) : previous_(runtime().changeSuppressed) { runtime().changeSuppressed = control; }

QuietChanges::~QuietChanges() { runtime().changeSuppressed = previous_; }

} // namespace win32

bool setWindowText(WindowHandle window, const std::u16string& text) {
    UiRuntime& rt = runtime();
    rt.changeSuppressed = hwnd(window); // EN_CHANGE arrives inside SetWindowTextW
    const bool done = SetWindowTextW(hwnd(window), wz(text)) != FALSE;
    rt.changeSuppressed = nullptr;
    return done;
}

bool acceptDroppedFiles(WindowHandle window) {
    HWND target = hwnd(window);
    if (!IsWindow(target)) return false;
    DragAcceptFiles(target, TRUE); // the message pump hands a control's drops to the queue
    return true;
}

bool addShortcut(WindowHandle window, int virtualKey, unsigned modifiers, int command) {
    HWND target = hwnd(window);
    if (!IsWindow(target)) return false;
    WindowShortcuts& shortcuts = runtime().shortcuts[target];
    ACCEL key{};
    key.fVirt = static_cast<BYTE>(FVIRTKEY | (modifiers & (FSHIFT | FCONTROL | FALT)));
    key.key = static_cast<WORD>(virtualKey);
    key.cmd = static_cast<WORD>(command);
    shortcuts.keys.push_back(key);
    shortcuts.stale = true;
    return true;
}

WindowEvent waitEvent(WindowHandle window) { return waitUntil(window, false, 0); }

WindowEvent waitEventFor(WindowHandle window, std::uint32_t timeoutMs) {
    return waitUntil(window, true, GetTickCount64() + timeoutMs);
}

void drainEvents(WindowHandle window) {
    pumpPending();
    WindowEvent discarded;
    while (takeEvent(window, discarded)) {
    }
}

void postEvent(const WindowEvent& event) { win32::queueEvent(event); }

bool reportClicks(WindowHandle window) {
    if (!IsWindow(hwnd(window))) return false;
    runtime().clickReporters.insert(hwnd(window));
    return true;
}

bool holdEndSession(WindowHandle window, bool hold, const std::u16string& reason) {
    HWND target = hwnd(window);
    if (!IsWindow(target)) return false;
    if (!hold) {
        runtime().sessionHolders.erase(target);
        ShutdownBlockReasonDestroy(target);
        return true;
    }
    runtime().sessionHolders.insert(target);
    // Without a reason the system still waits, and names the program only.
    ShutdownBlockReasonCreate(target, wz(reason));
    return true;
}

bool startTimer(WindowHandle window, unsigned id, unsigned periodMs) {
    return SetTimer(hwnd(window), id, periodMs, nullptr) != 0;
}

bool stopTimer(WindowHandle window, unsigned id) {
    auto& queue = runtime().queue;
    for (auto it = queue.begin(); it != queue.end();) { // no tick of a stopped timer is seen afterwards
        if (it->kind == EventKind::Timer && it->window == window && it->id == static_cast<int>(id)) it = queue.erase(it);
        else ++it;
    }
    return KillTimer(hwnd(window), id) != FALSE;
}

} // namespace platform
