#include "app/editor_phase.h"

#include <string>

#include "core/app_state.h"
#include "app/cycle_menu.h"
#include "app/info_window.h"
#include "app/message_boxes.h"
#include "editor/editor.h"
#include "menufile/file_stamp.h"
#include "platform/dialogs.h"
#include "platform/file_write.h"
#include "platform/files.h"
#include "platform/process_control.h"
#include "platform/top_windows.h"

namespace vorlix {

namespace {

// Another instance editing this menu file has a window with this title; the editor uses it as well.
constexpr const char16_t* EditorTitlePrefix = u"Vorlix - ";

bool identityOf(std::u16string_view path, platform::FileIdentity& identity) {
    platform::ScopedWriteHandle file(platform::openForQuery(path));
    return file.valid() && platform::fileIdentity(file.get(), identity);
}

// An editor of this menu file, also when it was opened through another spelling of the path (a short
// name, a linked folder, a "\\?\" prefix): the title names the file, its identity says which file it is.
platform::WindowHandle openEditorOfMenuFile() {
    if (const platform::WindowHandle same = platform::findTopLevelWindow(app.editorTitle)) return same;
    const std::u16string_view prefix = EditorTitlePrefix;
    platform::FileIdentity mine;
    if (!identityOf(app.menuFilePath, mine)) return 0;
    for (const platform::TitledWindow& w : platform::titledTopLevelWindows()) {
        platform::FileIdentity theirs;
        if (w.title.size() > prefix.size() && w.title.starts_with(prefix) &&
            identityOf(std::u16string_view(w.title).substr(prefix.size()), theirs) && theirs == mine)
            return w.window;
    }
    return 0;
}

bool bringOpenEditorToFront() {
    const platform::WindowHandle editor = openEditorOfMenuFile();
    if (editor == 0) return false;
    platform::showWindow(editor, platform::ShowRestore);
    platform::setForegroundWindow(editor);
    return true;
}

// Opening with OPEN_ALWAYS creates a missing file and leaves an existing one as it is, so nothing is ever
// cut off even if the file gained content since it was looked at.
bool createEmptyMenuFile() {
    platform::ScopedWriteHandle file(platform::openForUpdate(app.menuFilePath));
    if (!file.valid() || !file.close()) return false;
    app.menuFileStamp = stampOf("");
    return true;
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

const EditorHost& programEditorHost() {
    static constexpr EditorHost Host{askSaveChanges, askRemoveEntry, askOverwriteChanged, reportSaveFailure, showInfo};
    return Host;
}

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

    runEditor(app.editorStartIndex, programEditorHost());
    // A menu file left empty is no menu: the next start shows the substitute menu again either way.
    if (platform::pathSizeOrKind(app.menuFilePath) == 0) platform::deleteFile(app.menuFilePath);
    endHelpViewer();
}

} // namespace vorlix
