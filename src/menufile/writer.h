#pragma once
// Writing app.entries back to the menu file.

namespace vorlix {

enum class SaveResult {
    Saved,     // the file now holds the entries
    ReadOnly,  // app.readOnlyMenu: nothing written, by design
    Failed,    // the file could not be written; the old content is intact
};

SaveResult saveMenuFile();

} // namespace vorlix
