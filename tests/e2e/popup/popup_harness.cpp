// popup_harness.exe: the popup builder, its menu notice hook and the owner-drawn menu under the real window
// system (cases/popup.sh).
//
//   popup_harness MENUFILE [icons] [alt]
//       Reads MENUFILE as the program does, builds and shows the popup at the mouse from a hidden owner
//       window titled "Vorlix popup harness", and prints, once the popup has closed, either
//       "chosen ID entry LABEL" / "chosen ID file NAME" or "dismissed", then "loop-ended 0|1".
//       "icons" sets ShowIcons, "alt" also AltIconLook. "items": as each menu opens, one line per item as a
//       screen reader's proxy finds it, read in-process with GetMenuItemInfoW:
//       "item drawn|plain|separator|drawn-separator string=TEXT msaa=TEXT|none".
//
// Exit codes: 0 done, 1 the owner window could not be made, 2 usage.
#include <windows.h>
#include <oleacc.h>

#include <string>

#include "core/app_state.h"
#include "core/text.h"
#include "menufile/reader.h"
#include "popup/popup_menu.h"
#include "platform/events.h"
#include "platform/menus.h"
#include "platform/top_windows.h"
#include "platform/win32/native_handles.h"

namespace {

void say(const std::u16string& text) {
    std::string bytes = vorlix::toUtf8(text);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::u16string itemLine(HMENU menu, int position) {
    wchar_t text[512] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 511;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return u"item unreadable\n";
    const bool drawn = (info.fType & MFT_OWNERDRAW) != 0;
    const bool separator = (info.fType & MFT_SEPARATOR) != 0;
    std::u16string line = u"item ";
    line += separator ? (drawn ? u"drawn-separator" : u"separator") : (drawn ? u"drawn" : u"plain");
    line += u" string=" + std::u16string(reinterpret_cast<const char16_t*>(text)) + u" msaa=";
    const auto* accessible = drawn ? reinterpret_cast<const MSAAMENUINFO*>(info.dwItemData) : nullptr;
    if (accessible && accessible->dwMSAASignature == MSAA_MENU_SIG)
        line += std::u16string(reinterpret_cast<const char16_t*>(accessible->pszWText), accessible->cchWText);
    else
        line += u"none";
    return line + u"\n";
}

// After the program's own handling, so that a folder listing is in its menu when it is read.
bool listItems(platform::MenuNotice notice, platform::MenuHandle menu, int position) {
    const bool filled = vorlix::popupMenuNotice(notice, menu, position);
    if (notice != platform::MenuNotice::Opening) return filled;
    HMENU m = platform::win32::native<HMENU>(menu);
    say(u"menu\n");
    for (int i = 0; i < GetMenuItemCount(m); ++i) say(itemLine(m, i));
    return filled;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace vorlix;
    if (argc < 2) return 2;
    resetAppState();
    app.keywordList = u"configuration;vorlix;files;rem;cancel;submenu";
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    app.programPath = reinterpret_cast<const char16_t*>(module);
    app.menuFilePath = reinterpret_cast<const char16_t*>(argv[1]);
    platform::setMenuNoticeHook(popupMenuNotice);
    for (int i = 2; i < argc; ++i) {
        std::wstring option = argv[i];
        if (option == L"items") platform::setMenuNoticeHook(listItems);
        if (option == L"icons") app.options |= ShowIcons;
        if (option == L"alt") app.options |= ShowIcons | AltIconLook;
    }
    app.mainWindow = platform::createFramedPopup(u"Vorlix popup harness", 150, 40);
    if (!app.mainWindow) return 1;
    loadMenuFile();
    completeSubmenuHeaders();

    buildPopupMenu();
    // The choice is queued by the time the popup has closed; other events (activation) may come first.
    platform::WindowEvent event;
    do {
        event = platform::waitEventFor(app.mainWindow, 1000);
    } while (event.kind != platform::EventKind::None && event.kind != platform::EventKind::Menu);
    if (event.kind == platform::EventKind::Menu) {
        const std::int64_t id = event.id;
        std::u16string line = u"chosen " + toDecimal(id);
        if (id < app.firstFolderItemId) line += u" entry " + app.entries[static_cast<std::size_t>(id)].label;
        else line += u" file " + app.folderItems[static_cast<std::size_t>(id - app.firstFolderItemId)];
        say(line + u"\n");
    } else {
        say(u"dismissed\n");
    }
    say(app.menuLoopEnded ? u"loop-ended 1\n" : u"loop-ended 0\n");
    platform::destroyWindow(app.mainWindow);
    return 0;
}
