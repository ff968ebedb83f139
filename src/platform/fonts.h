#pragma once
// Fonts that the program makes for its windows' controls.
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace platform {

using FontHandle = Handle<struct FontKind>;

// A regular-weight font of the face at the given point size (at 96 DPI); 0 when it cannot be made.
FontHandle createFont(const std::u16string& face, int points);
bool destroyFont(FontHandle font);
// The font of the program's dialogs and their controls.
inline FontHandle createDialogFont() { return createFont(u"MS Shell Dlg 2", 8); }

} // namespace platform
