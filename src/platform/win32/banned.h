#pragma once
// Unsafe string calls are compile errors in the product. The system and library headers that declare
// them are read first; after that, any use of a poisoned name fails the build.
#include <windows.h>
#include <shellapi.h>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#undef lstrcpy
#undef lstrcat
#undef wsprintf
#pragma GCC poison wcscpy wcscat lstrcpyW lstrcatW lstrcpy lstrcat wsprintfW wsprintf sprintf strcpy strcat

// A library loaded by name alone is looked for beside the program first on a system that keeps the old
// search order: the program's own loads go through LoadLibraryExW with LOAD_LIBRARY_SEARCH_SYSTEM32.
#undef LoadLibrary
#pragma GCC poison LoadLibrary LoadLibraryW LoadLibraryA
