#pragma once
#include "platform/handles.h"

namespace vorlix {

// What the hidden main window is made of: its label's control number and the commands of its keyboard
// shortcuts (the popup cycle's configuration button reacts to them).
enum MainWindowId : int {
    EnterCommand = 1,       // Enter
    EscapeCommand = 2,      // Escape
    ConfigurationLabel = 100,
};

// The whole program run after process start; returns the process exit code (always 0).
int programMain();

// Puts the label "Vorlix Configuration" into the main window; its handle, or 0 when it cannot be made.
platform::WindowHandle addConfigurationLabel();

// The start-up steps that only fill the state record: the program's path and drive, the command line
// with the program's name skipped, and every default. Touches no window.
void initialiseAppState();

} // namespace vorlix
