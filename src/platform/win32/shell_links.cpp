#include "platform/shell_links.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include "platform/win32/guards.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

// The shell-link object and the two interfaces of it that are used; the standard values, spelt out so
// that nothing depends on which import library defines them.
constexpr GUID ShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID ShellLinkInterface = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID PersistFileInterface = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// A buffer of 261 units of which the shell may fill 260; the last one keeps the text terminated even
// when the shell fills all it was offered.
constexpr int PathUnits = 261;
constexpr int PathLimit = 260;

template <typename Read>
std::u16string readField(Read read) {
    wchar_t buffer[PathUnits] = {};
    read(buffer, PathLimit);
    buffer[PathLimit] = L'\0';
    return fromWide(buffer);
}

} // namespace

bool resolveShortcut(const std::u16string& path, ShortcutInfo& info) {
    // The guards go in reverse order: the persist-file object, the link, then COM itself.
    win32::ComLibrary com;
    win32::ComObject<IShellLinkW> link;
    if (FAILED(CoCreateInstance(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, ShellLinkInterface, link.out())) ||
        !link.get())
        return false;
    win32::ComObject<IPersistFile> file;
    if (FAILED(link->QueryInterface(PersistFileInterface, file.out())) || !file.get()) return false;
    if (file->Load(wz(path), STGM_READ) != S_OK) return false;
    // No window and SLR_NO_UI: a target that has moved is searched for silently or not at all.
    if (link->Resolve(nullptr, SLR_NO_UI) != S_OK) return false;
    // The answers of these three calls are not looked at: an empty buffer says enough.
    std::u16string target = readField([&](wchar_t* b, int n) { link->GetPath(b, n, nullptr, 0); });
    if (target.empty()) return false; // no file-system target (a printer, a control-panel item)
    info.target = std::move(target);
    info.arguments = readField([&](wchar_t* b, int n) { link->GetArguments(b, n); });
    info.workingDirectory = readField([&](wchar_t* b, int n) { link->GetWorkingDirectory(b, n); });
    return true;
}

} // namespace platform
