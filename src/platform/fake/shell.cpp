#include "platform/shell.h"

#include "platform/fake/fake_process_control.h"
#include "platform/fake/fake_shell.h"

namespace fake {

ShellState& shell() {
    static ShellState state;
    return state;
}

void resetShell() { shell() = ShellState{}; }

} // namespace fake

namespace platform {

std::intptr_t shellExecute(WindowHandle owner, const std::u16string& verb, const std::u16string& file,
                           const std::u16string& parameters, const std::u16string& directory, int show) {
    auto& s = fake::shell();
    s.requests.push_back({owner, verb, file, parameters, directory, show});
    if (s.results.empty()) return s.defaultResult;
    std::intptr_t result = s.results.front();
    s.results.pop_front();
    return result;
}

} // namespace platform

namespace platform {

ProcessHandle openKeepingProcess(WindowHandle owner, const std::u16string& file, const std::u16string& directory) {
    auto& s = fake::shell();
    s.opens.push_back({owner, file, directory});
    ProcessHandle process = 0;
    if (s.openResults.empty()) {
        process = ProcessHandle{s.nextProcess};
        s.nextProcess += 4; // kernel handles are multiples of 4
    } else {
        process = s.openResults.front();
        s.openResults.pop_front();
    }
    if (process != 0) fake::processes().processes[process] = fake::FakeProcess{}; // a fresh running process
    return process;
}

} // namespace platform
