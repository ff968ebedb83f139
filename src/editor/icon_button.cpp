#include "editor/icon_button.h"

#include "core/app_state.h"
#include "editor/editor.h"
#include "platform/controls.h"
#include "platform/icons.h"
#include "popup/item_icons.h"

namespace vorlix {

void refreshIconButton() {
    EditorState& ed = app.editor;
    const platform::IconHandle icon = loadItemIcon();
    platform::setButtonIcon(editorControl(IconButton), icon);
    // The button shows the new icon before the old one goes.
    if (ed.iconButtonIcon != 0) platform::destroyIcon(ed.iconButtonIcon);
    ed.iconButtonIcon = icon;
    const std::u16string& iconText = app.currentEntry.iconSpec;
    platform::setTooltip(ed.window, editorControl(IconButton), iconText.empty() ? u"Default icon" : iconText);
}

// The icon selection dialog is not built yet: a click on the button changes nothing.
void pickIcon() {}

} // namespace vorlix
