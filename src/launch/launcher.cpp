#include "launch/launcher.h"

#include <string>
#include <string_view>

#include "core/app_state.h"
#include "core/text.h"
#include "menufile/decode_entry.h"
#include "menufile/expansion.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/window_geometry.h"

namespace vorlix {

namespace {

// Where the editor's second copy opens its own editor: this far right of and below the current one.
constexpr std::int32_t SecondEditorOffset = 30;

struct StartRequest {
    std::u16string verb;
    std::u16string file;
    std::u16string parameters;
    std::u16string directory;
    int show = platform::ShellShowNormal;
};

// Up to and including the last "\" or "/", without a leading double quote.
std::u16string folderOf(std::u16string_view command) {
    std::u16string folder = directoryPart(command);
    if (!folder.empty() && folder.front() == u'"') folder.erase(0, 1);
    return folder;
}

// Run modes compare exactly: " max" or "Max" are normal starts.
void applyRunMode(std::u16string_view runMode, StartRequest& request) {
    if (runMode == u"min") request.show = platform::ShellShowMinimized;
    else if (runMode == u"max") request.show = platform::ShellShowMaximized;
    else if (runMode == u"admin") request.verb = u"runAS";
}

// The editor's window and its position, when the editor is open in this process.
bool editorPosition(platform::Point& topLeft) {
    platform::Rect rect;
    if (app.editorWindow == 0 || !platform::windowScreenRect(app.editorWindow, rect)) return false;
    topLeft = {rect.left, rect.top};
    return true;
}

// A shortcut carries its own working directory; a command with a path becomes absolute and, unless the
// entry names a directory, starts in its own folder. Bare names, links and "/"-paths stay as written.
void completeCommand(EntryFields& e) {
    if (lowerCase(extensionOf(e.expandedCommand)) == u"lnk") {
        e.expandedDirectory.clear();
        return;
    }
    if (e.expandedCommand.find(u'\\') == std::u16string::npos) return;
    e.expandedCommand = resolvePath(e.expandedCommand);
    if (e.expandedDirectory.empty()) e.expandedDirectory = folderOf(e.expandedCommand);
}

// Requests longer than MaxStartChars are refused here, before the shell sees them (Wine's ShellExecuteW
// overflows its stack far below this, at about 1,000 characters: Wine's defect, and those requests still
// reach it).

bool startsAtAll(const StartRequest& r) {
    const std::size_t separator = r.parameters.empty() ? 0 : 1;
    return r.file.size() + separator + r.parameters.size() < MaxStartChars;
}

int startThroughShell(const StartRequest& r) {
    if (!startsAtAll(r)) return LaunchFailed;
    std::intptr_t result = platform::shellExecute(app.mainWindow, r.verb, r.file, r.parameters, r.directory, r.show);
    return result > platform::ShellAccepted ? Quit : LaunchFailed;
}

} // namespace

int launchEntry(std::int64_t index, int modifiers) {
    if (index < 0 || static_cast<std::uint64_t>(index) >= app.entries.size()) return Quit;
    const MenuEntry& entry = app.entries[static_cast<std::size_t>(index)];
    if (entry.label == u"-") return Quit;
    decodeEntry(entry);
    EntryFields& e = app.currentEntry;

    platform::Point editorAt;
    if (e.kind & EntryKind::Configuration) return OpenEditor;
    if (e.kind & (EntryKind::Files | EntryKind::Cancel)) return Quit;
    if (e.kind & EntryKind::Vorlix) {
        if (!editorPosition(editorAt)) {
            // The cursor owns a copy: the entry's text may change before the next parse.
            app.commandLineRest = TextCursor{e.expandedParameters, 0};
            return Restart;
        }
        e.expandedCommand = app.programPath;
        e.expandedParameters += u" /s";
        e.expandedParameters += toDecimal(std::int64_t{editorAt.x} + SecondEditorOffset);
        e.expandedParameters += u',';
        e.expandedParameters += toDecimal(std::int64_t{editorAt.y} + SecondEditorOffset);
    } else if (e.kind & EntryKind::Explorer) {
        // Explorer takes the folder behind its switches.
        e.expandedParameters += u' ';
        e.expandedParameters += e.expandedDirectory;
        e.expandedDirectory.clear();
    } else {
        completeCommand(e);
    }

    StartRequest request{{}, e.expandedCommand, e.expandedParameters, e.expandedDirectory, platform::ShellShowNormal};
    if (modifiers == ShiftHeld && platform::pathSizeOrKind(e.expandedCommand) >= 0) {
        // Shift opens the folder that holds the file; the run mode does not apply to a folder window.
        request.file = folderOf(e.expandedCommand);
        // A bare file name was found in the working directory, so that is the folder that holds it.
        if (request.file.empty()) request.file = platform::currentDirectory();
    } else {
        applyRunMode(e.runMode, request);
        if (modifiers == (ShiftHeld | CtrlHeld)) request.verb = u"runAS";
    }
    return startThroughShell(request);
}

void launchFolderItem(std::int64_t position) {
    // A stale identifier must not reach past the listing or the records.
    if (position < 0 || static_cast<std::uint64_t>(position) >= app.folderItems.size()) return;
    if (app.currentFolderSubmenu >= app.folderSubmenus.size()) return;
    const FolderSubmenu& folder = app.folderSubmenus[app.currentFolderSubmenu];
    const std::u16string& name = app.folderItems[static_cast<std::size_t>(position)];

    std::u16string opener = folder.opener;
    for (char16_t& c : opener) {
        if (c == u'"') c = u' ';
    }
    opener = strip(opener);

    if (opener.empty()) {
        platform::shellExecute(app.mainWindow, {}, folder.folder + name, {}, {}, platform::ShellShowNormal);
    } else {
        platform::shellExecute(app.mainWindow, {}, opener, u"\"" + name + u"\"", folder.folder, platform::ShellShowNormal);
    }
}

} // namespace vorlix
