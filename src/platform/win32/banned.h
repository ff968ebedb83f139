#pragma once
// The Win32 layer's unsafe string calls are compile errors too (platform/banned.h has the C library's). The
// system headers that declare them are read first; after that, any use of a poisoned name fails the build.
#include <windows.h>
#include <shellapi.h>

#include "platform/banned.h"

#undef lstrcpy
#undef lstrcat
#undef wsprintf
#pragma GCC poison lstrcpyW lstrcatW lstrcpy lstrcat wsprintfW wsprintf

// A library loaded by name alone is looked for beside the program first on a system that keeps the old
// search order: the program's own loads go through LoadLibraryExW with LOAD_LIBRARY_SEARCH_SYSTEM32.
#undef LoadLibrary
#pragma GCC poison LoadLibrary LoadLibraryW LoadLibraryA
