#include "menufile/writer.h"

#include "core/app_state.h"
#include "menufile/menu_bytes.h"
#include "menufile/safe_replace.h"

namespace vorlix {

SaveResult saveMenuFile() {
    if (app.readOnlyMenu) return SaveResult::ReadOnly;
    MenuFileBytes out = menuFileBytes(app.entries, app.menuEncoding, app.menuHasBom);
    if (!replaceFileContent(app.menuFilePath, out.bytes)) return SaveResult::Failed;
    app.menuEncoding = out.encoding;
    app.menuHasBom = out.hasBom;
    return SaveResult::Saved;
}

} // namespace vorlix
