#include "platform/folders.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace platform {

namespace {

// FindFirstFileW fails with INVALID_HANDLE_VALUE, not 0, and its handle is closed by FindClose, not
// CloseHandle.
class FindHandle {
public:
    explicit FindHandle(HANDLE h) : handle_(h) {}
    ~FindHandle() {
        if (valid()) FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

} // namespace

bool enumerateFolder(const std::u16string& search, std::vector<FoundName>& found) {
    WIN32_FIND_DATAW data{};
    FindHandle find(FindFirstFileExW(wz(search), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
    if (!find.valid()) return false;
    do {
        found.push_back({fromWide(data.cFileName), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(find.get(), &data));
    return true;
}

} // namespace platform
