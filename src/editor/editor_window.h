#pragma once
// The editor's window: its controls, fonts, tooltips, keyboard shortcuts and help menu.
namespace vorlix {

// Creates the window (hidden) with every control, the shortcuts and the help menu; the handles go into
// app.editor. false when the window cannot be created (then no control is made).
bool buildEditorWindow();
// Destroys the window, its fonts and the help menu.
void destroyEditorWindow();

} // namespace vorlix
