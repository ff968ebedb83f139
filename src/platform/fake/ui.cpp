// The fake window system: top-level windows, the event queue, the keyboard and the cursor.
#include "platform/controls.h"
#include "platform/cursor.h"
#include "platform/environment.h"
#include "platform/events.h"
#include "platform/fake/fake_controls.h"
#include "platform/fake/fake_environment.h"
#include "platform/fake/fake_icons.h"
#include "platform/fake/fake_ui.h"
#include "platform/fake/fake_window_geometry.h"
#include "platform/keyboard.h"
#include "platform/top_windows.h"
#include "platform/window_geometry.h"

namespace fake {

UiState& ui() {
    static UiState state;
    return state;
}

void resetUi() { ui() = UiState{}; }

namespace {
int rowWhere(const FakeWindow& list, bool FakeRow::*flag) {
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        if (list.rows[i].*flag) return static_cast<int>(i);
    }
    return -1;
}
} // namespace

std::vector<std::u16string> rowTexts(const FakeWindow& list) {
    std::vector<std::u16string> texts;
    for (const FakeRow& row : list.rows) texts.push_back(row.text);
    return texts;
}

int selectedRowOf(const FakeWindow& list) { return rowWhere(list, &FakeRow::selected); }
int scrolledRowOf(const FakeWindow& list) { return rowWhere(list, &FakeRow::scrolledTo); }

void selectRow(FakeWindow& list, int index) {
    for (std::size_t i = 0; i < list.rows.size(); ++i) list.rows[i].selected = static_cast<int>(i) == index;
}

platform::WindowHandle newWindow(FakeWindow w) {
    constexpr std::uintptr_t FirstWindowHandle = 0x5000;
    w.handle = platform::WindowHandle{FirstWindowHandle + 0x10 * ui().windows.size()};
    ui().windows.push_back(w);
    return w.handle;
}

namespace {

FakeWindow* liveWindow(platform::WindowHandle handle) {
    FakeWindow* w = window(handle);
    return w && !w->destroyed ? w : nullptr;
}

bool sameTitle(const std::u16string& a, const std::u16string& b) {
    return platform::upperCase(a) == platform::upperCase(b); // FindWindowW ignores letter case
}

bool belongsTo(const ScriptedEvent& scripted, platform::WindowHandle window) {
    return window == 0 || scripted.event.window == 0 || scripted.event.window == window;
}

platform::WindowEvent deliver(std::deque<ScriptedEvent>::iterator it, platform::WindowHandle window) {
    platform::WindowEvent event = it->event;
    if (event.window == 0) event.window = window;
    ui().events.erase(it);
    return event;
}

bool isWithin(platform::WindowHandle handle, platform::WindowHandle ancestor) {
    for (FakeWindow* w = window(handle); w; w = w->parent ? window(w->parent) : nullptr) {
        if (w->handle == ancestor) return true;
    }
    return false;
}

bool canHoldFocus(platform::WindowHandle handle) {
    for (FakeWindow* w = liveWindow(handle); w; w = w->parent ? liveWindow(w->parent) : nullptr) {
        if (!w->enabled) return false; // SetFocus refuses a disabled window or one in a disabled parent
        if (w->parent == 0) return true;
    }
    return false;
}

// Moves the focus; true when the window losing it queued a FocusLost event.
bool moveFocus(platform::WindowHandle to) {
    const platform::WindowHandle from = ui().focus;
    ui().focus = to;
    if (from == to) return false;
    FakeWindow* lost = liveWindow(from);
    if (!lost || lost->parent == 0) return false;
    if (lost->kind != platform::ControlKind::TextField && lost->kind != platform::ControlKind::DropDownList) return false;
    platform::WindowEvent event;
    event.kind = platform::EventKind::Control;
    event.window = rootOf(from);
    event.control = lost->controlId;
    event.action = platform::ControlAction::FocusLost;
    platform::postEvent(event);
    return true;
}

// A user can reach a control only while it and everything around it exist, are enabled and are shown.
bool reachable(const FakeWindow& control) {
    for (const FakeWindow* w = &control; w; w = w->parent ? liveWindow(w->parent) : nullptr) {
        if (w->destroyed || !w->enabled || !w->visible) return false;
        if (w->parent == 0) return true;
    }
    return false;
}

FakeWindow* controlIn(platform::WindowHandle root, int number) {
    for (FakeWindow& w : ui().windows) {
        if (!w.destroyed && w.parent != 0 && w.controlId == number && (root == 0 || rootOf(w.handle) == root)) return &w;
    }
    return nullptr;
}

bool isList(const FakeWindow& w) {
    return w.kind == platform::ControlKind::ListView || w.kind == platform::ControlKind::IconList;
}

enum class Outcome { Deliver, Refused, FocusLostFirst };

// Checks and applies a scripted user action at the moment its event is delivered.
Outcome act(ScriptedEvent& scripted, platform::WindowHandle waitedFor) {
    using Change = UserAction::Change;
    const UserAction& a = scripted.action;
    const platform::WindowHandle root = scripted.event.window ? scripted.event.window : waitedFor;
    FakeWindow* c = a.control == 0 && a.change == Change::Drop ? liveWindow(root) : controlIn(root, a.control);
    if (!c || !reachable(*c)) return Outcome::Refused;
    const auto inRange = [](int index, std::size_t count) { return index >= 0 && static_cast<std::size_t>(index) < count; };
    switch (a.change) {
    case Change::SetText:
        if (c->kind != platform::ControlKind::TextField) return Outcome::Refused;
        break;
    case Change::SelectRow:
        if (!isList(*c) || !inRange(a.index, c->rows.size())) return Outcome::Refused;
        break;
    case Change::SelectChoice:
        if (c->kind != platform::ControlKind::DropDownList || !inRange(a.index, c->choices.size())) return Outcome::Refused;
        break;
    case Change::Drop:
        if (!c->acceptsFiles) return Outcome::Refused; // files can be dropped only where they are taken
        break;
    default: break;
    }
    const bool takesFocus = c->parent != 0 && c->kind != platform::ControlKind::Label && c->kind != platform::ControlKind::Panel;
    if (a.focuses && takesFocus && ui().focus != c->handle && moveFocus(c->handle)) return Outcome::FocusLostFirst;
    switch (a.change) {
    case Change::SetText: c->text = a.text.substr(0, c->textLimit ? c->textLimit : a.text.size()); break;
    case Change::Click:
        if (c->kind == platform::ControlKind::CheckBox || c->kind == platform::ControlKind::ToggleButton) c->checked = !c->checked;
        break;
    case Change::SelectRow: selectRow(*c, a.index); break;
    case Change::SelectChoice: c->selectedChoice = a.index; break;
    case Change::Drop: scripted.event.control = c->parent == 0 ? 0 : c->controlId; break;
    default: break;
    }
    if (scripted.event.window == 0) scripted.event.window = rootOf(c->handle);
    return Outcome::Deliver;
}

// Takes the first event for window that arrives within limit (no limit when limited is false), moving
// the scripted clock on by the time it took.
platform::WindowEvent waitScripted(platform::WindowHandle window, bool limited, std::uint32_t limit) {
    UiState& state = ui();
    state.waits.push_back({window, limited, limit});
    if (window != 0 && !liveWindow(window)) return {};
    auto& ticks = environment().ticks;
    for (auto it = state.events.begin(); it != state.events.end();) {
        if (!belongsTo(*it, window)) {
            ++it;
            continue;
        }
        if (limited && it->delayMs > limit) {
            it->delayMs -= limit;
            ticks += limit;
            return {};
        }
        ticks += it->delayMs;
        if (limited) limit -= it->delayMs;
        it->delayMs = 0;
        if (it->action.change == UserAction::Change::None) return deliver(it, window);
        switch (act(*it, window)) {
        case Outcome::Deliver: return deliver(it, window);
        case Outcome::Refused:
            state.refusedActions.push_back(it->action.control);
            it = state.events.erase(it);
            break;
        case Outcome::FocusLostFirst: it = state.events.begin(); break; // the FocusLost now comes first
        }
    }
    if (limited) ticks += limit;
    else ++state.waitsOnNothing; // a real wait would hang here
    return {};
}

} // namespace

FakeWindow* window(platform::WindowHandle handle) {
    for (FakeWindow& w : ui().windows) {
        if (w.handle == handle) return &w;
    }
    return nullptr;
}

FakeWindow* topLevelWindow(const std::u16string& title) {
    for (FakeWindow& w : ui().windows) {
        if (!w.destroyed && w.parent == 0 && sameTitle(w.text, title)) return &w;
    }
    return nullptr;
}

platform::WindowHandle rootOf(platform::WindowHandle handle) {
    FakeWindow* w = window(handle);
    while (w && w->parent != 0) w = window(w->parent);
    return w ? w->handle : 0;
}

void scriptEvent(const ScriptedEvent& scripted) { ui().events.push_back(scripted); }

void scriptEvent(platform::EventKind kind, int id, std::uint32_t delayMs) {
    ScriptedEvent scripted;
    scripted.event.kind = kind;
    scripted.event.id = id;
    scripted.event.control = id;
    scripted.delayMs = delayMs;
    ui().events.push_back(scripted);
}

} // namespace fake

namespace platform {

WindowHandle findTopLevelWindow(const std::u16string& title) {
    if (fake::FakeWindow* own = fake::topLevelWindow(title)) return own->handle;
    std::size_t n = 0;
    for (const std::u16string& other : fake::ui().otherWindows) {
        ++n;
        if (fake::sameTitle(other, title)) return 0x9000 + 0x10 * n; // a window of another process
    }
    return 0;
}

std::vector<TitledWindow> titledTopLevelWindows() {
    std::vector<TitledWindow> list;
    for (const fake::FakeWindow& w : fake::ui().windows)
        if (!w.destroyed && w.parent == 0 && !w.text.empty()) list.push_back({w.handle, w.text});
    std::size_t n = 0;
    for (const std::u16string& other : fake::ui().otherWindows) list.push_back({0x9000 + 0x10 * ++n, other});
    return list;
}

bool workArea(Rect& area) {
    if (fake::ui().workAreaFails) return false;
    area = fake::ui().workArea;
    return true;
}

WindowHandle createFramedPopup(const std::u16string& title, int clientWidth, int clientHeight,
                               WindowHandle owner) {
    if (fake::ui().createFails) return 0;
    fake::FakeWindow w;
    w.text = title;
    w.owner = owner;
    w.clientWidth = clientWidth;
    w.clientHeight = clientHeight;
    WindowHandle handle = fake::newWindow(w);
    // Placed at (0, 0); the sizing frame adds 4 pixels on every side, as on a classic Windows desktop.
    fake::windowGeometry().rects[handle] = {0, 0, clientWidth + 8, clientHeight + 8};
    return handle;
}

WindowHandle createLabel(WindowHandle parent, int controlId, const Rect& bounds, const std::u16string& text,
                         Colour textColour) {
    if (fake::ui().createFails || !fake::liveWindow(parent)) return 0;
    fake::FakeWindow w;
    w.parent = parent;
    w.text = text;
    w.controlId = controlId;
    w.bounds = bounds;
    w.textColour = textColour;
    w.visible = true;
    return fake::newWindow(w);
}

bool limitText(WindowHandle field, std::size_t count) {
    fake::FakeWindow* w = fake::liveWindow(field);
    if (!w) return false;
    w->textLimit = count;
    return true;
}

bool setWindowText(WindowHandle window, const std::u16string& text) {
    fake::FakeWindow* w = fake::liveWindow(window);
    if (!w) return false;
    w->text = text;
    return true;
}

bool acceptDroppedFiles(WindowHandle window) {
    fake::FakeWindow* w = fake::liveWindow(window);
    if (!w) return false;
    w->acceptsFiles = true;
    return true;
}

bool destroyWindow(WindowHandle window) {
    fake::FakeWindow* w = fake::liveWindow(window);
    if (!w) return false;
    for (fake::FakeWindow& child : fake::ui().windows) {
        if (child.destroyed || !fake::isWithin(child.handle, window)) continue;
        // The system's controls draw with their font and icon until they are gone, and free neither.
        const fake::FontRecord* font = fake::font(child.font);
        if ((font && font->destroyed) || (child.icon && fake::iconSource(child.icon).empty())) ++fake::ui().freedTooSoon;
        if (child.handle != window) {
            child.destroyed = true; // panels take their controls with them
            child.visible = false;
        }
    }
    w = fake::window(window);
    w->destroyed = true;
    w->visible = false;
    fake::windowGeometry().rects.erase(window);
    for (fake::TimerRequest& t : fake::ui().timers) {
        if (t.window == window) t.running = false;
    }
    return true;
}

bool windowExists(WindowHandle window) { return fake::liveWindow(window) != nullptr; }

bool addShortcut(WindowHandle window, int virtualKey, unsigned modifiers, int command) {
    if (!fake::liveWindow(window)) return false;
    fake::ui().shortcuts.push_back({window, virtualKey, modifiers, command});
    return true;
}

WindowEvent waitEvent(WindowHandle window) { return fake::waitScripted(window, false, 0); }

WindowEvent waitEventFor(WindowHandle window, std::uint32_t timeoutMs) {
    return fake::waitScripted(window, true, timeoutMs);
}

void drainEvents(WindowHandle window) {
    auto& events = fake::ui().events;
    ++fake::ui().drains;
    for (auto it = events.begin(); it != events.end();) {
        if (it->pending && fake::belongsTo(*it, window)) it = events.erase(it);
        else ++it;
    }
}

void postEvent(const WindowEvent& event) {
    auto& events = fake::ui().events;
    auto it = events.begin();
    while (it != events.end() && it->pending) ++it; // after what is queued already, before what is to come
    fake::ScriptedEvent posted;
    posted.event = event;
    posted.pending = true;
    events.insert(it, posted);
}

bool reportClicks(WindowHandle window) {
    fake::FakeWindow* w = fake::liveWindow(window);
    if (!w) return false;
    w->reportsClicks = true;
    return true;
}

bool holdEndSession(WindowHandle window, bool hold, const std::u16string& reason) {
    fake::FakeWindow* w = fake::liveWindow(window);
    if (!w) return false;
    w->endSessionHeld = hold ? reason : std::u16string();
    return true;
}

bool startTimer(WindowHandle window, unsigned id, unsigned periodMs) {
    if (!fake::liveWindow(window)) return false;
    fake::ui().timers.push_back({window, id, periodMs, true});
    return true;
}

bool stopTimer(WindowHandle window, unsigned id) {
    bool stopped = false;
    for (fake::TimerRequest& t : fake::ui().timers) {
        if (t.window == window && t.id == id && t.running) {
            t.running = false;
            stopped = true;
        }
    }
    return stopped;
}

bool showWindow(WindowHandle window, int command) {
    fake::FakeWindow* w = fake::liveWindow(window);
    if (!w) return false;
    fake::ui().showCommands.push_back(command);
    bool wasVisible = w->visible;
    w->visible = command != ShowHide;
    // Hiding the focused control or a panel around it hands the focus to the hidden one's parent. (A
    // hidden or destroyed top-level window keeps its record of the focus, for the tests that read it.)
    if (command == ShowHide && w->parent != 0 && fake::isWithin(fake::ui().focus, window)) fake::moveFocus(w->parent);
    return wasVisible;
}

bool moveWindow(WindowHandle window, std::int32_t x, std::int32_t y) {
    if (!fake::liveWindow(window)) return false;
    fake::ui().moves.push_back({window, x, y});
    Rect& r = fake::windowGeometry().rects[window];
    r = {x, y, x + r.width(), y + r.height()};
    return true;
}

bool setTopmost(WindowHandle window, bool topmost) {
    fake::FakeWindow* w = fake::liveWindow(window);
    if (!w) return false;
    w->topmost = topmost;
    return true;
}

bool setRedraw(WindowHandle window, bool redraw) {
    fake::FakeWindow* w = fake::liveWindow(window);
    if (!w) return false;
    w->redrawPaused = !redraw;
    return true;
}

bool animateWindow(WindowHandle window, std::uint32_t durationMs, unsigned flags) {
    fake::FakeWindow* w = fake::liveWindow(window);
    if (!w) return false;
    fake::ui().animations.push_back({window, durationMs, flags});
    if (fake::ui().animationFails) return false;
    w->visible = (flags & AnimateHide) == 0;
    return true;
}

WindowHandle setFocus(WindowHandle window) {
    if (window != 0 && !fake::canHoldFocus(window)) return 0;
    WindowHandle previous = fake::ui().focus;
    fake::moveFocus(window);
    return previous;
}

bool keyDown(int virtualKey) { return fake::ui().keysDown.count(virtualKey) != 0; }

bool cursorPosition(Point& position) {
    position = fake::ui().cursor;
    return true;
}

bool setForegroundWindow(WindowHandle window) {
    fake::ui().foregroundRequests.push_back(window);
    return true;
}

WindowHandle activeWindow() { return fake::ui().active; }

} // namespace platform
