#include "platform/process_control.h"

#include <windows.h>

#include "platform/win32/native_handles.h"

namespace platform {

namespace {
HANDLE handleOf(ProcessHandle process) { return win32::native<HANDLE>(process); }
} // namespace

bool processRunning(ProcessHandle process) { return WaitForSingleObject(handleOf(process), 0) == WAIT_TIMEOUT; }

bool terminateProcess(ProcessHandle process) { return TerminateProcess(handleOf(process), 0) != FALSE; }

bool closeProcessHandle(ProcessHandle process) { return CloseHandle(handleOf(process)) != FALSE; }

} // namespace platform
