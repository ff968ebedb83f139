#include "platform/shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/wide.h"

namespace platform {

namespace {

const wchar_t* orNull(const std::u16string& text) { return text.empty() ? nullptr : wz(text); }

} // namespace

std::intptr_t shellExecute(WindowHandle owner, const std::u16string& verb, const std::u16string& file,
                           const std::u16string& parameters, const std::u16string& directory, int show) {
    return reinterpret_cast<std::intptr_t>(ShellExecuteW(reinterpret_cast<HWND>(owner), orNull(verb), wz(file),
                                                         orNull(parameters), orNull(directory), show));
}

} // namespace platform
