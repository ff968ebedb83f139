#include "platform/process_control.h"

#include "platform/fake/fake_process_control.h"

namespace fake {

ProcessesState& processes() {
    static ProcessesState state;
    return state;
}

void resetProcesses() { processes() = ProcessesState{}; }

namespace {

FakeProcess* open(platform::ProcessHandle process) {
    auto it = processes().processes.find(process);
    if (it == processes().processes.end() || it->second.handleClosed) {
        ++processes().badHandleCalls;
        return nullptr;
    }
    return &it->second;
}

} // namespace

} // namespace fake

namespace platform {

bool processRunning(ProcessHandle process) {
    fake::FakeProcess* p = fake::open(process);
    return p && p->running;
}

bool terminateProcess(ProcessHandle process) {
    fake::FakeProcess* p = fake::open(process);
    if (!p || !p->running) return false;
    p->running = false;
    p->terminated = true;
    return true;
}

bool closeProcessHandle(ProcessHandle process) {
    fake::FakeProcess* p = fake::open(process);
    if (!p) return false;
    p->handleClosed = true;
    return true;
}

} // namespace platform
