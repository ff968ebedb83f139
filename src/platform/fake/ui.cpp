#include "platform/ui.h"

#include "platform/environment.h"
#include "platform/fake/fake_environment.h"
#include "platform/fake/fake_ui.h"
#include "platform/fake/fake_window_geometry.h"

namespace fake {

UiState& ui() {
    static UiState state;
    return state;
}

void resetUi() { ui() = UiState{}; }

namespace {

constexpr platform::WindowHandle FirstWindowHandle = 0x5000;

platform::WindowHandle newWindow(FakeWindow w) {
    w.handle = FirstWindowHandle + 0x10 * ui().windows.size();
    ui().windows.push_back(w);
    return w.handle;
}

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

// Takes the first event for window that arrives within limit (no limit when limited is false), moving
// the scripted clock on by the time it took.
platform::WindowEvent waitScripted(platform::WindowHandle window, bool limited, std::uint32_t limit) {
    UiState& state = ui();
    state.waits.push_back({window, limited, limit});
    if (window != 0 && !liveWindow(window)) return {};
    auto& ticks = environment().ticks;
    for (auto it = state.events.begin(); it != state.events.end(); ++it) {
        if (!belongsTo(*it, window)) continue;
        if (limited && it->delayMs > limit) {
            it->delayMs -= limit;
            ticks += limit;
            return {};
        }
        ticks += it->delayMs;
        return deliver(it, window);
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

void setMessageHook(MessageHook hook) { fake::ui().hook = hook; }

WindowHandle findTopLevelWindow(const std::u16string& title) {
    if (fake::FakeWindow* own = fake::topLevelWindow(title)) return own->handle;
    std::size_t n = 0;
    for (const std::u16string& other : fake::ui().otherWindows) {
        ++n;
        if (fake::sameTitle(other, title)) return 0x9000 + 0x10 * n; // a window of another process
    }
    return 0;
}

bool workArea(Rect& area) {
    if (fake::ui().workAreaFails) return false;
    area = fake::ui().workArea;
    return true;
}

WindowHandle createFramedPopup(const std::u16string& title, int clientWidth, int clientHeight) {
    if (fake::ui().createFails) return 0;
    fake::FakeWindow w;
    w.text = title;
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
        if (child.parent == window) child.destroyed = true;
    }
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
    return wasVisible;
}

bool moveWindow(WindowHandle window, std::int32_t x, std::int32_t y) {
    if (!fake::liveWindow(window)) return false;
    fake::ui().moves.push_back({window, x, y});
    Rect& r = fake::windowGeometry().rects[window];
    r = {x, y, x + (r.right - r.left), y + (r.bottom - r.top)};
    return true;
}

bool setTopmost(WindowHandle window, bool topmost) {
    fake::FakeWindow* w = fake::liveWindow(window);
    if (!w) return false;
    w->topmost = topmost;
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
    WindowHandle previous = fake::ui().focus;
    fake::ui().focus = window;
    return previous;
}

bool keyDown(int virtualKey) { return fake::ui().keysDown.count(virtualKey) != 0; }

} // namespace platform
