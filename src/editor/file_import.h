#pragma once
// Filling the edit controls from a picked or dropped file (app.editor.pickedPath): an Internet shortcut
// gives its address, a shell shortcut what it points to, a folder an Explorer entry.
#include <string>
#include <string_view>

namespace vorlix {

void importPickedFile();
// The extension after the last "." lower-cased; empty when a space, "/" or "\" follows that ".".

// The address of an Internet shortcut's bytes (UTF-8, no byte-order mark looked for): the rest of the
// first line that begins exactly with "URL=" once stripped of spaces; empty when no line does.
std::u16string addressOfUrlFile(std::string_view bytes);

} // namespace vorlix
