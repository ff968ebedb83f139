#include "app/popup_cycle.h"

#include "app/app_state.h"
#include "app/command_line.h"
#include "app/drive_relocation.h"
#include "app/text.h"
#include "menufile/reader.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/ui.h"
#include "popup/popup_menu.h"

namespace vorlix {

namespace {

constexpr unsigned ChoiceTimerId = 378;
constexpr std::uint32_t ClosingDelayMs = 300; // lets a started program take the foreground first

void reportMenuFileError() {
    platform::messageBox(app.mainWindow,
                         u"Error in menu file, line " + toDecimal(app.lineNumber) + u"\r" + app.menuFilePath,
                         u"Vorlix", platform::BoxOk);
}

// Reads the menu file named by the command line into entries; false after a syntax error (reported).
bool readMenu() {
    parseCommandLine();
    if (!loadMenuFile()) {
        reportMenuFileError();
        return false;
    }
    completeSubmenuHeaders();
    if (app.driveRelocation) relocateDriveLetters();
    return true;
}

// One pass of the cycle; true when the launcher asked for another pass with a new command line.
bool runOneCycle() {
    app.cycleState = Running;
    if (!readMenu()) return false;
    // To come here: the read-only test, StartEditor, the substitute menu for a missing file, and draining
    // the events that are pending before the popup opens.
    buildPopupMenu();
    if (app.options & CheckOnly) return false;
    // To come here: waiting for the choice (timer ChoiceTimerId), launching it, and the button phase.
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
    // To come here: with OpenEditor, the editor phase on the same entries.
}

} // namespace vorlix
