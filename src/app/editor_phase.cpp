#include "app/editor_phase.h"

#include <string>

#include "core/app_state.h"
#include "app/cycle_menu.h"
#include "app/info_window.h"
#include "app/message_boxes.h"
#include "editor/editor.h"
#include "platform/dialogs.h"
#include "platform/file_write.h"
#include "platform/files.h"
#include "platform/process_control.h"
#include "platform/top_windows.h"

namespace vorlix {

namespace {

// Another instance editing this menu file has a window with this title; the editor uses it as well.
constexpr const char16_t* EditorTitlePrefix = u"Vorlix - ";

bool bringOpenEditorToFront() {
    const platform::WindowHandle editor = platform::findTopLevelWindow(app.editorTitle);
    if (editor == 0) return false;
    platform::showWindow(editor, platform::ShowRestore);
    platform::setForegroundWindow(editor);
    return true;
}

// Opening with OPEN_ALWAYS creates a missing file and leaves an existing one as it is, so nothing is ever
// cut off even if the file gained content since it was looked at.
bool createEmptyMenuFile() {
    platform::ScopedWriteHandle file(platform::openForUpdate(app.menuFilePath));
    return file.valid() && file.close();
}

// A read that found no line in a file with content (another program held it open: the substitute menu,
// or /S) leaves an empty list. The editor must not start on it: saving would wipe the file. So the file
// is read again; if it still cannot be read, the editor may show it but not save it.
bool reloadMenuThatHasContent() {
    if (!readCycleMenu(0)) return false;
    std::string bytes;
    if (app.lineNumber == 0 && !platform::readFileExclusive(app.menuFilePath, bytes)) app.readOnlyMenu = true;
    return true;
}

// A help viewer that the editor started goes with it.
void endHelpViewer() {
    if (app.helpViewer == 0) return;
    if (platform::processRunning(app.helpViewer)) platform::terminateProcess(app.helpViewer);
    platform::closeProcessHandle(app.helpViewer);
    app.helpViewer = 0;
}

} // namespace

void runEditorPhase() {
    app.editorTitle = EditorTitlePrefix + app.menuFilePath;
    if (bringOpenEditorToFront()) return;
    if (app.menuWasMissing) {
        app.entries.clear();
        app.menuWasMissing = false;
    }
    if (app.lineNumber == 0 && platform::pathSizeOrKind(app.menuFilePath) > 0 && !reloadMenuThatHasContent()) return;

    const std::int64_t size = platform::pathSizeOrKind(app.menuFilePath);
    if (size == platform::PathIsFolder || size == platform::PathIsDevice) return;
    if (size == platform::PathMissing || size == 0) {
        if (!createEmptyMenuFile()) {
            platform::messageBox(0, u"Cannot create menu file:\r" + app.menuFilePath, u"Vorlix",
                                 platform::BoxOk | platform::BoxIconInformation);
            return;
        }
        app.menuCreated = true;
    }

    static constexpr EditorHost Host{askSaveChanges, askRemoveEntry, reportSaveFailure, showInfo};
    runEditor(app.editorStartIndex, Host);
    // A menu file left empty is no menu: the next start shows the substitute menu again either way.
    if (platform::pathSizeOrKind(app.menuFilePath) == 0) platform::deleteFile(app.menuFilePath);
    endHelpViewer();
}

} // namespace vorlix
