#pragma once
// Copies of icons made from their pixels, for icon menus whose items copy another item's icon.
#include <cstdint>
#include <vector>

#include "platform/handles.h"

namespace platform::win32 {

// An icon's pixels as the bytes of an icon resource: its colour as 32-bit rows (alpha kept), then its
// mask. More icons that draw exactly alike are made from it (CreateIconFromResourceEx) for about a third
// of what CopyIcon costs, which reads the pixels out of the icon again for every copy. False for an icon
// whose pixels cannot be read back (a monochrome one, for instance).
using IconImage = std::vector<std::uint8_t>;
bool iconImage(IconHandle icon, IconImage& image);
IconHandle iconFromImage(const IconImage& image); // 0 on failure

} // namespace platform::win32
