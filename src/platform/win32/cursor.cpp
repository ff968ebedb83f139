#include "platform/cursor.h"

#include <windows.h>

namespace platform {

bool cursorPosition(Point& position) {
    POINT p{};
    if (!GetCursorPos(&p)) return false;
    position = {p.x, p.y};
    return true;
}

} // namespace platform
