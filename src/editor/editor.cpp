#include "editor/editor.h"

#include <string>

#include "core/app_state.h"
#include "core/text.h"
#include "editor/editor_window.h"
#include "editor/entry_editing.h"
#include "editor/explorer_entries.h"
#include "editor/icon_button.h"
#include "editor/file_import.h"
#include "launch/launcher.h"
#include "menufile/file_stamp.h"
#include "menufile/writer.h"
#include "platform/controls.h"
#include "platform/cursor.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/file_dialogs.h"
#include "platform/icons.h"
#include "platform/keyboard.h"
#include "platform/menus.h"
#include "platform/process_control.h"
#include "platform/shell.h"
#include "platform/top_windows.h"

namespace vorlix {

namespace {

const EditorHost* currentHost = nullptr;

EditorState& ed() { return app.editor; }
platform::WindowHandle control(int number) { return ed().controls[static_cast<std::size_t>(number)]; }
bool hasFocus(int number) { return control(number) != 0 && platform::focusedWindow() == control(number); }

// ---- Enabling rules --------------------------------------------------------------------------------

enum Need : unsigned { InEdit = 1, InList = 2, Writable = 4, Unsaved = 8 };

struct EnableRule {
    int number;
    unsigned needs;
};

constexpr EnableRule EnableRules[] = {
    {OkButton, InEdit},       {CancelButton, InEdit},          {NewItemButton, InList},
    {SeparatorButton, InList}, {EntryList, InList},            {CloseButton, InList | Writable},
    {ApplyButton, InList | Writable | Unsaved}, {QuitButton, InList},
};

unsigned currentConditions() {
    unsigned have = ed().editorMode == EditMode ? InEdit : InList;
    if (!app.readOnlyMenu) have |= Writable;
    if (ed().modified) have |= Unsaved;
    return have;
}

// ---- Saving ------------------------------------------------------------------------------------------

// true when the editor may go on (saved, or nothing of its own to write); false keeps it as it is, so nothing
// typed is lost. A file that another program changed meanwhile is not written over unasked: without changes
// in the editor it is left alone, with changes the user decides.
bool saveOrReport() {
    if (!app.readOnlyMenu && menuFileChangedOnDisk()) {
        if (!ed().modified) return true;
        if (!currentHost->askOverwriteChanged(ed().window)) return false;
    }
    if (saveMenuFile() != SaveResult::Failed) return true;
    currentHost->reportSaveFailure(ed().window);
    return false;
}

unsigned closeRequest() {
    if (ed().modified && !app.readOnlyMenu && currentHost->askSaveChanges(ed().window) && !saveOrReport()) return 0;
    return CloseEditor;
}

// ---- Handlers -----------------------------------------------------------------------------------------

unsigned handleCommand(int number);

unsigned showHelpMenu() {
    platform::Point mouse;
    platform::cursorPosition(mouse);
    const std::uint32_t chosen = platform::trackPopupMenu(ed().helpMenu, ed().window, mouse.x, mouse.y);
    return chosen == HelpCommand || chosen == InfoCommand ? handleCommand(static_cast<int>(chosen)) : 0;
}

unsigned help() { openHelp(); return 0; }
unsigned info() { currentHost->showInfo(); return 0; }
unsigned stayOnTop() { platform::setTopmost(ed().window, controlChecked(OnTopToggle)); return 0; }
unsigned syncLabel() { adjustLabel(Sync); return 0; }
unsigned toggleSubmenu() {
    if (adjustLabel(ToggleSubmenu)) setEditorMode(EditMode);
    return 0;
}
unsigned remove() { return removeEntry(); }
unsigned commandLeft() { applyPickedPath(CommandEdited); return 0; }

unsigned browseCommand() {
    std::u16string path;
    const std::u16string folder = directoryPart(controlText(CommandField));
    if (!platform::pickFileToOpen(ed().window, u"File", folder, u"All Files", u"*.*", path)) path.clear();
    ed().pickedPath = path;
    applyPickedPath(PickedFile);
    return 0;
}

unsigned browseDirectory() {
    std::u16string path;
    if (!platform::pickFolder(ed().window, u"Initial Folder", controlText(DirectoryField), path)) path.clear();
    ed().pickedPath = path;
    applyPickedPath(PickedFolder);
    return 0;
}

unsigned chooseIcon() { pickIcon(); return 0; }
unsigned explorerBox() { applyExplorerOptions(); return 0; }
unsigned nothing() { return 0; }
unsigned moveUp() { return moveEntry(MoveUp); }
unsigned moveDown() { return moveEntry(MoveDown); }
unsigned focusLabel() { focusControl(LabelField); return 0; }
unsigned focusRunMode() { focusControl(RunModeBox); return 0; }
unsigned newItem() { return insertEntry(u""); }
unsigned separator() { return insertEntry(platform::keyDown(platform::KeyControl) ? u"|" : u"-"); }
unsigned quit() { return CloseEditor; }
constexpr unsigned Close = CloseEditor;

unsigned apply() {
    if (saveOrReport()) ed().modified = false;
    return 0;
}

unsigned closeAndSave() { return saveOrReport() ? Close : 0u; }

unsigned ok() {
    if (ed().selectedIndex < 0) insertEntry(u"");
    const unsigned request = commitFields();
    if (request != 0 && ed().selectedIndex >= 0) {
        const std::u16string& label = app.entries[static_cast<std::size_t>(ed().selectedIndex)].label;
        if (!label.empty() && label.back() == u'/') renameSubmenuMembers(label);
    }
    return request;
}

unsigned cancel() {
    unsigned request = ReloadFields;
    if (ed().newItemPending) request = removeEntry();
    setEditorMode(ListMode);
    return request;
}

enum ModeRule { AnyMode, ListOnly, EditOnly };
enum Trigger { OnClick, OnChange, OnFocusLost };

struct Handler {
    int number;
    Trigger trigger;
    ModeRule mode;
    unsigned (*act)();
};

// What each control and command does; an action marked for one mode is ignored in the other.
constexpr Handler Handlers[] = {
    {HelpMenuButton, OnClick, AnyMode, showHelpMenu},
    {HelpCommand, OnClick, AnyMode, help},
    {InfoCommand, OnClick, AnyMode, info},
    {OnTopToggle, OnClick, AnyMode, stayOnTop},
    {LabelField, OnChange, AnyMode, syncLabel},
    {InSubmenuBox, OnClick, AnyMode, toggleSubmenu},
    {RemoveButton, OnClick, AnyMode, remove},
    {CommandField, OnFocusLost, AnyMode, commandLeft},
    {BrowseCommandButton, OnClick, AnyMode, browseCommand},
    {BrowseDirectoryButton, OnClick, AnyMode, browseDirectory},
    {IconButton, OnClick, AnyMode, chooseIcon},
    {SplitWindowBox, OnClick, AnyMode, explorerBox},
    {AsRootBox, OnClick, AnyMode, explorerBox},
    {RunModeBox, OnChange, AnyMode, nothing}, // the change itself has entered EditMode
    {MoveUpArrow, OnClick, AnyMode, moveUp},
    {MoveDownArrow, OnClick, AnyMode, moveDown},
    {FocusLabelCommand, OnClick, AnyMode, focusLabel},
    {FocusRunModeCommand, OnClick, AnyMode, focusRunMode},
    {NewItemButton, OnClick, ListOnly, newItem},
    {SeparatorButton, OnClick, ListOnly, separator},
    {QuitButton, OnClick, ListOnly, quit},
    {ApplyButton, OnClick, ListOnly, apply},
    {CloseButton, OnClick, ListOnly, closeAndSave},
    {OkButton, OnClick, EditOnly, ok},
    {CancelButton, OnClick, EditOnly, cancel},
};

Trigger triggerOf(platform::ControlAction action) {
    switch (action) {
    case platform::ControlAction::Change: return OnChange;
    case platform::ControlAction::FocusLost: return OnFocusLost;
    default: return OnClick;
    }
}

unsigned handleEntryList(platform::ControlAction action) {
    unsigned request = 0;
    const int row = platform::selectedListRow(control(EntryList));
    if (row != ed().selectedIndex) {
        if (row < 0) {
            platform::selectListRow(control(EntryList), static_cast<int>(ed().selectedIndex));
        } else {
            ed().selectedIndex = row;
            request = ReloadFields;
        }
    }
    if (action == platform::ControlAction::DoubleClick && row >= 0 &&
        launchEntry(ed().selectedIndex, 0) == LaunchFailed) {
        platform::setFocus(control(CommandField));
        platform::messageBeep();
    }
    return request;
}

unsigned handleControl(int number, platform::ControlAction action) {
    if (number == EntryList) return handleEntryList(action);
    if (action == platform::ControlAction::Change) {
        setEditorMode(EditMode);
        if (ed().selectedIndex < 0) insertEntry(u""); // its request is dropped: the text being typed stays
    }
    const Trigger trigger = triggerOf(action);
    for (const Handler& h : Handlers) {
        if (h.number != number || h.trigger != trigger) continue;
        if ((h.mode == ListOnly && ed().editorMode != ListMode) || (h.mode == EditOnly && ed().editorMode != EditMode))
            return 0;
        return h.act();
    }
    return 0;
}

unsigned handleEnter() {
    if (hasFocus(EntryList)) return handleControl(EntryList, platform::ControlAction::DoubleClick);
    if (ed().editorMode == EditMode) return hasFocus(CancelButton) ? 0 : handleControl(OkButton, platform::ControlAction::Click);
    return hasFocus(CloseButton) ? handleControl(CloseButton, platform::ControlAction::Click) : 0;
}

unsigned handleEscape() {
    if (ed().editorMode != ListMode) return 0;
    if (hasFocus(EntryList)) return closeRequest();
    platform::setFocus(control(EntryList));
    return 0;
}

unsigned handleCommand(int number) {
    if (number == EnterKeyCommand) return handleEnter();
    if (number == EscapeKeyCommand) return handleEscape();
    if (number == OnTopToggle) setControlChecked(OnTopToggle, !controlChecked(OnTopToggle));
    if (number <= 0 || number >= EditorCommandLimit) return 0;
    return handleControl(number, platform::ControlAction::Click);
}

unsigned handleDrop(const platform::WindowEvent& event) {
    unsigned request = 0;
    if (event.control == EntryList) {
        if (ed().editorMode == ListMode) {
            insertDroppedFiles(platform::selectedListRow(control(EntryList)), event.files);
            request = ReloadAndShow;
        } else {
            platform::messageBeep();
        }
    } else if (event.control == CommandField) {
        setEditorMode(EditMode);
        ed().pickedPath = event.files.substr(0, event.files.find(u'\n'));
        if (!ed().pickedPath.empty()) importPickedFile();
    }
    platform::setForegroundWindow(ed().window);
    return request;
}

unsigned handleEvent(const platform::WindowEvent& event) {
    switch (event.kind) {
    case platform::EventKind::Close:
    case platform::EventKind::EndSession: return closeRequest();
    case platform::EventKind::Menu: return handleCommand(event.id);
    case platform::EventKind::Control: return handleControl(event.control, event.action);
    case platform::EventKind::FilesDropped: return handleDrop(event);
    case platform::EventKind::KeyPressed:
        if (event.id == platform::KeyDelete && hasFocus(EntryList))
            return handleControl(RemoveButton, platform::ControlAction::Click);
        return 0;
    default: return 0;
    }
}

void fillRows() {
    std::vector<std::u16string> rows;
    rows.reserve(app.entries.size());
    for (const MenuEntry& e : app.entries) rows.push_back(strip(e.label));
    if (!rows.empty()) platform::appendListRows(control(EntryList), rows.data(), rows.size());
    // Fitted now, while the window is hidden, the column costs no repaint; showing the selection finds it
    // fitted unless a scroll bar came or went.
    platform::fitListColumn(control(EntryList));
}

void bringToUser() {
    platform::setForegroundWindow(ed().window);
    platform::showWindow(ed().window, platform::ShowShow);
    platform::setTopmost(ed().window, true);
    platform::setFocus(control(EntryList));
    platform::setTopmost(ed().window, false);
}

void closeEditor() {
    if (ed().iconButtonIcon != 0) platform::destroyIcon(ed().iconButtonIcon);
    ed().iconButtonIcon = 0;
    destroyEditorWindow();
    app.editorWindow = 0;
    app.mainWindow = 0;
}

} // namespace

const EditorHost& editorHost() { return *currentHost; }

platform::WindowHandle editorControl(int number) {
    return number > 0 && number < EditorCommandLimit ? control(number) : 0;
}
std::u16string controlText(int number) { return platform::windowText(editorControl(number)); }
// A field that already shows the text is left alone: setting text redraws the field and notifies the window,
// which a drop of many files did several times per file.
void setControlText(int number, const std::u16string& text) {
    if (controlText(number) != text) platform::setWindowText(editorControl(number), text);
}
void focusControl(int number) {
    if (!hasFocus(number)) platform::setFocus(editorControl(number));
}
bool controlChecked(int number) { return platform::isChecked(editorControl(number)); }
void setControlChecked(int number, bool checked) {
    if (controlChecked(number) != checked) platform::setChecked(editorControl(number), checked);
}

void setEditorMode(int mode) {
    if (mode == ed().editorMode) return;
    if (mode == ListMode || mode == EditMode) ed().editorMode = mode;
    if (ed().dropping) return; // each dropped file goes from edit mode to list mode: the drop's end enables once
    const unsigned have = currentConditions();
    for (const EnableRule& rule : EnableRules)
        platform::enableWindow(control(rule.number), (rule.needs & have) == rule.needs);
}

void showSelection() {
    const platform::WindowHandle list = control(EntryList);
    platform::fitListColumn(list);
    if (ed().selectedIndex < 0) return;
    const int row = static_cast<int>(ed().selectedIndex);
    platform::ensureListRowVisible(list, row);
    platform::selectListRow(list, row);
    if (ed().editorMode == EditMode) platform::setListRowText(list, row, controlText(LabelField));
}

void openHelp() {
    const std::u16string file = app.localeLanguageName == u"Deutsch" ? u"Vorlix-de.chm" : u"Vorlix-en.chm";
    if (app.helpViewer != 0) {
        if (platform::processRunning(app.helpViewer)) platform::terminateProcess(app.helpViewer);
        platform::closeProcessHandle(app.helpViewer);
    }
    app.helpViewer = platform::openKeepingProcess(ed().window, file, app.programDir);
}

int runEditor(std::int64_t startIndex, const EditorHost& host) {
    currentHost = &host;
    ed() = EditorState{};
    // A window that cannot be made has no events to wait for.
    if (!buildEditorWindow()) return 0;
    app.mainWindow = ed().window;
    app.editorWindow = ed().window;
    fillRows();
    const std::int64_t count = static_cast<std::int64_t>(app.entries.size());
    ed().selectedIndex = count == 0 ? -1 : (startIndex >= 0 && startIndex < count ? startIndex : 0);
    bringToUser();
    ed().editorMode = ModeUnset;
    setEditorMode(ListMode);
    unsigned request = ReloadAndShow;
    while (!(request & CloseEditor)) {
        if (request & ReloadFields) loadSelectedEntry();
        if (request & ShowSelection) showSelection();
        const bool wasModified = ed().modified;
        const platform::WindowEvent event = platform::waitEvent(ed().window);
        if (event.kind == platform::EventKind::None) break; // the window is gone
        request = handleEvent(event);
        if (ed().modified != wasModified) {
            setEditorMode(ModeUnset);
            // A log-off or shut-down waits for the user's answer to "Save Changes?" instead of losing the edits.
            platform::holdEndSession(ed().window, ed().modified && !app.readOnlyMenu, u"The menu has unsaved changes.");
        }
    }
    closeEditor();
    return 0;
}

} // namespace vorlix
