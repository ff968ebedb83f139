#include "editor/explorer_entries.h"

#include <string>

#include "core/app_state.h"
#include "core/text.h"
#include "editor/editor.h"
#include "editor/entry_editing.h"
#include "editor/icon_button.h"
#include "menufile/decode_entry.h"
#include "platform/keyboard.h"
#include "platform/top_windows.h"

namespace vorlix {

namespace {

// The default icon depends on the command: decode the fields as they stand, keeping the command as
// typed so that leaving the field unchanged refreshes nothing.
void refreshDefaultIcon(const std::u16string& command) {
    const std::u16string label = strip(controlText(LabelField));
    decodeEntry(MenuEntry{label, composeDefinition(label), 0});
    app.currentEntry.command = command;
    refreshIconButton();
}

} // namespace

void applyPickedPath(int mode) {
    std::u16string& picked = app.editor.pickedPath;
    if (mode == PickedFolder || mode == PickedFile) {
        if (picked.empty()) return; // a cancelled dialog
        setEditorMode(EditMode);
        if (mode == PickedFolder && !platform::keyDown(platform::KeyControl)) {
            if (picked.size() > 3 && picked.back() == u'\\') picked.pop_back();
            setControlText(DirectoryField, picked);
            app.currentEntry.directory = picked;
            // With a command already there the folder only becomes its working directory.
            if (!controlText(CommandField).empty()) return;
            setControlText(CommandField, u"Explorer.exe");
            adjustLabel(FromPickedFile);
            setControlText(ParametersField, u"/e,");
            mode = CommandEdited;
        } else {
            setControlText(CommandField, picked);
            adjustLabel(FromPickedFile);
        }
    }
    if (mode == CommandEdited) picked = controlText(CommandField);
    if (picked == app.currentEntry.command) return;
    showExplorerOptions();
    app.currentEntry.command = picked;
    if (app.currentEntry.iconSpec.empty()) refreshDefaultIcon(picked);
}

void showExplorerOptions() {
    const bool explorer = lowerCase(controlText(CommandField)) == u"explorer.exe";
    if (explorer) {
        const std::u16string parameters = lowerCase(controlText(ParametersField));
        setControlChecked(SplitWindowBox, parameters.find(u"/e") != std::u16string::npos);
        setControlChecked(AsRootBox, parameters.find(u"/root") != std::u16string::npos);
    }
    const int show = explorer ? platform::ShowShow : platform::ShowHide;
    platform::showWindow(editorControl(SplitWindowBox), show);
    platform::showWindow(editorControl(AsRootBox), show);
}

void applyExplorerOptions() {
    std::u16string parameters = controlChecked(SplitWindowBox) ? u"/e," : u"";
    if (controlChecked(AsRootBox)) parameters += u"/root,";
    setControlText(ParametersField, parameters);
    setEditorMode(EditMode);
}

} // namespace vorlix
