#pragma once
// Reading a shell shortcut (".lnk", ".pif") through the shell-link object.
#include <string>

namespace platform {

// What a shortcut points to; each field holds at most 260 characters, as the shell hands them out.
struct ShortcutInfo {
    std::u16string target;           // the target's full path; empty when it is no file-system object
    std::u16string arguments;        // the command-line arguments stored in the shortcut
    std::u16string workingDirectory; // the working folder stored in the shortcut
};

// Loads the shortcut file at path and resolves it without any user interface. true when it resolved to
// a file-system target; info is written only then.
bool resolveShortcut(const std::u16string& path, ShortcutInfo& info);

} // namespace platform
