#pragma once
// Controls for the native tests: a control is a fake::FakeWindow (fake_ui.h) with its kind, text, check
// state, rows, choices, font and tooltip; tests read that state. Fonts are kept in a ledger so that a test
// can tell which were made and that each was destroyed. The helpers below play the user: each scripts an
// event whose change to the control (typed text, a flipped check box, a chosen row) and focus move happen
// when the program's wait takes it, so a whole session can be scripted before the window exists.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/fake/fake_ui.h"

namespace fake {

struct FontRecord {
    platform::FontHandle handle = 0;
    std::u16string face;
    int points = 0;
    bool destroyed = false;
};

struct ControlsState {
    // Scripted answers.
    platform::Point screenSize{1024, 768};
    bool initFails = false;
    bool fontFails = false;

    // Recorded requests and state.
    int commonControlsInits = 0;
    int usedBeforeInit = 0; // list views and tooltips made before initCommonControls
    std::vector<FontRecord> fonts; // in creation order
    int badFontDestroys = 0;       // destroying a font that is unknown or already destroyed
};

ControlsState& controls();
void resetControls();

// nullptr for a handle createFont did not make.
FontRecord* font(platform::FontHandle handle);
// Fonts made and not destroyed yet.
std::size_t liveFonts();

// The live control with this number in any window (the first made when several have it), or nullptr.
FakeWindow* control(int number);

// ---- The user ------------------------------------------------------------------------------------
// Typing into a text field: the focus moves to it, its text becomes text, a Change event follows.
void typeText(int number, const std::u16string& text);
// A click: the focus moves to the control (not to a label or panel), a check box or toggle button flips,
// a Click event follows.
void clickControl(int number);
// A click on a row of a list view or icon list: the focus moves to it, the row is selected, a Change
// event follows.
void chooseRow(int number, int row);
// Picking a choice of a drop-down list: the focus moves to it, the choice is selected, a Change event
// follows.
void chooseChoice(int number, int index);
// Any other control event, with no change of state (a double click, a FocusLost of its own).
void scriptControl(int number, platform::ControlAction action);
// A keyboard shortcut's command (a Menu event by shortcut).
void scriptCommand(int id);
// Files dropped on the control (0: on the window), "\n"-separated; they go to the nearest window that
// accepts files, and the event names that window's control (0 for the top-level window).
void scriptDrop(int number, const std::u16string& files);
// The close box.
void scriptClose();

} // namespace fake
