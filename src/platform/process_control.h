#pragma once
// Programs the program started and kept a handle of (the editor's help viewer).
#include "platform/handles.h"

namespace platform {

// The process has not ended yet (WaitForSingleObject with no waiting time).
bool processRunning(ProcessHandle process);
// TerminateProcess with exit code 0.
bool terminateProcess(ProcessHandle process);
// CloseHandle; the process itself runs on.
bool closeProcessHandle(ProcessHandle process);

} // namespace platform
