#include "platform/process_control.h"

#include <windows.h>

namespace platform {

namespace {
HANDLE handleOf(ProcessHandle process) { return reinterpret_cast<HANDLE>(process); }
} // namespace

bool processRunning(ProcessHandle process) { return WaitForSingleObject(handleOf(process), 0) == WAIT_TIMEOUT; }

bool terminateProcess(ProcessHandle process) { return TerminateProcess(handleOf(process), 0) != FALSE; }

bool closeProcessHandle(ProcessHandle process) { return CloseHandle(handleOf(process)) != FALSE; }

} // namespace platform
