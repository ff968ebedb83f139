#include "platform/environment.h"

#include <vector>

#include "platform/fake/fake_environment.h"

namespace fake {

EnvironmentState& environment() {
    static EnvironmentState state;
    return state;
}

void resetEnvironment() { environment() = EnvironmentState{}; }

} // namespace fake

namespace platform {

namespace {

char16_t lowerChar(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
    if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 32);
    if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 80);
    return c;
}

char16_t upperChar(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
    if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 32);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 80);
    return c;
}

bool isSlash(char16_t c) { return c == u'\\' || c == u'/'; }

} // namespace

std::u16string moduleFileName() { return fake::environment().modulePath; }
std::u16string processCommandLine() { return fake::environment().commandLine; }

bool getEnvironmentVariable(std::u16string_view name, std::u16string& value) {
    auto& vars = fake::environment().variables;
    auto it = vars.find(upperCase(name));
    if (it == vars.end()) return false;
    value = it->second;
    return true;
}

bool setEnvironmentVariable(std::u16string_view name, std::u16string_view value) {
    fake::environment().variables[upperCase(name)] = std::u16string(value);
    return true;
}

bool expandEnvironmentStrings(std::u16string_view text, std::u16string& result) {
    if (fake::environment().expandFails || text.size() >= MaxExpansionChars) return false;
    std::u16string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != u'%') {
            out += text[i++];
            continue;
        }
        std::size_t close = text.find(u'%', i + 1);
        if (close == std::u16string_view::npos) { // unterminated: copied as it stands
            out += text.substr(i);
            break;
        }
        std::u16string value;
        std::u16string_view name = text.substr(i + 1, close - i - 1);
        if (!name.empty() && getEnvironmentVariable(name, value)) out += value;
        else out += text.substr(i, close - i + 1); // undefined: "%name%" kept literally
        i = close + 1;
    }
    if (out.size() >= MaxExpansionChars) return false;
    result = out;
    return true;
}

// The system's rules for completing a path are the system's: a test scripts the answers it needs. Any
// other path is joined to the current directory when it has no drive or root of its own.
bool fullPathName(std::u16string_view path, std::u16string& result) {
    auto& env = fake::environment();
    if (env.fullPathFails || path.empty()) return false;
    auto scripted = env.fullPaths.find(std::u16string(path));
    if (scripted != env.fullPaths.end()) result = scripted->second;
    else if (isSlash(path[0]) || (path.size() >= 2 && path[1] == u':')) result = path;
    else if (!env.currentDirectory.empty() && env.currentDirectory.back() == u'\\') result = env.currentDirectory + std::u16string(path);
    else result = env.currentDirectory + u"\\" + std::u16string(path);
    return true;
}

std::u16string currentDirectory() { return fake::environment().currentDirectory; }

bool setCurrentDirectory(std::u16string_view directory) {
    auto& env = fake::environment();
    if (env.setDirectoryFails || directory.empty()) return false;
    std::u16string full;
    if (!fullPathName(directory, full)) return false;
    while (full.size() > 3 && full.back() == u'\\') full.pop_back();
    env.currentDirectory = full;
    return true;
}

int driveType(std::u16string_view drive) {
    auto& types = fake::environment().driveTypes;
    auto it = types.find(upperCase(drive));
    return it == types.end() ? DriveFixed : it->second;
}

std::u16string localeNativeLanguageName() { return fake::environment().localeName; }

std::u16string lowerCase(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) c = lowerChar(c);
    return out;
}

std::u16string upperCase(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) c = upperChar(c);
    return out;
}

std::uint64_t tickCount() { return fake::environment().ticks; }

void sleepMs(std::uint32_t ms) { fake::environment().ticks += ms; }

} // namespace platform
