#pragma once
// Writing app.entries back to the menu file.
#include <string>
#include <vector>

#include "core/menu_entry.h"

namespace vorlix {

enum class SaveResult {
    Saved,     // the file now holds the entries
    ReadOnly,  // app.readOnlyMenu: nothing written, by design
    Failed,    // the file could not be written; the old content is intact
};

// Writes app.entries to app.menuFilePath in app.menuEncoding / app.menuHasBom. The file is replaced in
// one step (a temporary file beside it, renamed over it), so a crash leaves the old or the new file.
// When the text needs another form to come back unchanged (see menuFileBytes), that form is written and
// becomes app.menuEncoding / app.menuHasBom.
SaveResult saveMenuFile();

// The text of the file: "label=definition" with trailing ";" removed and CR LF, for every entry with a label.
std::u16string menuFileText(const std::vector<MenuEntry>& entries);

// The bytes of the file in exactly the given form. ANSI never has a byte-order mark.
std::string encodeMenuFile(const std::vector<MenuEntry>& entries, MenuEncoding encoding, bool hasBom);

struct MenuFileBytes {
    std::string bytes;
    MenuEncoding encoding = MenuEncoding::Utf8;
    bool hasBom = true;
};

// The bytes to save: the given form when the reader gets the same text back from it, otherwise UTF-8 with
// a byte-order mark (characters that the ANSI code page lacks, or ANSI bytes that would be taken for UTF-8).
MenuFileBytes menuFileBytes(const std::vector<MenuEntry>& entries, MenuEncoding encoding, bool hasBom);

} // namespace vorlix
