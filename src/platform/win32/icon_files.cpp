#include "platform/icon_files.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/native_handles.h"
#include "platform/win32/wide.h"

namespace platform {

int fileIconCount(const std::u16string& file) {
    return static_cast<int>(ExtractIconExW(wz(file), -1, nullptr, nullptr, 0));
}

std::vector<IconHandle> extractSmallIcons(const std::u16string& file, int count) {
    std::vector<HICON> small(count > 0 ? static_cast<std::size_t>(count) : 0, nullptr);
    if (!small.empty()) ExtractIconExW(wz(file), 0, nullptr, small.data(), static_cast<UINT>(count));
    // Some implementations (Wine 8) fill only the first handle of a batch without large icons: the rest
    // are asked for one by one, which costs nothing where the batch was whole.
    for (std::size_t i = 1; i < small.size(); ++i) {
        if (!small[i]) ExtractIconExW(wz(file), static_cast<int>(i), nullptr, &small[i], 1);
    }
    std::vector<IconHandle> icons;
    icons.reserve(small.size());
    for (HICON icon : small) icons.push_back(win32::typed<IconHandle>(icon));
    return icons;
}

} // namespace platform
