#pragma once
// Unsafe C string calls are compile errors in every file of the product (the build includes this header
// first). The library headers that declare them are read first; after that, any use of a poisoned name
// fails the build.
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#pragma GCC poison wcscpy wcscat sprintf strcpy strcat
