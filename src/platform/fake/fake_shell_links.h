#pragma once
// Shortcut files for the native tests: what each one resolves to, found regardless of letter case; every
// request is kept.
#include <map>
#include <string>
#include <vector>

#include "platform/shell_links.h"

namespace fake {

struct ShellLinksState {
    std::map<std::u16string, platform::ShortcutInfo> shortcuts; // key: upper-cased path
    std::vector<std::u16string> requests;
};

ShellLinksState& shellLinks();
void resetShellLinks();

// A shortcut at path that resolves to target (an empty target: a shortcut to no file-system object).
void putShortcut(const std::u16string& path, const std::u16string& target, const std::u16string& arguments = {},
                 const std::u16string& workingDirectory = {});

} // namespace fake
