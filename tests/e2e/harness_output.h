#pragma once
// What the harness programs print for their case scripts: lines on standard output, flushed at once so a
// script that waits for a line sees it while the harness still runs.
#include <windows.h>

#include <cstdio>
#include <string>

inline void say(const std::string& text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    FlushFileBuffers(GetStdHandle(STD_OUTPUT_HANDLE));
}

// "NAME left top right bottom", as the scripts' rect_of reads it.
inline std::string rectLine(const char* name, const RECT& r) {
    char line[128];
    std::snprintf(line, sizeof line, "%s %ld %ld %ld %ld\n", name, r.left, r.top, r.right, r.bottom);
    return line;
}
