#pragma once
// Filling the edit controls from a picked or dropped file (app.editor.pickedPath).
#include <string>

namespace vorlix {

void importPickedFile();
// The extension after the last "." lower-cased; empty when a space, "/" or "\" follows that ".".
std::u16string extensionOf(const std::u16string& path);

} // namespace vorlix
