#pragma once
// The one program-wide state record. Every subsystem works on it through plain procedures.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/editor_state.h"
#include "core/folder_submenu.h"
#include "core/menu_entry.h"
#include "platform/handles.h"

namespace vorlix {

// Bits of AppState::options, reset before every parse of the command line.
enum StartOption : std::uint32_t {
    FixedPosition = 1,   // /P, /PC: popup and button at (positionX, positionY)
    StartEditor = 2,     // /S: no popup, the editor opens directly
    NoButton = 4,        // /N, /C: no configuration button after a dismissal
    ShowIcons = 8,       // /I, /IS: items carry icons
    AltIconLook = 16,    // /IS: the alternative look of the icon menu
    CtrlOpensEditor = 32, // /C: Ctrl alone while choosing or dismissing opens the editor
    CheckOnly = 128,     // /M: build the menu, do not show it
};

enum CycleState : int {
    Running = 0,
    LaunchFailed = 0, // launchEntry's name for the same value
    Restart = 1,
    OpenEditor = 2,
    Quit = 3,
};

// Modifier bits sampled when a choice arrives.
enum ModifierKey : int {
    ShiftHeld = 1,
    CtrlHeld = 2,
};

// The rest of a command line still to be parsed. Owns its text, so a restart can replace it safely.
struct TextCursor {
    std::u16string text;
    std::size_t pos = 0;
};

// The menu file as it was last read or written, to tell whether another program changed it since.
struct MenuFileStamp {
    bool present = false; // false: there was no file to read
    std::uint64_t size = 0;
    std::uint64_t hash = 0; // of all its bytes
    bool operator==(const MenuFileStamp&) const = default;
};

struct AppState {
    // Start-up and command line.
    std::u16string programPath;
    std::u16string programDir;   // up to and including the last "\"
    std::u16string programDrive; // "X:" or empty
    std::u16string menuFilePath;
    TextCursor commandLineRest;
    std::uint32_t options = 0;
    std::int32_t positionX = 0;
    std::int32_t positionY = 0;
    std::int32_t timeoutMs = 0;
    bool driveRelocation = false;
    std::u16string versionTitle;
    std::u16string buildText;
    std::u16string keywordList;
    std::u16string runModeList;
    std::u16string localeLanguageName;
    platform::Rect workArea;
    platform::WindowHandle mainWindow = 0;

    // Popup cycle.
    int cycleState = Running;
    std::int64_t editorStartIndex = 0;
    int modifiers = 0;
    bool readOnlyMenu = false;
    bool menuWasMissing = false;
    bool menuCreated = false;
    std::u16string editorTitle;
    platform::ProcessHandle helpViewer = 0;
    // The editor's own window while it exists, 0 otherwise (set by the editor). The launcher tells by it
    // that an entry is being tested from the editor; a window title could belong to another instance.
    platform::WindowHandle editorWindow = 0;

    // Menu file reader.
    std::int64_t lineNumber = 0;
    MenuEncoding menuEncoding = MenuEncoding::Utf8;
    bool menuHasBom = false;
    MenuFileStamp menuFileStamp;

    // Popup builder.
    std::int64_t firstFolderItemId = 0;
    bool menuLoopEnded = false;
    platform::MenuHandle rootMenu = 0;

    // Message boxes.
    platform::Rect ownerRect;
    platform::HookHandle centringHook = 0;

    // The program-wide lists and the decoded current entry.
    std::vector<MenuEntry> entries;
    std::vector<FolderSubmenu> folderSubmenus;
    std::size_t currentFolderSubmenu = 0; // index in folderSubmenus of the record filled last
    std::vector<std::u16string> folderItems;
    EntryFields currentEntry;

    // The configuration editor.
    EditorState editor;
};

extern AppState app;

// Zeroes the state record (start-up step 1; also used by tests).
void resetAppState();

} // namespace vorlix
