#pragma once
// Scripted processes for the native tests: a test registers a handle as a running or ended program.
#include <map>

#include "platform/handles.h"

namespace fake {

struct FakeProcess {
    bool running = true;
    bool terminated = false;
    bool handleClosed = false;
};

struct ProcessesState {
    std::map<platform::ProcessHandle, FakeProcess> processes;
    int badHandleCalls = 0; // calls naming an unknown handle or one already closed
};

ProcessesState& processes();
void resetProcesses();

} // namespace fake
