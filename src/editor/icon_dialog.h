#pragma once
// The modal "Icon Selection" dialog of the icon button.
#include <string>

#include "platform/handles.h"

namespace vorlix {

// The dialog's controls. 1 and 2 are left out: a dialog window sends them for Enter and Escape, and
// the dialog has no keyboard shortcuts.
enum IconDialogControl : int {
    IconChoiceList = 41,
    BrowseIconButton = 42,
    DefaultIconButton = 43,
    OkIconButton = 44,
    CancelIconButton = 45,
};

constexpr int MaxOfferedIcons = 500;

struct IconChoice {
    enum class Kind { Kept, DefaultIcon, NewIcon };
    Kind kind = Kind::Kept; // Kept: cancelled, or the current icon accepted
    std::u16string field;   // NewIcon: the file alone for its icon 0, else the file, "," and the number
};

// Lets the user choose an icon, owned by the editor window and starting from startSpec (an entry's icon
// field, "file" or "file,N", or a folder); currentIcon (0: none) is shown as the first item.
IconChoice iconSelectionDialog(const std::u16string& startSpec, platform::IconHandle currentIcon);

} // namespace vorlix
