#pragma once
// Scripted windows and events for the native tests (platform/top_windows.h, events.h, keyboard.h,
// cursor.h; the controls of controls.h live in these windows too, see fake_controls.h): records the
// windows, labels, shortcuts, timers, shows, moves, animations and foreground requests the program asks
// for, and answers waits from a scripted event queue in scripted time (fake::environment().ticks).
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/cursor.h"
#include "platform/events.h"
#include "platform/handles.h"
#include "platform/keyboard.h"
#include "platform/top_windows.h"

namespace fake {

// A list row keeps its own selection, as a list view's item does, so inserting and deleting rows
// moves the selection with its row.
struct FakeRow {
    std::u16string text;
    platform::IconHandle icon = 0; // as handed over, 0 for none
    std::u16string iconSource;     // what the row's own copy shows (fake::iconSource)
    bool selected = false;
    bool scrolledTo = false;       // the last row scrolled into view
};

struct FakeWindow {
    platform::WindowHandle handle = 0;
    platform::WindowHandle parent = 0; // 0 for a top-level window
    std::u16string text;               // title, a label's text, a control's caption or typed text
    std::size_t textLimit = 0;         // text fields: what the user can type at most; 0 no limit
    int clientWidth = 0;               // top-level windows
    int clientHeight = 0;
    int controlId = 0;                 // labels and controls
    platform::Rect bounds;             // labels and controls: in the parent's client area
    platform::Colour textColour = 0;
    platform::Colour hotTextColour = 0;    // links, under the mouse
    bool fittedToText = false;
    bool visible = false;
    bool topmost = false;
    bool redrawPaused = false;
    bool acceptsFiles = false;
    bool reportsClicks = false;
    std::u16string endSessionHeld; // the reason while the window keeps the session from ending
    bool destroyed = false;

    // Dialog windows (platform/controls.h).
    bool dialog = false;
    bool hasSystemMenu = false;            // and a close box
    platform::WindowHandle owner = 0;
    platform::FontHandle defaultFont = 0;  // what controls created under it from now on get

    // Controls (platform/controls.h); labels from createLabel count as Label.
    platform::ControlKind kind = platform::ControlKind::Label;
    bool enabled = true;
    bool checked = false;
    platform::FontHandle font = 0;
    std::u16string tooltip;
    bool hasTooltip = false;
    platform::IconHandle icon = 0;         // an image button's icon (not owned)
    std::vector<FakeRow> rows;             // list views
    int columnFits = 0;
    std::vector<std::u16string> choices;   // drop-down lists
    int selectedChoice = -1;
};

struct Shortcut {
    platform::WindowHandle window = 0;
    int key = 0;
    unsigned modifiers = 0;
    int command = 0;
};

// What a user does to a control, applied when its event is delivered rather than when it is scripted,
// so that a test can script a whole session before the window exists. The control (found by number in
// the window the event goes to) must then exist, be enabled and be shown, window and panels included,
// or the user could not have reached it: the event is dropped and its number goes into
// UiState::refusedActions.
struct UserAction {
    // Click flips a check box or toggle button; Drop needs a control (or window) that takes files.
    enum class Change { None, SetText, Click, SelectRow, SelectChoice, Drop };
    Change change = Change::None; // None: the event is no user action
    int control = 0;              // Drop: 0 for the window itself
    std::u16string text;
    int index = -1;
    bool focuses = false; // the control takes the keyboard focus (labels and panels never do)
};

// An event that arrives delayMs after the wait that takes it began (or after the event before it).
// window 0 stands for the window being waited for. A pending event is already queued when the program
// drains its events, so a drain discards it.
struct ScriptedEvent {
    platform::WindowEvent event;
    std::uint32_t delayMs = 0;
    bool pending = false;
    UserAction action;
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
    platform::Point cursor{400, 300};
    platform::WindowHandle active = 0; // the active window of the thread
    std::deque<ScriptedEvent> events;

    // Recorded requests and state.
    std::vector<FakeWindow> windows; // created windows and labels, in creation order
    std::vector<Shortcut> shortcuts;
    std::vector<WaitRequest> waits;
    int drains = 0;
    std::vector<TimerRequest> timers;
    std::vector<Animation> animations;
    std::vector<Move> moves;
    std::vector<int> showCommands;
    std::vector<platform::WindowHandle> foregroundRequests;
    // The focused window. A text field or drop-down list losing the focus queues a FocusLost event, as
    // EN_KILLFOCUS / CBN_KILLFOCUS do, whoever moves it (setFocus, a user's click, disabling, hiding).
    // It stays as it was when its window is destroyed; focusedWindow() then answers 0.
    platform::WindowHandle focus = 0;
    int waitsOnNothing = 0; // unlimited waits that no scripted event could ever end
    std::vector<int> refusedActions; // numbers of controls a scripted user action could not reach
    int freedTooSoon = 0; // controls whose font or icon was freed before their window was destroyed
};

UiState& ui();
void resetUi();

// Adds a window to the list and gives it the next handle (for the fake's own files).
platform::WindowHandle newWindow(FakeWindow w);

// Helpers for tests: nullptr for an unknown handle.
FakeWindow* window(platform::WindowHandle handle);
// The first live top-level window with this title, or nullptr.
FakeWindow* topLevelWindow(const std::u16string& title);
// The top-level window a window or control belongs to (itself for a top-level window); 0 when unknown.
platform::WindowHandle rootOf(platform::WindowHandle handle);
// A list's rows: their texts, the selected one (-1 for none), the one last scrolled into view (-1).
std::vector<std::u16string> rowTexts(const FakeWindow& list);
int selectedRowOf(const FakeWindow& list);
int scrolledRowOf(const FakeWindow& list);
// Selects one row of a list (-1: none), as a user's click or the program does.
void selectRow(FakeWindow& list, int index);
// Appends a scripted event.
void scriptEvent(const ScriptedEvent& scripted);
// Scripts an event for the window being waited for that arrives after delayMs; id goes into both the
// identifier and the control number.
void scriptEvent(platform::EventKind kind, int id = 0, std::uint32_t delayMs = 0);

} // namespace fake
