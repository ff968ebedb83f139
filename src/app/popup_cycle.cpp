#include "app/popup_cycle.h"

#include <cstdint>

#include "core/app_state.h"
#include "app/command_line.h"
#include "app/configuration_button.h"
#include "app/cycle_menu.h"
#include "app/editor_phase.h"
#include "launch/launcher.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/events.h"
#include "platform/keyboard.h"
#include "platform/top_windows.h"
#include "popup/popup_menu.h"

namespace vorlix {

namespace {

constexpr unsigned ChoiceTimerId = 378;
constexpr unsigned ChoiceTimerPeriodMs = 100;
// Once the popup's menu loop has ended, this many further ticks mean that nothing was chosen.
constexpr int CountedEventsBeforeDismissal = 3;
constexpr std::uint32_t ClosingDelayMs = 300; // lets a started program take the foreground first

// A choice from the popup arrives as a menu event after the popup has closed.
bool waitForChoice(std::int64_t& id) {
    platform::startTimer(app.mainWindow, ChoiceTimerId, ChoiceTimerPeriodMs);
    int counted = 0;
    while (counted <= CountedEventsBeforeDismissal) {
        const platform::WindowEvent event = platform::waitEvent(app.mainWindow);
        // Enter and Escape of the main window send menu events 1 and 2 as well; a second Escape right
        // after dismissing the popup must not start entry 2.
        if (event.kind == platform::EventKind::Menu && !event.byShortcut) {
            id = event.id;
            return true;
        }
        // No event at all means the window is gone and nothing will ever come.
        if (app.menuLoopEnded || event.kind == platform::EventKind::Activate || event.kind == platform::EventKind::None)
            ++counted;
    }
    return false;
}

// Shift, Ctrl or both, held right now. Ctrl alone only counts when it opens the editor.
int heldModifiers() {
    int modifiers = 0;
    if (platform::keyDown(platform::KeyShift)) modifiers = ShiftHeld;
    if (platform::keyDown(platform::KeyControl)) modifiers |= CtrlHeld;
    if (modifiers == CtrlHeld && !(app.options & CtrlOpensEditor)) modifiers = 0;
    return modifiers;
}

// The entry of kind Files whose listing the chosen file came from.
std::int64_t folderEntryOfListing() {
    if (app.currentFolderSubmenu >= app.folderSubmenus.size()) return 0;
    return app.folderSubmenus[app.currentFolderSubmenu].id;
}

void reportLaunchFailure(std::int64_t id) {
    if (app.readOnlyMenu) {
        platform::messageBeep(); // the editor could not save a fix anyway
        return;
    }
    const std::u16string& label = app.entries[static_cast<std::size_t>(id)].label;
    const int answer = platform::messageBox(app.mainWindow, u"Cannot open [" + label + u"]\rEnter configuration?",
                                            u"Error", platform::BoxYesNo);
    if (answer == platform::AnswerYes) {
        app.cycleState = OpenEditor;
        app.editorStartIndex = id;
    }
}

void actOnChoice(std::int64_t id) {
    const bool editorWanted = app.modifiers == CtrlHeld;
    if (id >= app.firstFolderItemId) {
        if (editorWanted) {
            app.cycleState = OpenEditor;
            app.editorStartIndex = folderEntryOfListing();
        } else {
            launchFolderItem(id - app.firstFolderItemId);
            app.cycleState = Quit;
        }
        return;
    }
    if (editorWanted) {
        app.cycleState = OpenEditor;
        app.editorStartIndex = id;
        return;
    }
    app.cycleState = launchEntry(id, app.modifiers);
    if (app.cycleState != LaunchFailed) return;
    app.cycleState = Quit;
    reportLaunchFailure(id);
}

void actOnDismissal() {
    if (app.modifiers == CtrlHeld) {
        app.cycleState = OpenEditor;
        app.editorStartIndex = 0;
    } else if (app.options & NoButton) {
        app.cycleState = Quit;
    } else {
        runConfigurationButton();
    }
}

// One pass of the cycle; true when the launcher asked for another pass with a new command line.
bool runOneCycle() {
    app.cycleState = Running;
    parseCommandLine();
    if (!readCycleMenu(app.mainWindow)) return false;
    app.menuWasMissing = false;
    app.readOnlyMenu = menuFileIsReadOnly();
    if (app.readOnlyMenu) app.options |= NoButton;
    if (app.options & StartEditor) {
        app.cycleState = OpenEditor;
        return false;
    }
    if (app.lineNumber == 0) {
        putSubstituteMenu();
        app.options |= NoButton;
        app.menuWasMissing = true;
    }
    platform::drainEvents(0); // nothing from before the popup may pass for a choice
    buildPopupMenu();
    if (app.options & CheckOnly) return false;

    std::int64_t id = 0;
    const bool chosen = waitForChoice(id);
    app.modifiers = heldModifiers();
    if (chosen) actOnChoice(id);
    else actOnDismissal();
    return app.cycleState == Restart;
}

void closeMainWindow() {
    if (app.cycleState != OpenEditor) platform::sleepMs(ClosingDelayMs);
    platform::stopTimer(app.mainWindow, ChoiceTimerId);
    platform::destroyWindow(app.mainWindow);
    app.mainWindow = 0;
}

} // namespace

void runPopupCycle() {
    while (runOneCycle()) {
    }
    closeMainWindow();
    if (app.cycleState == OpenEditor) runEditorPhase();
}

} // namespace vorlix
