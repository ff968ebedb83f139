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

struct ShellState {
    std::vector<ShellRequest> requests;
    std::deque<std::intptr_t> results; // next answers; defaultResult when empty
    std::intptr_t defaultResult = 42;
};

ShellState& shell();
void resetShell();

} // namespace fake
