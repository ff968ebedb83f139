#pragma once
// The configuration editor's working state: its mode, the selected entry, the handles of its controls.
#include <array>
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace vorlix {

enum EditorMode : int { ModeUnset = -1, ListMode = 0, EditMode = 1 };

// What an editing operation asks the editor's loop to do at the start of its next pass.
enum RefreshRequest : unsigned {
    NoRefresh = 0,
    ReloadFields = 1,  // load the selected entry into the edit controls
    ShowSelection = 2, // make the selected row visible and selected
    ReloadAndShow = 3,
    CloseEditor = 4,   // leave the loop
};

// Command numbers of the editor: a control's number, or a command without a control. A keyboard shortcut
// that stands for a control carries that control's number.
enum EditorCommand : int {
    HelpCommand = 1,
    InfoCommand = 2,
    EntryList = 3,
    MoveUpArrow = 4,
    MoveDownArrow = 5,
    NewItemButton = 6,
    SeparatorButton = 7,
    RemoveButton = 8,
    OnTopToggle = 9,
    HelpMenuButton = 10,
    InSubmenuBox = 13,
    LabelField = 14,
    IconButton = 15,
    CommandField = 16,
    BrowseCommandButton = 17,
    ParametersField = 18,
    SplitWindowBox = 19,
    AsRootBox = 20,
    DirectoryField = 21,
    BrowseDirectoryButton = 22,
    RunModeBox = 23,
    ReadOnlyNote = 24,
    FocusRunModeCommand = 25,
    OkButton = 26,
    CancelButton = 27,
    CloseButton = 28,
    QuitButton = 29,
    ApplyButton = 30,
    FocusLabelCommand = 31,
    EscapeKeyCommand = 34,
    EnterKeyCommand = 35,
    EditorCommandLimit = 36, // one past the largest number
};

struct EditorState {
    int editorMode = ModeUnset;
    std::int64_t selectedIndex = -1;
    bool modified = false;
    bool newItemPending = false;
    std::u16string pickedPath;
    platform::WindowHandle window = 0;
    // Handles of the controls by their number; 0 for numbers without a control.
    std::array<platform::WindowHandle, EditorCommandLimit> controls{};
    platform::MenuHandle helpMenu = 0;
    platform::IconHandle iconButtonIcon = 0; // shown on the icon button; owned by the editor
    // Files dropped on the list are being added: the icon button and the enabling of the controls wait for
    // the last.
    bool dropping = false;
};

} // namespace vorlix
