#pragma once
// Scripted windows and events for the native tests: records the windows, labels, shortcuts, timers,
// shows, moves and animations the program asks for, and answers waits from a scripted event queue in
// scripted time (fake::environment().ticks).
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/ui.h"

namespace fake {

struct FakeWindow {
    platform::WindowHandle handle = 0;
    platform::WindowHandle parent = 0; // 0 for a top-level window
    std::u16string text;               // title, or a label's text
    int clientWidth = 0;               // top-level windows
    int clientHeight = 0;
    int controlId = 0;                 // labels
    platform::Rect bounds;             // labels: in the parent's client area
    platform::Colour textColour = 0;
    bool visible = false;
    bool topmost = false;
    bool acceptsFiles = false;
    bool destroyed = false;
};

struct Shortcut {
    platform::WindowHandle window = 0;
    int key = 0;
    unsigned modifiers = 0;
    int command = 0;
};

// An event that arrives delayMs after the wait that takes it began (or after the event before it).
// window 0 stands for the window being waited for. A pending event is already queued when the program
// drains its events, so a drain discards it.
struct ScriptedEvent {
    platform::WindowEvent event;
    std::uint32_t delayMs = 0;
    bool pending = false;
};

struct WaitRequest {
    platform::WindowHandle window = 0;
    bool limited = false;
    std::uint32_t timeoutMs = 0;
};

struct TimerRequest {
    platform::WindowHandle window = 0;
    unsigned id = 0;
    unsigned periodMs = 0;
    bool running = false;
};

struct Animation {
    platform::WindowHandle window = 0;
    std::uint32_t durationMs = 0;
    unsigned flags = 0;
};

struct Move {
    platform::WindowHandle window = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct UiState {
    // Scripted answers.
    platform::Rect workArea{0, 0, 1024, 768};
    bool workAreaFails = false;
    std::vector<std::u16string> otherWindows; // titles of other programs' top-level windows
    bool createFails = false;
    bool animationFails = false;
    std::set<int> keysDown;
    std::deque<ScriptedEvent> events;

    // Recorded requests and state.
    platform::MessageHook hook = nullptr;
    std::vector<FakeWindow> windows; // created windows and labels, in creation order
    std::vector<Shortcut> shortcuts;
    std::vector<WaitRequest> waits;
    int drains = 0;
    std::vector<TimerRequest> timers;
    std::vector<Animation> animations;
    std::vector<Move> moves;
    std::vector<int> showCommands;
    platform::WindowHandle focus = 0;
    int waitsOnNothing = 0; // unlimited waits that no scripted event could ever end
};

UiState& ui();
void resetUi();

// Helpers for tests: nullptr for an unknown handle.
FakeWindow* window(platform::WindowHandle handle);
// The first live top-level window with this title, or nullptr.
FakeWindow* topLevelWindow(const std::u16string& title);
// Scripts an event for the window being waited for that arrives after delayMs; id goes into both the
// identifier and the control number.
void scriptEvent(platform::EventKind kind, int id = 0, std::uint32_t delayMs = 0);

} // namespace fake
