#pragma once
// Scripted process environment for the native tests.
#include <cstdint>
#include <map>
#include <string>

namespace fake {

struct EnvironmentState {
    std::u16string modulePath = u"C:\\Tools\\Vorlix.exe";
    std::u16string commandLine = u"\"C:\\Tools\\Vorlix.exe\"";
    std::u16string currentDirectory = u"C:\\Work";
    std::u16string localeName = u"English";
    std::map<std::u16string, std::u16string> variables; // keys upper-cased, as the system ignores case
    std::map<std::u16string, int> driveTypes;            // "X:" upper-cased -> drive type; default fixed
    bool expandFails = false;
    std::map<std::u16string, std::u16string> fullPaths; // what the system completes a path to
    bool fullPathFails = false;
    bool setDirectoryFails = false;
    std::uint64_t ticks = 0;     // advanced by sleepMs and by tests
};

EnvironmentState& environment();
void resetEnvironment();

} // namespace fake
