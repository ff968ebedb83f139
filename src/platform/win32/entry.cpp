// Process entry of Vorlix.exe: everything else comes from the command line, read by the core.
#include <windows.h>

#include "app/startup.h"

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// Vorlix is unpacked into folders such as Downloads, where anyone may put a "uxtheme.dll" beside it, and
// Windows looks for a library that is not a KnownDLL in the program's folder first. Every library that
// loads late (the delay-loaded ones, and those that the shell, the common controls and the common dialogs
// load on their way) then comes from the system folder only. Windows 7 without KB2533623 lacks
// SetDefaultDllDirectories; there, at least the current folder leaves the search.
void loadLibrariesFromTheSystemFolderOnly() {
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const FARPROC found = kernel != nullptr ? GetProcAddress(kernel, "SetDefaultDllDirectories") : nullptr;
    // A cast through void (*)() is the documented way to say that the type is known to be right.
    const auto setDefaultDllDirectories =
        reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(found));
    if (setDefaultDllDirectories != nullptr && setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    SetDllDirectoryW(L"");
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    loadLibrariesFromTheSystemFolderOnly();
    return vorlix::programMain();
}
