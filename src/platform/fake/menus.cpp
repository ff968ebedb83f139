#include "platform/menus.h"

#include "platform/fake/fake_icons.h"
#include "platform/fake/fake_menus.h"
#include "platform/icons.h"

namespace fake {

MenusState& menus() {
    static MenusState state;
    return state;
}

void resetMenus() { menus() = MenusState{}; }

namespace {

FakeMenu* liveMenu(platform::MenuHandle handle) {
    auto& all = menus().menus;
    auto it = all.find(handle);
    if (it == all.end() || it->second.destroyed) {
        ++menus().badHandleCalls;
        return nullptr;
    }
    return &it->second;
}

platform::MenuHandle newMenu(bool iconMenu, platform::IconMenuLook look) {
    const platform::MenuHandle handle{menus().nextHandle++};
    FakeMenu m;
    m.iconMenu = iconMenu;
    m.look = look;
    menus().menus[handle] = m;
    return handle;
}

void destroyTree(FakeMenu& m) {
    m.destroyed = true;
    for (FakeMenuItem& item : m.items) {
        auto it = menus().menus.find(item.submenu);
        if (item.submenu && it != menus().menus.end() && !it->second.destroyed) destroyTree(it->second);
    }
}

// Like EnableMenuItem by command: the menu itself first, then its submenus.
FakeMenuItem* findByCommand(FakeMenu& m, std::uint32_t commandId) {
    for (FakeMenuItem& item : m.items) {
        if (item.type != ItemType::Submenu && item.commandId == commandId) return &item;
        if (item.type == ItemType::Submenu) {
            auto it = menus().menus.find(item.submenu);
            if (it == menus().menus.end() || it->second.destroyed) continue;
            if (FakeMenuItem* found = findByCommand(it->second, commandId)) return found;
        }
    }
    return nullptr;
}

bool append(platform::MenuHandle handle, FakeMenuItem item) {
    FakeMenu* m = liveMenu(handle);
    if (!m) return false;
    if (!m->iconMenu || !item.icon) {
        item.icon = 0;
        item.copyWhenDrawn = false;
    }
    m->items.push_back(std::move(item));
    return true;
}

} // namespace

const FakeMenu* menu(platform::MenuHandle handle) {
    auto it = menus().menus.find(handle);
    return it == menus().menus.end() || it->second.destroyed ? nullptr : &it->second;
}

std::vector<std::u16string> drawMenu(platform::MenuHandle handle) {
    std::vector<std::u16string> shown;
    FakeMenu* m = liveMenu(handle);
    if (!m) return shown;
    for (FakeMenuItem& item : m->items) {
        if (item.copyWhenDrawn && !item.drawnCopy) item.drawnCopy = copyIcon(item.icon);
        shown.push_back(iconSource(item.copyWhenDrawn ? item.drawnCopy : item.icon));
    }
    return shown;
}

int liveMenuCount() {
    int n = 0;
    for (const auto& [handle, m] : menus().menus) n += m.destroyed ? 0 : 1;
    return n;
}

} // namespace fake

namespace platform {

MenuHandle createPopupMenu() { return fake::newMenu(false, IconMenuLook{}); }

MenuHandle createIconMenu(IconMenuLook look) { return fake::newMenu(true, look); }

bool destroyMenu(MenuHandle menu) {
    fake::FakeMenu* m = fake::liveMenu(menu);
    if (!m) return false;
    fake::destroyTree(*m);
    return true;
}

void forgetIconMenuItems() { ++fake::menus().iconMenuItemsForgotten; }

void releaseItemIcons() {
    ++fake::menus().itemIconsReleased;
    for (auto& [handle, m] : fake::menus().menus)
        for (fake::FakeMenuItem& item : m.items) {
            if (item.drawnCopy) destroyIcon(item.drawnCopy);
            item.drawnCopy = 0;
            item.icon = 0;
            item.copyWhenDrawn = false;
        }
}

bool appendMenuItem(MenuHandle menu, std::uint32_t commandId, const std::u16string& text, ItemIcon icon) {
    return fake::append(menu, {fake::ItemType::Item, commandId, text, icon.icon, 0, false, icon.copyWhenDrawn, 0});
}

bool appendSeparator(MenuHandle menu) {
    return fake::append(menu, {fake::ItemType::Separator, 0, {}, 0, 0, false, false, 0});
}

bool appendColumnBreak(MenuHandle menu, std::uint32_t commandId) {
    return fake::append(menu, {fake::ItemType::ColumnBreak, commandId, {}, 0, 0, false, false, 0});
}

bool appendSubmenu(MenuHandle menu, MenuHandle submenu, const std::u16string& text, ItemIcon icon) {
    if (!fake::menu(submenu)) return false;
    return fake::append(menu, {fake::ItemType::Submenu, 0, text, icon.icon, submenu, false, icon.copyWhenDrawn, 0});
}

bool greyMenuItem(MenuHandle menu, std::uint32_t commandId) {
    fake::FakeMenu* m = fake::liveMenu(menu);
    if (!m) return false;
    fake::FakeMenuItem* item = fake::findByCommand(*m, commandId);
    if (!item) return false;
    item->greyed = true;
    return true;
}

int menuItemCount(MenuHandle menu) {
    fake::FakeMenu* m = fake::liveMenu(menu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

bool deleteMenuItemAt(MenuHandle menu, int position) {
    fake::FakeMenu* m = fake::liveMenu(menu);
    if (!m || position < 0 || position >= static_cast<int>(m->items.size())) return false;
    // DeleteMenu destroys the submenu of the item it removes.
    if (MenuHandle sub = m->items[static_cast<std::size_t>(position)].submenu) destroyMenu(sub);
    m->items.erase(m->items.begin() + position);
    return true;
}

std::uint32_t trackPopupMenu(MenuHandle menu, WindowHandle owner, std::int32_t x, std::int32_t y) {
    if (!fake::liveMenu(menu)) return 0;
    fake::TrackRequest request{menu, owner, x, y};
    fake::menus().tracks.push_back(request);
    return fake::menus().onTrack ? fake::menus().onTrack(request) : 0;
}

void setMenuNoticeHook(MenuNoticeHook hook) { fake::menus().noticeHook = hook; }

} // namespace platform
