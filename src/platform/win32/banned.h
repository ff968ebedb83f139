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
