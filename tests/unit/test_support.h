#pragma once
// Shared set-up for the native tests: a clean state record and clean fakes before every case.
#include <initializer_list>
#include <string>

#include "core/app_state.h"
#include "platform/fake/fake_controls.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_environment.h"
#include "platform/fake/fake_file_dialogs.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_monitors.h"
#include "platform/fake/fake_process_control.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_ui.h"

namespace testing_support {

// The keyword list that start-up sets.
inline constexpr const char16_t* StartupKeywords = u"configuration;vorlix;files;rem;cancel;submenu";

// Resets the state record and every fake; the keyword list is set as start-up would set it.
inline void resetAll() {
    vorlix::resetAppState();
    fake::resetFiles();
    fake::resetEnvironment();
    fake::resetDialogs();
    fake::resetUi();
    fake::resetControls();
    fake::resetFileDialogs();
    fake::resetShell();
    fake::resetProcesses();
    fake::resetMonitors();
    vorlix::app.keywordList = StartupKeywords;
}

// File content from byte values, for content that string literals make hard to read (zeros, high bytes).
inline std::string bytesOf(std::initializer_list<unsigned char> list) { return std::string(list.begin(), list.end()); }

} // namespace testing_support
