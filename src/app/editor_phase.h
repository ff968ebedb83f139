#pragma once
#include "editor/editor_host.h"

namespace vorlix {

// The program's answers to the editor's questions: its message boxes and the info window.
const EditorHost& programEditorHost();

// What follows the last popup cycle when it asked for the editor (app.cycleState OpenEditor), after the
// main window has closed: brings an editor of the same menu file to the front when one is open, otherwise
// makes sure the menu file exists, runs the editor on app.entries and tidies up after it.
void runEditorPhase();

} // namespace vorlix
