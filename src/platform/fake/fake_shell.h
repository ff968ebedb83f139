#pragma once
// Records every request handed to the shell; answers from a script.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace fake {

struct ShellRequest {
    platform::WindowHandle owner = 0;
    std::u16string verb;
    std::u16string file;
    std::u16string parameters;
    std::u16string directory;
    int show = 0;
};

// A request of openKeepingProcess.
struct OpenRequest {
    platform::WindowHandle owner = 0;
    std::u16string file;
    std::u16string directory;
};

struct ShellState {
    std::vector<ShellRequest> requests;
    std::deque<std::intptr_t> results; // next answers; defaultResult when empty
    std::intptr_t defaultResult = 42;

    // openKeepingProcess: the next process handles (0: nothing started); when empty, a new handle from
    // nextProcess on. A handle it returns is a running process in fake::processes().
    std::vector<OpenRequest> opens;
    std::deque<platform::ProcessHandle> openResults;
    std::uintptr_t nextProcess = 0x7000;
};

ShellState& shell();
void resetShell();

} // namespace fake
