#include "platform/dialogs.h"

#include <windows.h>

#include "platform/win32/native_handles.h"
#include "platform/win32/wide.h"

namespace platform {

int messageBox(WindowHandle owner, const std::u16string& text, const std::u16string& caption, unsigned style) {
    return MessageBoxW(win32::native<HWND>(owner), wz(text), wz(caption), style);
}

void messageBeep() { MessageBeep(MB_OK); }

} // namespace platform
