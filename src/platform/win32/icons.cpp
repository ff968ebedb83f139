#include "platform/icons.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/wide.h"

namespace platform {

IconHandle extractSmallIcon(const std::u16string& file, int index) {
    HICON small = nullptr;
    if (ExtractIconExW(wz(file), index, nullptr, &small, 1) == 0) return 0;
    return reinterpret_cast<IconHandle>(small);
}

IconHandle shellSmallIcon(const std::u16string& name) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(wz(name), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) return 0;
    return reinterpret_cast<IconHandle>(info.hIcon);
}

IconHandle copyIcon(IconHandle icon) {
    return reinterpret_cast<IconHandle>(CopyIcon(reinterpret_cast<HICON>(icon)));
}

bool destroyIcon(IconHandle icon) { return DestroyIcon(reinterpret_cast<HICON>(icon)) != FALSE; }

} // namespace platform
