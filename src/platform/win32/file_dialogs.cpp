// The shell's open-file dialog and folder browser.
#include "platform/file_dialogs.h"

#include <windows.h>
#include <commdlg.h>
#include <objbase.h>
#include <shlobj.h>

#include "platform/win32/guards.h"
#include "platform/win32/native_handles.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

const wchar_t* orNull(const std::u16string& text) { return text.empty() ? nullptr : wz(text); }

int CALLBACK startInFolder(HWND browser, UINT message, LPARAM, LPARAM startFolder) {
    if (message == BFFM_INITIALIZED && startFolder) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, startFolder);
    return 0;
}

} // namespace

bool pickFileToOpen(WindowHandle owner, const std::u16string& title, const std::u16string& initialFolder,
                    const std::u16string& filterDescription, const std::u16string& filterPatterns,
                    std::u16string& path) {
    std::u16string filter = filterDescription; // "description\0patterns\0\0"
    filter += u'\0';
    filter += filterPatterns;
    filter += u'\0';
    filter += u'\0';
    std::u16string chosen(32768, u'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = win32::native<HWND>(owner);
    dialog.lpstrFilter = wz(filter);
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = wbuf(chosen);
    dialog.nMaxFile = static_cast<DWORD>(chosen.size());
    dialog.lpstrInitialDir = orNull(initialFolder);
    dialog.lpstrTitle = orNull(title);
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog)) return false;
    path = fromWide(wbuf(chosen));
    return !path.empty();
}

bool pickFolder(WindowHandle owner, const std::u16string& title, const std::u16string& startFolder,
                std::u16string& path) {
    // COM for the length of the call; the folder browser needs it.
    const win32::ComLibrary com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (!com.usable()) return false;
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW browse{};
    browse.hwndOwner = win32::native<HWND>(owner);
    browse.pszDisplayName = displayName;
    browse.lpszTitle = orNull(title);
    // The new dialog style needs a single-threaded apartment; in another one the browser fails with it.
    browse.ulFlags = BIF_RETURNONLYFSDIRS | (com.initialised() ? BIF_NEWDIALOGSTYLE : 0);
    browse.lpfn = startInFolder;
    browse.lParam = startFolder.empty() ? 0 : reinterpret_cast<LPARAM>(wz(startFolder));
    // The browser hands out its answer in memory of the COM task allocator.
    const win32::TaskMemory<PIDLIST_ABSOLUTE> chosen(SHBrowseForFolderW(&browse));
    if (!chosen.get()) return false;
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(chosen.get(), folder)) return false; // a virtual folder (Control Panel, ...)
    path = fromWide(folder);
    return true;
}

} // namespace platform
