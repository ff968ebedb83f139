#include "popup/popup_menu.h"

#include <limits>
#include <optional>

#include "core/app_state.h"
#include "core/text.h"
#include "menufile/decode_entry.h"
#include "menufile/expansion.h"
#include "platform/cursor.h"
#include "platform/events.h"
#include "platform/icons.h"
#include "platform/menus.h"
#include "platform/top_windows.h"
#include "popup/folder_listing.h"
#include "popup/item_icons.h"

namespace vorlix {

namespace {

// A menu item carries its identifier plus 1, because tracking a menu answers 0 for "nothing chosen" and
// identifier 0 is the first entry. The choice is posted as a menu event with an int, which bounds the
// identifiers that can be shown; an item beyond that is left out rather than shown under a number that
// would launch another entry.
constexpr std::int64_t LargestItemId = std::numeric_limits<int>::max() - 1;

bool fitsMenu(std::int64_t id) { return id >= 0 && id <= LargestItemId; }
std::uint32_t commandIdOf(std::int64_t id) { return static_cast<std::uint32_t>(id + 1); }

// The opener follows "files" and one separating character.
constexpr std::size_t OpenerStart = 6;

// The folder-content menu shown as the popup itself when the menu file's only line is a "files" entry.
// It belongs to the build whose root menu is recorded with it.
struct SingleFolderMenu {
    platform::MenuHandle root = 0;
    platform::MenuHandle menu = 0;
};

SingleFolderMenu& singleFolderMenu() {
    static SingleFolderMenu state;
    return state;
}

void destroyPreviousMenus() {
    SingleFolderMenu& single = singleFolderMenu();
    if (single.menu && single.root == app.rootMenu) platform::destroyMenu(single.menu);
    single = {};
    if (app.rootMenu) platform::destroyMenu(app.rootMenu); // its submenus go with it
    app.rootMenu = 0;
    app.folderSubmenus.clear();
    app.currentFolderSubmenu = 0;
    platform::forgetIconMenuItems();
}

void clearMenu(platform::MenuHandle menu) {
    for (int n = platform::menuItemCount(menu); n > 0; --n) platform::deleteMenuItemAt(menu, n - 1);
}

// Splits an expanded label into the submenu name s and the item text t.
void splitLabel(std::u16string& text, std::u16string& submenuName) {
    submenuName.clear();
    if (labelPlacement(text) == TopLevel) return;
    std::size_t first = text.find(u'/');
    std::size_t second = text.find(u'/', first + 1);
    submenuName = text.substr(0, first);
    text = second == std::u16string::npos ? text.substr(first + 1) : text.substr(first + 1, second - first - 1);
}

void showMenu(platform::MenuHandle menu) {
    platform::Point at{app.positionX, app.positionY};
    if (!(app.options & FixedPosition)) {
        platform::Point cursor;
        if (platform::cursorPosition(cursor)) at = cursor;
        at.x -= 1;
        at.y -= 1;
    }
    platform::setForegroundWindow(app.mainWindow);
    std::uint32_t chosen = platform::trackPopupMenu(menu, app.mainWindow, at.x, at.y);
    if (chosen == 0) return;
    platform::WindowEvent event;
    event.kind = platform::EventKind::Menu;
    event.window = app.mainWindow;
    event.id = static_cast<int>(chosen - 1);
    platform::postEvent(event);
}

// Where the next item goes while the entries are turned into menus.
struct MenuBuild {
    bool withIcons = false;
    platform::IconMenuLook look = platform::IconMenuLook::Classic;
    platform::MenuHandle current = 0;
    std::u16string openSubmenu;
    bool showFolderDirectly = false; // the only line is a "files" entry: its listing is the popup

    platform::MenuHandle newMenu() const {
        return withIcons ? platform::createIconMenu(look) : platform::createPopupMenu();
    }
};

void appendSubmenuHeader(MenuBuild& build, const std::u16string& text, const std::u16string& submenuName,
                         platform::ItemIcon icon) {
    if (submenuName.empty()) {
        // A header without "/" names no submenu that later entries could join; making it the current menu
        // would swallow every following top-level item into an untitled submenu.
        platform::appendSubmenu(build.current, build.newMenu(), text, icon);
        return;
    }
    build.openSubmenu = submenuName;
    const platform::MenuHandle submenu = build.newMenu();
    platform::appendSubmenu(build.current, submenu, submenuName, icon);
    build.current = submenu;
}

// A plain menu of its own that is emptied and filled again whenever it opens, so it always shows the
// folder as it is now and is never destroyed while on screen.
void appendFolderSubmenu(MenuBuild& build, std::int64_t id, const std::u16string& text, platform::ItemIcon icon) {
    EntryFields& fields = app.currentEntry;
    if (!fields.expandedDirectory.empty() && fields.expandedDirectory.back() != u'\\') fields.expandedDirectory += u'\\';
    const platform::MenuHandle submenu = platform::createPopupMenu();
    platform::appendSubmenu(build.current, submenu, text, icon);
    FolderSubmenu record;
    record.id = id;
    record.parentMenu = build.current;
    record.submenu = submenu;
    record.patterns = fields.expandedParameters;
    record.folder = fields.expandedDirectory;
    if (fields.expandedCommand.size() > OpenerStart) record.opener = fields.expandedCommand.substr(OpenerStart);
    app.folderSubmenus.push_back(std::move(record));
    if (app.lineNumber == 1) build.showFolderDirectly = true;
}

void appendEntry(MenuBuild& build, std::size_t position) {
    MenuEntry& entry = app.entries[position];
    const auto id = static_cast<std::int64_t>(position);
    std::u16string text = expandVariables(entry.label);
    std::u16string submenuName;
    splitLabel(text, submenuName);

    if (!equalsIgnoreCase(submenuName, build.openSubmenu) || text.empty()) {
        if (!build.openSubmenu.empty()) build.current = app.rootMenu;
    }
    if (submenuName.empty()) build.openSubmenu.clear();
    else if (text.empty()) build.openSubmenu = submenuName;

    decodeEntry(entry);
    const EntryFields& fields = app.currentEntry;
    if (text == u"-") {
        platform::appendSeparator(build.current);
        return;
    }
    if (text == u"|") {
        if (fitsMenu(id)) platform::appendColumnBreak(build.current, commandIdOf(id));
        return;
    }
    platform::ItemIcon icon;
    if (build.withIcons) icon = loadMenuItemIcon();
    if (!icon.copyWhenDrawn) entry.icon = icon.icon;

    if (fields.kind & EntryKind::Submenu) return appendSubmenuHeader(build, text, submenuName, icon);
    if (fields.kind & EntryKind::Files) return appendFolderSubmenu(build, id, text, icon);
    if (!fitsMenu(id)) return;
    platform::appendMenuItem(build.current, commandIdOf(id), text, icon);
    if (fields.kind & EntryKind::Configuration) app.options |= NoButton;
    else if (fields.kind & EntryKind::Remark) platform::greyMenuItem(app.rootMenu, commandIdOf(id));
}

// The icons live until the popup has closed.
void releasePopupIcons() {
    platform::releaseItemIcons();
    for (MenuEntry& entry : app.entries) {
        if (entry.icon) platform::destroyIcon(entry.icon);
        entry.icon = 0;
    }
}

} // namespace

void buildPopupMenu() {
    destroyPreviousMenus();
    MenuBuild build;
    build.withIcons = (app.options & ShowIcons) != 0;
    if (app.options & AltIconLook) build.look = platform::IconMenuLook::Alternative;
    app.rootMenu = build.newMenu();
    build.current = app.rootMenu;
    {
        // Every source's icon is loaded before the popup is shown, so that its first frame is complete;
        // items that repeat a source copy its icon as they are drawn. The batch ends before showing.
        std::optional<IconBatchScope> iconBatch;
        if (build.withIcons) iconBatch.emplace();
        for (std::size_t position = 0; position < app.entries.size(); ++position) appendEntry(build, position);
    }
    app.firstFolderItemId = static_cast<std::int64_t>(app.entries.size());

    platform::MenuHandle shown = app.rootMenu;
    if (build.showFolderDirectly) {
        app.currentFolderSubmenu = app.folderSubmenus.size() - 1;
        fillFolderSubmenu(0);
        shown = singleFolderMenu().menu;
    }
    if (!(app.options & CheckOnly)) showMenu(shown);
    releasePopupIcons();
}

void fillFolderSubmenu(int) {
    if (app.currentFolderSubmenu >= app.folderSubmenus.size()) return;
    const FolderSubmenu& record = app.folderSubmenus[app.currentFolderSubmenu];
    const bool withoutExtensions = listFolder(record.folder, record.patterns);

    platform::MenuHandle target = 0;
    if (app.lineNumber == 1) {
        // Shown as the popup itself, so it is not on screen yet and can be replaced.
        SingleFolderMenu& single = singleFolderMenu();
        if (single.menu) platform::destroyMenu(single.menu);
        single.root = app.rootMenu;
        single.menu = platform::createPopupMenu();
        target = single.menu;
    } else {
        // About to be shown: refill it in place instead of swapping in a new menu.
        target = record.submenu;
        clearMenu(target);
    }
    for (std::size_t k = 0; k < app.folderItems.size(); ++k) {
        const std::int64_t id = app.firstFolderItemId + static_cast<std::int64_t>(k);
        if (!fitsMenu(id)) break;
        const std::u16string& name = app.folderItems[k];
        platform::appendMenuItem(target, commandIdOf(id), withoutExtensions ? nameWithoutExtension(name) : name, {});
    }
}

bool popupMenuNotice(platform::MenuNotice notice, platform::MenuHandle menu, int position) {
    if (notice == platform::MenuNotice::LoopEnded) {
        app.menuLoopEnded = true;
        return false;
    }
    if (menu == 0 || menu == app.rootMenu) return false;
    for (std::size_t i = 0; i < app.folderSubmenus.size(); ++i) {
        if (app.folderSubmenus[i].submenu != menu) continue;
        app.currentFolderSubmenu = i;
        fillFolderSubmenu(position);
        return true;
    }
    return false;
}

} // namespace vorlix
