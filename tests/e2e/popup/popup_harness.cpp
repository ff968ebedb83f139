// popup_harness.exe: the popup builder, its menu notice hook and the owner-drawn menu under the real window
// system (cases/popup.sh).
//
//   popup_harness MENUFILE [icons] [alt]
//       Reads MENUFILE as the program does, builds and shows the popup at the mouse from a hidden owner
//       window titled "Vorlix popup harness", and prints, once the popup has closed, either
//       "chosen ID entry LABEL" / "chosen ID file NAME" or "dismissed", then "loop-ended 0|1".
//       "icons" sets ShowIcons, "alt" also AltIconLook.
//
// Exit codes: 0 done, 1 the owner window could not be made, 2 usage.
#include <windows.h>

#include <string>

#include "core/app_state.h"
#include "core/text.h"
#include "menufile/reader.h"
#include "popup/popup_menu.h"
#include "platform/events.h"
#include "platform/menus.h"
#include "platform/top_windows.h"

namespace {

void say(const std::u16string& text) {
    std::string bytes = vorlix::toUtf8(text);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
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
    for (int i = 2; i < argc; ++i) {
        std::wstring option = argv[i];
        if (option == L"icons") app.options |= ShowIcons;
        if (option == L"alt") app.options |= ShowIcons | AltIconLook;
    }
    app.mainWindow = platform::createFramedPopup(u"Vorlix popup harness", 150, 40);
    if (!app.mainWindow) return 1;
    platform::setMenuNoticeHook(popupMenuNotice);
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
