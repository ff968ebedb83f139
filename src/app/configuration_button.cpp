#include "app/configuration_button.h"

#include <algorithm>

#include "core/app_state.h"
#include "app/startup.h"
#include "platform/cursor.h"
#include "platform/environment.h"
#include "platform/events.h"
#include "platform/keyboard.h"
#include "platform/monitors.h"
#include "platform/top_windows.h"
#include "platform/window_geometry.h"

namespace vorlix {

namespace {

constexpr std::uint32_t MinimumButtonWaitMs = 10;

// The monitor under the mouse. Should the query fail, the desktop work area of start-up stands in, with
// the screen's origin as the left and top limit.
void monitorUnder(platform::Point mouse, platform::Rect& bounds, platform::Rect& workArea) {
    if (platform::monitorAreas(platform::monitorNearestTo(mouse), bounds, workArea)) return;
    workArea = app.workArea;
    bounds = {0, 0, workArea.right, workArea.bottom};
}

void placeButton() {
    if (!(app.options & FixedPosition)) {
        platform::Point mouse;
        platform::cursorPosition(mouse);
        platform::Rect bounds, workArea;
        monitorUnder(mouse, bounds, workArea);
        const platform::Point at = configurationButtonPosition(mouse, bounds, workArea);
        app.positionX = at.x;
        app.positionY = at.y;
    }
    platform::moveWindow(app.mainWindow, app.positionX, app.positionY);
}

// The button shows at most once a run (it ends the cycle), so its label is always made here.
void showButton() {
    const platform::WindowHandle label = addConfigurationLabel();
    platform::setTopmost(app.mainWindow, true);
    if (!platform::animateWindow(app.mainWindow, ButtonFadeMs, platform::AnimateBlend | platform::AnimateCenter))
        platform::showWindow(app.mainWindow, platform::ShowNoActivate);
    // Enter and Escape reach the window's shortcuts only while it has the keyboard focus.
    platform::setFocus(label);
}

void hideButton() {
    if (!platform::animateWindow(app.mainWindow, ButtonFadeMs,
                                 platform::AnimateBlend | platform::AnimateHide | platform::AnimateCenter))
        platform::showWindow(app.mainWindow, platform::ShowHide);
}

bool mouseOverButton() {
    platform::Point mouse;
    platform::Rect rect;
    return platform::cursorPosition(mouse) && platform::windowScreenRect(app.mainWindow, rect) &&
           platform::pointInRect(rect, mouse);
}

// The next state after one event (or a wait that timed out), or Running to go on waiting.
int stateAfter(const platform::WindowEvent& event, std::uint64_t shownAt, std::uint32_t timeoutMs) {
    using platform::EventKind;
    if (event.kind == EventKind::Control && event.control == ConfigurationLabel &&
        event.action == platform::ControlAction::Click)
        return OpenEditor;
    if (event.kind == EventKind::Menu) return event.id == EnterCommand ? OpenEditor : Quit;
    // A close request (Alt+F4 while the button has the focus) is honoured rather than left to the mouse.
    if (event.kind == EventKind::Close) return Quit;
    if (app.options & FixedPosition) return platform::tickCount() - shownAt >= timeoutMs ? Quit : Running;
    if (mouseOverButton()) return Running;
    hideButton();
    return Quit;
}

} // namespace

platform::Point configurationButtonPosition(platform::Point mouse, const platform::Rect& monitorBounds,
                                            const platform::Rect& monitorWorkArea) {
    std::int32_t x = mouse.x - ButtonMouseOffsetX;
    std::int32_t y = mouse.y - ButtonMouseOffsetY;
    x = std::max(std::min(x, monitorWorkArea.right - ButtonRoomX), monitorBounds.left);
    y = std::max(std::min(y, monitorWorkArea.bottom - ButtonRoomY), monitorBounds.top);
    return {x, y};
}

void runConfigurationButton() {
    placeButton();
    showButton();
    const std::uint64_t shownAt = platform::tickCount();
    // "/T-1" asks for a negative time: no waiting at all.
    const std::uint32_t timeoutMs = app.timeoutMs < 0 ? 0u : static_cast<std::uint32_t>(app.timeoutMs);
    // The choice timer keeps ticking every 100 ms, so the mouse is looked at that often. Watching the mouse
    // with a time-out of 0 would be a busy loop while it rests on the button: wait a few ms at least.
    const std::uint32_t waitMs =
        (app.options & FixedPosition) ? timeoutMs : std::max(timeoutMs, MinimumButtonWaitMs);
    while (app.cycleState == Running) {
        app.cycleState = stateAfter(platform::waitEventFor(app.mainWindow, waitMs), shownAt, timeoutMs);
    }
}

} // namespace vorlix
