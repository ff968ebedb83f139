#pragma once
// Handing a start request to the shell (ShellExecuteW).
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace platform {

// Show states of a started program.
enum ShowState : int {
    ShellShowNormal = 1,    // SW_SHOWNORMAL
    ShellShowMinimized = 2, // SW_SHOWMINIMIZED
    ShellShowMaximized = 3, // SW_SHOWMAXIMIZED
};

// The shell's answers above this value mean the request was accepted.
constexpr std::intptr_t ShellAccepted = 32;

// ShellExecuteW(owner, verb, file, parameters, directory, show). An empty verb, parameters or directory
// is passed as a null pointer. Returns the shell's result code.
std::intptr_t shellExecute(WindowHandle owner, const std::u16string& verb, const std::u16string& file,
                           const std::u16string& parameters, const std::u16string& directory, int show);

// Opens file in its associated program (ShellExecuteExW, verb "open", working directory directory),
// keeping the started process's handle, which the caller closes. The shell shows no message of its own
// when it fails (SEE_MASK_FLAG_NO_UI). 0 when nothing was started or the shell gave no process.
ProcessHandle openKeepingProcess(WindowHandle owner, const std::u16string& file, const std::u16string& directory);

} // namespace platform
