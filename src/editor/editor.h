#pragma once
// The configuration editor's window loop on app.entries: its modes, its enabling rules, help.
#include <cstdint>

#include <string>

#include "core/editor_state.h"
#include "editor/editor_host.h"
#include "platform/handles.h"

namespace vorlix {

// Builds the editor's window, runs its loop until it is closed, closes it; returns 0.
int runEditor(std::int64_t startIndex, const EditorHost& host);

// ListMode or EditMode, or ModeUnset to keep the mode and apply the enabling rules again.
void setEditorMode(int mode);
// Fits the column, scrolls the selected row into view and selects it; in EditMode the row shows the
// label being typed.
void showSelection();
// Starts the help viewer on the help file of the user's language.
void openHelp();

// The handle of an editor control by its number, 0 when it has none.
platform::WindowHandle editorControl(int number);
std::u16string controlText(int number);
void setControlText(int number, const std::u16string& text);
// Gives the control the keyboard focus unless it has it.
void focusControl(int number);
bool controlChecked(int number);
void setControlChecked(int number, bool checked);

} // namespace vorlix
