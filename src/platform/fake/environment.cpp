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

// Removes "." and ".." components below the root, as GetFullPathNameW does.
std::u16string normalise(const std::u16string& root, std::u16string_view rest) {
    std::vector<std::u16string> parts;
    std::u16string part;
    auto flush = [&] {
        if (part == u"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.push_back(part);
        }
        part.clear();
    };
    for (char16_t c : rest) {
        if (isSlash(c)) flush();
        else part.push_back(c);
    }
    bool trailingSlash = !rest.empty() && isSlash(rest.back());
    flush();
    std::u16string out = root;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += u'\\';
        out += parts[i];
    }
    if (trailingSlash && !parts.empty()) out += u'\\';
    return out;
}

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

bool fullPathName(std::u16string_view path, std::u16string& result) {
    auto& env = fake::environment();
    if (env.fullPathFails || path.empty()) return false;
    const std::u16string& cwd = env.currentDirectory;
    if (path.size() >= 2 && isSlash(path[0]) && isSlash(path[1])) { // UNC: \\server\share stays the root
        result = u"\\\\" + normalise(u"", path.substr(2));
        return true;
    }
    if (path.size() >= 2 && path[1] == u':') {
        std::u16string drive(path.substr(0, 2));
        if (path.size() >= 3 && isSlash(path[2])) result = normalise(drive + u"\\", path.substr(3));
        else if (!cwd.empty() && upperCase(cwd.substr(0, 2)) == upperCase(drive))
            result = normalise(cwd.substr(0, 3), cwd.substr(3) + u"\\" + std::u16string(path.substr(2)));
        else result = normalise(drive + u"\\", path.substr(2));
        return true;
    }
    std::u16string root = cwd.size() >= 3 ? cwd.substr(0, 3) : u"C:\\";
    if (isSlash(path[0])) result = normalise(root, path.substr(1));
    else result = normalise(root, cwd.substr(root.size()) + u"\\" + std::u16string(path));
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
