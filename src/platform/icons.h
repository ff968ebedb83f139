#pragma once
// Small (16 x 16) icons from files and from the shell.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace platform {

// ExtractIconExW(file, index, no large icon, one small icon, 1); 0 when nothing was extracted.
// A negative index names the icon by minus its resource id.
IconHandle extractSmallIcon(const std::u16string& file, int index);
// SHGetFileInfoW(name, 0, ..., SHGFI_ICON | SHGFI_SMALLICON); 0 when the shell gives none.
IconHandle shellSmallIcon(const std::u16string& name);
bool destroyIcon(IconHandle icon);

// An icon's pixels as the bytes of an icon resource: its colour as 32-bit rows (alpha kept), then its
// mask. More icons that draw exactly alike are made from it (CreateIconFromResourceEx) for about a third
// of what CopyIcon costs, which reads the pixels out of the icon again for every copy. False for an icon
// whose pixels cannot be read back (a monochrome one, for instance).
using IconImage = std::vector<std::uint8_t>;
bool iconImage(IconHandle icon, IconImage& image);
IconHandle iconFromImage(const IconImage& image); // 0 on failure

} // namespace platform
