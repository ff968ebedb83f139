#pragma once
// Records the menus the program builds, as a tree the tests can inspect, and plays the user at
// trackPopupMenu through a scripted callback.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/menus.h"

namespace fake {

enum class ItemType { Item, Separator, ColumnBreak, Submenu };

struct FakeMenuItem {
    ItemType type = ItemType::Item;
    std::uint32_t commandId = 0;
    std::u16string text;
    platform::IconHandle icon = 0;
    platform::MenuHandle submenu = 0;
    bool greyed = false;
    bool copyWhenDrawn = false;
    platform::IconHandle drawnCopy = 0; // made by drawMenu, destroyed by releaseItemIcons
};

struct FakeMenu {
    bool iconMenu = false;
    platform::IconMenuLook look{};
    bool destroyed = false;
    std::vector<FakeMenuItem> items;
};

struct TrackRequest {
    platform::MenuHandle menu = 0;
    platform::WindowHandle owner = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct MenusState {
    std::map<platform::MenuHandle, FakeMenu> menus;
    std::uintptr_t nextHandle = 0x1000;
    std::vector<TrackRequest> tracks;
    platform::MenuNoticeHook noticeHook = nullptr;
    // Plays the user while the menu is shown: may tell the menu notice hook what the window system
    // would, and returns the chosen command id (0 = dismissed). Without it every popup is dismissed.
    std::function<std::uint32_t(const TrackRequest&)> onTrack;
    int badHandleCalls = 0; // calls naming a menu that does not exist or was destroyed
    int iconMenuItemsForgotten = 0;
    int itemIconsReleased = 0;
};

MenusState& menus();
void resetMenus();

// Helpers for tests. menu() returns nullptr for an unknown or destroyed handle.
const FakeMenu* menu(platform::MenuHandle handle);
int liveMenuCount();
// Draws every item of a menu as the window system would have it drawn: an item that copies another's
// icon makes its copy at its first drawing. Returns what each item shows ("" for no icon).
std::vector<std::u16string> drawMenu(platform::MenuHandle handle);

} // namespace fake
