#include "platform/folders.h"

#include <windows.h>

#include "platform/win32/guards.h"
#include "platform/win32/wide.h"

namespace platform {

bool enumerateFolder(const std::u16string& search, std::vector<FoundName>& found) {
    WIN32_FIND_DATAW data{};
    win32::FindHandle find(FindFirstFileExW(wz(search), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                            FIND_FIRST_EX_LARGE_FETCH));
    if (!find.valid()) return false;
    do {
        found.push_back({fromWide(data.cFileName), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(find.get(), &data));
    return true;
}

} // namespace platform
