#include "editor/icon_button.h"

#include "core/app_state.h"
#include "editor/editor.h"
#include "editor/icon_dialog.h"
#include "platform/controls.h"
#include "platform/icons.h"
#include "popup/item_icons.h"

namespace vorlix {

void refreshIconButton() {
    EditorState& ed = app.editor;
    if (ed.dropping) return; // each file's icon would be asked of the shell only to be replaced
    const platform::IconHandle icon = loadItemIcon();
    platform::setButtonIcon(editorControl(IconButton), icon);
    // The button shows the new icon before the old one goes.
    if (ed.iconButtonIcon != 0) platform::destroyIcon(ed.iconButtonIcon);
    ed.iconButtonIcon = icon;
    const std::u16string& iconText = app.currentEntry.iconSpec;
    platform::setTooltip(ed.window, editorControl(IconButton), iconText.empty() ? u"Default icon" : iconText);
}

// The choice goes into the fields like any other edit: Ok stores it with them, Cancel drops it.
void pickIcon() {
    std::u16string& iconSpec = app.currentEntry.iconSpec;
    const IconChoice chosen = iconSelectionDialog(iconSpec.empty() ? app.programDir : iconSpec, app.editor.iconButtonIcon);
    if (chosen.kind == IconChoice::Kind::Kept) return;
    iconSpec = chosen.field; // empty for the default icon
    refreshIconButton();
    setEditorMode(EditMode);
}

} // namespace vorlix
