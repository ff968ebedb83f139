#include "editor/entry_editing.h"

#include <string>

#include "core/app_state.h"
#include "core/text.h"
#include "editor/editor.h"
#include "editor/explorer_entries.h"
#include "editor/file_import.h"
#include "editor/icon_button.h"
#include "menufile/decode_entry.h"
#include "menufile/expansion.h"
#include "menufile/storable.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/keyboard.h"
#include "platform/top_windows.h"

namespace vorlix {

namespace {

EditorState& ed() { return app.editor; }
platform::WindowHandle list() { return editorControl(EntryList); }
std::size_t selected() { return static_cast<std::size_t>(ed().selectedIndex); }
bool hasSelection() {
    return ed().selectedIndex >= 0 && selected() < app.entries.size();
}

bool endsWith(std::u16string_view text, std::u16string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool isLineItem(std::u16string_view itemText) { return itemText == u"-" || itemText == u"|"; }

// The members that follow a header at the selected entry: their labels change with its name.
template <typename Visit> void forEachMember(Visit visit) {
    for (std::size_t i = selected() + 1; i < app.entries.size(); ++i) {
        if (labelPlacement(app.entries[i].label) != SubmenuMember) break;
        visit(i, app.entries[i]);
    }
}

// The control of the first field whose text the menu file cannot hold (menufile/storable.h), 0 when the
// entry can be stored as shown.
int unstorableField(const std::u16string& label) {
    if (!storableField(label, FieldRole::Label)) return LabelField;
    if (isLineItem(itemTextOf(label))) return 0; // nothing but the label is written
    if (label.back() == u'/') {
        int tooLong = 0; // a member renamed after this header must still fit
        forEachMember([&](std::size_t, const MenuEntry& member) {
            if (label.size() + fieldAt(member.label, u'/', 1).size() > MaxLabelLength) tooLong = LabelField;
        });
        if (tooLong) return tooLong;
    } else {
        constexpr struct { int number; FieldRole role; } Fields[] = {
            {CommandField, FieldRole::Command}, {ParametersField, FieldRole::Parameters},
            {DirectoryField, FieldRole::Directory}};
        for (const auto& field : Fields)
            if (!storableField(strip(controlText(field.number)), field.role)) return field.number;
    }
    return storableField(app.currentEntry.iconSpec, FieldRole::IconSpec) ? 0 : IconButton;
}

// Position of runMode in ",min,max,admin": 0 normal, 1 min, 2 max, 3 admin; other words are normal.
int runModeIndex(const std::u16string& runMode) {
    if (runMode.empty()) return 0;
    const std::size_t at = app.runModeList.find(runMode);
    return at == std::u16string::npos ? 0 : static_cast<int>((at + 2) / 3);
}

} // namespace

std::u16string nameOfPickedFile(const std::u16string& path) {
    std::u16string name(fileNameOf(path));
    name = name.substr(0, name.find(u'"'));
    const std::size_t dot = name.rfind(u'.');
    if (dot != std::u16string::npos && name.find(u' ', dot) == std::u16string::npos) name.resize(dot);
    return name;
}

std::u16string composeDefinition(const std::u16string& label) {
    std::u16string definition;
    if (!label.empty() && label.back() == u'/') {
        definition = u"submenu;;;";
    } else {
        std::u16string command = strip(controlText(CommandField));
        if (lowerCase(command) == u"submenu") command.clear(); // only a header may carry the keyword
        std::u16string parameters = controlText(ParametersField);
        for (char16_t& c : parameters)
            if (c == u';') c = ParameterSemicolon;
        const int mode = platform::selectedChoice(editorControl(RunModeBox));
        definition = command + u';' + strip(parameters) + u';' + strip(controlText(DirectoryField)) + u';';
        definition += fieldAt(app.runModeList, u',', static_cast<std::size_t>(mode < 0 ? 0 : mode));
    }
    definition += u';';
    definition += app.currentEntry.iconSpec;
    if (isLineItem(itemTextOf(label))) definition.clear();
    return definition;
}

void loadSelectedEntry() {
    if (hasSelection()) decodeEntry(app.entries[selected()]);
    else app.currentEntry = EntryFields{};
    const EntryFields& e = app.currentEntry;
    platform::selectListRow(list(), hasSelection() ? static_cast<int>(ed().selectedIndex) : -1);
    setControlText(LabelField, e.label);
    adjustLabel(Sync);
    setControlText(CommandField, e.command);
    setControlText(ParametersField, e.parameters);
    setControlText(DirectoryField, e.directory);
    showExplorerOptions();
    refreshIconButton();
    platform::selectChoice(editorControl(RunModeBox), runModeIndex(e.runMode));
    if (e.label.empty()) focusControl(LabelField);
}

bool checkDirectory() {
    const std::u16string directory = strip(controlText(DirectoryField));
    if (directory.empty()) return true;
    const std::u16string expanded = expandVariables(directory);
    if (expanded.empty()) return true;
    std::uint32_t attributes = 0;
    if (platform::fileAttributes(expanded, attributes) && (attributes & platform::AttributeDirectory)) return true;
    platform::messageBeep();
    focusControl(DirectoryField);
    return false;
}

unsigned commitFields() {
    if (!hasSelection() || !checkDirectory()) return NoRefresh;
    std::u16string label = strip(controlText(LabelField));
    if (!label.empty() && label.front() == u'/') label = u"???" + label;
    const std::u16string definition = composeDefinition(label);
    if (label.empty() || (!definition.empty() && definition.front() == u';')) {
        platform::messageBeep();
        return NoRefresh;
    }
    if (const int field = unstorableField(label)) {
        platform::messageBeep();
        focusControl(field);
        return NoRefresh;
    }
    MenuEntry& entry = app.entries[selected()];
    entry.label = label;
    entry.definition = definition;
    ed().modified = true;
    setEditorMode(ListMode);
    ed().newItemPending = false;
    return ReloadAndShow;
}

bool adjustLabel(int mode) {
    std::u16string label = controlText(LabelField);
    bool rewritten = false;
    if (mode == FromPickedFile) {
        const std::u16string name = nameOfPickedFile(ed().pickedPath);
        if (label.empty()) {
            label = name;
            rewritten = true;
        } else if (endsWith(label, u"/?")) {
            label = std::u16string(fieldAt(label, u'/', 0)) + u'/' + name;
            rewritten = true;
        }
    } else if (mode == ToggleSubmenu) {
        const LabelPlacement placement = labelPlacement(label);
        if (placement == SubmenuHeader) {
            platform::messageBeep(); // a header cannot be a member
        } else if (!controlChecked(InSubmenuBox)) {
            label = itemTextOf(label);
            rewritten = true;
        } else if (placement == TopLevel) {
            std::u16string submenu = u"???";
            if (hasSelection() && selected() > 0) {
                const std::u16string& before = app.entries[selected() - 1].label;
                if (labelPlacement(before) != TopLevel) submenu = fieldAt(before, u'/', 0);
            }
            label = submenu + u'/' + label;
            rewritten = true;
        }
    }
    setControlChecked(InSubmenuBox, labelPlacement(label) == SubmenuMember);
    if (rewritten) {
        setControlText(LabelField, label);
        focusControl(LabelField);
    }
    if (hasSelection()) platform::setListRowText(list(), static_cast<int>(ed().selectedIndex), label);
    return rewritten;
}

unsigned insertEntry(const std::u16string& givenText) {
    std::u16string text = givenText;
    std::u16string prefix;
    if (hasSelection()) {
        const std::u16string& label = app.entries[selected()].label;
        if (labelPlacement(label) != TopLevel) {
            prefix = std::u16string(fieldAt(label, u'/', 0)) + u'/';
            if (text.empty()) text = u"?";
        }
    } else {
        ed().selectedIndex = -1;
    }
    const std::int64_t at = ed().selectedIndex + 1;
    app.entries.insert(app.entries.begin() + at, MenuEntry{prefix + text, u"", 0});
    ed().selectedIndex = at;
    platform::insertListRow(list(), static_cast<int>(at), prefix + text);
    platform::selectListRow(list(), static_cast<int>(at));
    if (isLineItem(text)) {
        ed().modified = true;
    } else {
        ed().newItemPending = true;
        setEditorMode(EditMode);
    }
    return ReloadAndShow;
}

unsigned removeEntry() {
    if (!hasSelection()) return NoRefresh;
    const std::u16string label = controlText(LabelField);
    const std::u16string itemText = itemTextOf(label);
    const bool quiet = ed().newItemPending || itemText == u"?" || itemText.empty() || isLineItem(itemText) ||
                       platform::keyDown(platform::KeyControl);
    if (!quiet && !editorHost().askRemoveEntry(ed().window, label)) return NoRefresh;
    app.entries.erase(app.entries.begin() + ed().selectedIndex);
    platform::deleteListRow(list(), static_cast<int>(ed().selectedIndex));
    if (ed().selectedIndex >= static_cast<std::int64_t>(app.entries.size())) --ed().selectedIndex;
    setEditorMode(ListMode);
    ed().newItemPending = false;
    ed().modified = true;
    return ReloadAndShow;
}

unsigned moveEntry(int direction) {
    if (!hasSelection()) return NoRefresh;
    const std::int64_t from = ed().selectedIndex;
    const std::int64_t to = from + direction;
    if (to < 0 || to >= static_cast<std::int64_t>(app.entries.size())) {
        platform::messageBeep();
        return NoRefresh;
    }
    std::swap(app.entries[static_cast<std::size_t>(from)], app.entries[static_cast<std::size_t>(to)]);
    ed().selectedIndex = to;
    platform::setListRowText(list(), static_cast<int>(to), app.entries[static_cast<std::size_t>(to)].label);
    platform::setListRowText(list(), static_cast<int>(from), app.entries[static_cast<std::size_t>(from)].label);
    ed().modified = true;
    return ShowSelection;
}

void renameSubmenuMembers(const std::u16string& headerLabel) {
    if (!hasSelection()) return;
    forEachMember([&](std::size_t i, MenuEntry& entry) {
        entry.label = headerLabel + std::u16string(fieldAt(entry.label, u'/', 1));
        platform::setListRowText(list(), static_cast<int>(i), entry.label);
    });
}

namespace {

// A drop of many files as one change of the window: the window and its list (whose own drawing pauses
// apart) draw once when the batch ends, the controls are enabled for the mode it ends in, and the icon
// button shows the last file's icon only.
class DropBatch {
public:
    DropBatch(platform::WindowHandle window, platform::WindowHandle list) : window_(window), list_(list) {
        platform::setRedraw(window_, false);
        platform::setRedraw(list_, false);
        ed().dropping = true;
    }
    ~DropBatch() {
        ed().dropping = false;
        setEditorMode(ModeUnset); // the controls enabled for the mode the drop ends in
        refreshIconButton();
        platform::setRedraw(list_, true);
        platform::setRedraw(window_, true);
    }
    DropBatch(const DropBatch&) = delete;
    DropBatch& operator=(const DropBatch&) = delete;

private:
    platform::WindowHandle window_, list_;
};

} // namespace

// One drop is one refresh of the window: 2,000 files drawn file by file took 110 s with the window frozen.
void insertDroppedFiles(std::int64_t row, const std::u16string& files) {
    DropBatch batch(ed().window, list());
    if (row < 0) row = static_cast<std::int64_t>(app.entries.size()) - 1;
    ed().selectedIndex = row;
    std::u16string_view rest(files);
    while (!rest.empty()) {
        const std::size_t end = rest.find(u'\n');
        const std::u16string path(rest.substr(0, end));
        rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 1);
        if (path.empty()) break;
        ed().pickedPath = path;
        insertEntry(u"");
        loadSelectedEntry();
        importPickedFile();
        // A file that cannot become an entry stays in the fields to be mended or cancelled; the files after
        // it would leave it behind half made.
        if (commitFields() == NoRefresh) break;
    }
}

} // namespace vorlix
