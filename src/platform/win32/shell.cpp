#include "platform/shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/native_handles.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

const wchar_t* orNull(const std::u16string& text) { return text.empty() ? nullptr : wz(text); }

} // namespace

std::intptr_t shellExecute(WindowHandle owner, const std::u16string& verb, const std::u16string& file,
                           const std::u16string& parameters, const std::u16string& directory, int show) {
    return reinterpret_cast<std::intptr_t>(ShellExecuteW(win32::native<HWND>(owner), orNull(verb), wz(file),
                                                         orNull(parameters), orNull(directory), show));
}

ProcessHandle openKeepingProcess(WindowHandle owner, const std::u16string& file, const std::u16string& directory) {
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.hwnd = win32::native<HWND>(owner);
    request.lpVerb = L"open";
    request.lpFile = wz(file);
    request.lpDirectory = orNull(directory);
    request.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&request)) return 0;
    return win32::typed<ProcessHandle>(request.hProcess); // null when a running program took the file (DDE)
}

} // namespace platform
