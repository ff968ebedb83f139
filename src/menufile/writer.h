#pragma once
// Writing app.entries back to the menu file.

namespace vorlix {

enum class SaveResult {
    Saved,     // the file now holds the entries
    ReadOnly,  // app.readOnlyMenu: nothing written, by design
    Failed,    // the file could not be written, or an entry cannot be stored; the old content is intact
};

// Writes app.entries to app.menuFilePath in app.menuEncoding / app.menuHasBom, replacing the file so that a
// crash leaves the old or the new file (menufile/safe_replace.h). When the text needs another form to come
// back unchanged (menufile/menu_bytes.h), that form is written and becomes app.menuEncoding / app.menuHasBom.
SaveResult saveMenuFile();

} // namespace vorlix
