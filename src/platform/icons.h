#pragma once
// Icons from files, from the shell and from the program itself.
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace platform {

// ExtractIconExW(file, index, no large icon, one small icon, 1); 0 when nothing was extracted.
// A negative index names the icon by minus its resource id.
IconHandle extractSmallIcon(const std::u16string& file, int index);
// SHGetFileInfoW(name, 0, ..., SHGFI_ICON | SHGFI_SMALLICON); 0 when the shell gives none.
IconHandle shellSmallIcon(const std::u16string& name);
// The program's own icon (resource 1) at size x size (LoadImageW, not shared: destroyIcon frees it);
// 0 when it cannot be loaded.
IconHandle programIcon(int size);
bool destroyIcon(IconHandle icon);

} // namespace platform
