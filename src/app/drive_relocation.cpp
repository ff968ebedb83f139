#include "app/drive_relocation.h"

#include <string_view>

#include "core/app_state.h"
#include "core/text.h"
#include "platform/environment.h"

namespace vorlix {

namespace {

char16_t upperChar(char16_t c) {
    const std::u16string upper = upperCase(std::u16string_view(&c, 1));
    return upper.empty() ? c : upper[0];
}

bool isDriveLetter(char16_t c) { return c >= u'A' && c <= u'Z'; }

// The upper-cased first character of a variable, or 0 when it is unset or empty.
char16_t firstLetterOf(std::u16string_view variable) {
    std::u16string value;
    if (!platform::getEnvironmentVariable(variable, value) || value.empty()) return u'\0';
    return upperChar(value[0]);
}

// The drive letter the menu was written for: that of the first definition that starts with "X:" for a
// drive other than the system's and the home drive. A shell path such as "::{...}" names no drive.
char16_t oldDriveLetter(char16_t windowsDrive, char16_t homeDrive) {
    for (const MenuEntry& entry : app.entries) {
        const std::u16string& d = entry.definition;
        if (d.size() < 2 || d[1] != u':') continue;
        const char16_t letter = upperChar(d[0]);
        if (isDriveLetter(letter) && letter != windowsDrive && letter != homeDrive) return letter;
    }
    return u'\0';
}

bool startsAPath(char16_t before) { return std::u16string_view(u";, /=+\"").find(before) != std::u16string_view::npos; }

// Every "X:" at the start of the definition or after one of the separators gets the new letter.
void replaceDriveLetter(std::u16string& definition, char16_t oldLetter, char16_t newLetter) {
    for (std::size_t colon = definition.find(u':', 1); colon != std::u16string::npos;
         colon = definition.find(u':', colon + 1)) {
        const std::size_t letter = colon - 1;
        if (upperChar(definition[letter]) != oldLetter) continue;
        if (letter == 0 || startsAPath(definition[letter - 1])) definition[letter] = newLetter;
    }
}

} // namespace

void relocateDriveLetters() {
    // Only a program that runs from a drive letter has a letter to give; from a network path (/V) the
    // definitions are left alone.
    if (app.programPath.size() < 2 || app.programPath[1] != u':') return;
    const char16_t programLetter = upperChar(app.programPath[0]);
    if (!isDriveLetter(programLetter)) return;
    const char16_t oldLetter = oldDriveLetter(firstLetterOf(u"windir"), firstLetterOf(u"HOMEDRIVE"));
    if (oldLetter == u'\0' || oldLetter == programLetter) return;
    for (MenuEntry& entry : app.entries) replaceDriveLetter(entry.definition, oldLetter, programLetter);
}

} // namespace vorlix
