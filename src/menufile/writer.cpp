#include "menufile/writer.h"

#include "core/app_state.h"
#include "menufile/file_stamp.h"
#include "menufile/menu_bytes.h"
#include "menufile/safe_replace.h"
#include "menufile/storable.h"

namespace vorlix {

SaveResult saveMenuFile() {
    if (app.readOnlyMenu) return SaveResult::ReadOnly;
    // A line break inside a field would add lines of its own to the menu; the editor never lets one in.
    for (const MenuEntry& entry : app.entries)
        if (!entry.label.empty() && !entryLineIsWhole(entry)) return SaveResult::Failed;
    MenuFileBytes out = menuFileBytes(app.entries, app.menuEncoding, app.menuHasBom);
    if (!replaceFileContent(app.menuFilePath, out.bytes)) return SaveResult::Failed;
    app.menuFileStamp = stampOf(out.bytes);
    app.menuEncoding = out.encoding;
    app.menuHasBom = out.hasBom;
    return SaveResult::Saved;
}

} // namespace vorlix
