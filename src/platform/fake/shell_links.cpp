#include "platform/shell_links.h"

#include "platform/environment.h"
#include "platform/fake/fake_shell_links.h"

namespace fake {

ShellLinksState& shellLinks() {
    static ShellLinksState state;
    return state;
}

void resetShellLinks() { shellLinks() = ShellLinksState{}; }

void putShortcut(const std::u16string& path, const std::u16string& target, const std::u16string& arguments,
                 const std::u16string& workingDirectory) {
    shellLinks().shortcuts[platform::upperCase(path)] = {target, arguments, workingDirectory};
}

} // namespace fake

namespace platform {

bool resolveShortcut(const std::u16string& path, ShortcutInfo& info) {
    fake::shellLinks().requests.push_back(path);
    auto it = fake::shellLinks().shortcuts.find(upperCase(path));
    if (it == fake::shellLinks().shortcuts.end() || it->second.target.empty()) return false;
    info = it->second;
    return true;
}

} // namespace platform
