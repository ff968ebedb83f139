#include "app/command_line.h"

#include <algorithm>

#include "core/app_state.h"
#include "core/text.h"
#include "menufile/expansion.h"
#include "platform/environment.h"
#include "platform/top_windows.h"

namespace vorlix {

namespace {

// Where the working directory ends up after a parse.
enum class WorkingDirectory { Keep, ProgramDir, MenuDir };

char16_t charAt(const TextCursor& cursor, std::size_t pos) {
    return pos < cursor.text.size() ? cursor.text[pos] : u'\0';
}

// Positional arguments: the menu file, then the file that menu commands see as %file% and %dir%.
void takePositional(const std::u16string& argument, int position) {
    if (position == 0) {
        app.menuFilePath = argument;
    } else if (position == 1) {
        platform::setEnvironmentVariable(u"file", argument);
        platform::setEnvironmentVariable(u"dir", directoryPart(argument));
    }
}

// Wraps like the 32-bit arithmetic of the position fields instead of overflowing.
std::int32_t addWrapping(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// /PC counts from the centre of the work area as it is now, not as it was at start-up.
void offsetFromWorkAreaCentre() {
    platform::Rect area = app.workArea;
    platform::workArea(area);
    app.positionX = addWrapping(app.positionX, area.right / 2);
    app.positionY = addWrapping(app.positionY, area.bottom / 2);
}

// Sets the option bits of one switch (already upper-cased); false for a switch that means nothing.
// The first letter decides, except for the four two-letter switches.
bool applySwitchLetters(std::u16string_view letters, WorkingDirectory& directoryMode) {
    const char16_t first = letters.empty() ? u'\0' : letters[0];
    if (letters.substr(0, 2) == u"PC" || first == u'P') app.options |= FixedPosition;
    else if (first == u'N') app.options |= NoButton;
    else if (first == u'C') app.options |= CtrlOpensEditor | NoButton;
    else if (first == u'S') app.options |= StartEditor;
    else if (first == u'V') app.driveRelocation = true;
    else if (first == u'M') app.options |= CheckOnly;
    else if (first == u'I') app.options |= letters.substr(0, 2) == u"IS" ? ShowIcons | AltIconLook : ShowIcons;
    else if (first == u'T') { /* only a value */ }
    else if (letters.substr(0, 2) == u"DP") directoryMode = WorkingDirectory::ProgramDir;
    else if (letters.substr(0, 2) == u"DM") directoryMode = WorkingDirectory::MenuDir;
    else return false;
    return true;
}

void applySwitch(const std::u16string& argument, WorkingDirectory& directoryMode) {
    const std::u16string upper = upperCase(argument);
    const std::u16string_view letters = std::u16string_view(upper).substr(1);
    if (!applySwitchLetters(letters, directoryMode)) return;
    const bool fromCentre = letters.substr(0, 2) == u"PC";
    const std::u16string_view value = letters.substr(std::min<std::size_t>(letters.size(), fromCentre ? 2 : 1));
    const std::int32_t n = value.empty() ? 0 : parseInteger(fieldAt(value, u',', 0));
    const char16_t first = letters.empty() ? u'\0' : letters[0];
    if (first == u'T') {
        app.timeoutMs = n;
    } else if (first == u'P' || first == u'S') {
        app.positionX = n;
        app.positionY = parseInteger(fieldAt(value, u',', 1));
    }
    if (fromCentre) offsetFromWorkAreaCentre();
}

// A relative menu file is found beside the program; the working directory is then put where the
// programs started from the menu should run.
void settleMenuFileAndDirectory(WorkingDirectory directoryMode) {
    const std::u16string remembered = platform::currentDirectory();
    platform::setCurrentDirectory(app.programDir);
    app.menuFilePath = resolvePath(app.menuFilePath);
    switch (directoryMode) {
    case WorkingDirectory::Keep:
        if (!remembered.empty()) platform::setCurrentDirectory(remembered);
        break;
    case WorkingDirectory::ProgramDir: break;
    case WorkingDirectory::MenuDir: platform::setCurrentDirectory(directoryPart(app.menuFilePath)); break;
    }
}

} // namespace

std::u16string nextArgument() {
    TextCursor& cursor = app.commandLineRest;
    while (charAt(cursor, cursor.pos) == u' ') ++cursor.pos;
    bool quoted = false;
    std::u16string argument;
    for (char16_t c = charAt(cursor, cursor.pos); c != u'\0'; c = charAt(cursor, cursor.pos)) {
        ++cursor.pos;
        if (c == u'"') {
            quoted = !quoted;
        } else if (c == u' ' && !quoted) {
            break;
        } else {
            argument += c;
        }
    }
    return argument;
}

void parseCommandLine() {
    app.options = 0;
    int positional = 0;
    WorkingDirectory directoryMode = WorkingDirectory::Keep;
    for (std::u16string argument = nextArgument(); !argument.empty(); argument = nextArgument()) {
        if (argument[0] == u'/') applySwitch(argument, directoryMode);
        else takePositional(argument, positional++);
    }
    settleMenuFileAndDirectory(directoryMode);
}

} // namespace vorlix
