#include "app/cycle_menu.h"

#include <cstdint>

#include "core/app_state.h"
#include "app/drive_relocation.h"
#include "core/text.h"
#include "menufile/reader.h"
#include "platform/dialogs.h"
#include "platform/files.h"

namespace vorlix {

bool readCycleMenu(platform::WindowHandle owner) {
    if (!loadMenuFile()) {
        platform::messageBox(owner, u"Error in menu file, line " + toDecimal(app.lineNumber) + u"\r" + app.menuFilePath,
                             u"Vorlix", platform::BoxOk);
        return false;
    }
    completeSubmenuHeaders();
    if (app.driveRelocation) relocateDriveLetters();
    return true;
}

bool menuFileIsReadOnly() {
    if (platform::volumeIsReadOnly(app.menuFilePath)) return true;
    // Nothing is saved to a device (COM1.lst, \\.\NUL); asked only when the read found no line.
    if (app.lineNumber == 0 && platform::pathSizeOrKind(app.menuFilePath) == platform::PathIsDevice) return true;
    std::uint32_t attributes = 0;
    return platform::fileAttributes(app.menuFilePath, attributes) && (attributes & platform::AttributeReadOnly) != 0;
}

void putSubstituteMenu() {
    app.entries.clear();
    app.entries.push_back({u"Menu file not found", u"rem", 0});
    app.entries.push_back({u"Create new menu", u"Configuration", 0}); // opens the editor on the new file
    app.entries.push_back({u"Cancel", u"Cancel", 0});
}

} // namespace vorlix
