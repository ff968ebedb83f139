#include "platform/menus.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "platform/win32/native_handles.h"
#include "platform/win32/owner_draw_menu.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_hooks.h"

namespace platform {

namespace {

HMENU hmenu(MenuHandle menu) { return win32::native<HMENU>(menu); }

MenuNoticeHook& noticeHook() {
    static MenuNoticeHook hook = nullptr;
    return hook;
}

// The look of an icon menu travels in its menu data; 0 marks a plain menu.
IconMenuLook lookOf(HMENU menu) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    if (!GetMenuInfo(menu, &info)) return IconMenuLook{};
    return static_cast<IconMenuLook>(info.dwMenuData);
}

// An owner-drawn item that carries its text as well (MIIM_STRING beside MFT_OWNERDRAW): the system then
// knows what the item says, for screen readers and for its own access-key matching, while the program
// still measures and draws it. data: the item's record (win32::rememberDrawnItem).
bool appendDrawnItem(HMENU menu, UINT id, HMENU submenu, const std::u16string& text, ULONG_PTR data) {
    std::u16string copy = text; // the call copies the string; it wants it writable
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STRING | (submenu ? MIIM_SUBMENU : 0u);
    info.fType = MFT_OWNERDRAW;
    info.wID = id;
    info.hSubMenu = submenu;
    info.dwItemData = data;
    info.dwTypeData = wbuf(copy);
    info.cch = static_cast<UINT>(copy.size());
    return InsertMenuItemW(menu, static_cast<UINT>(std::max(GetMenuItemCount(menu), 0)), TRUE, &info) != FALSE;
}

} // namespace

namespace win32 {

bool menuNoticeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const MenuNoticeHook hook = noticeHook();
    if (!hook) return false;
    // wParam: the menu about to open; the low word of lParam: its position in its parent.
    if (message == WM_INITMENUPOPUP)
        return hook(MenuNotice::Opening, static_cast<MenuHandle>(wParam), LOWORD(lParam));
    if (message == WM_EXITMENULOOP) return hook(MenuNotice::LoopEnded, 0, 0);
    return false;
}

} // namespace win32

void setMenuNoticeHook(MenuNoticeHook hook) { noticeHook() = hook; }

MenuHandle createPopupMenu() { return win32::typed<MenuHandle>(CreatePopupMenu()); }

MenuHandle createIconMenu(IconMenuLook look) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return 0;
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = static_cast<ULONG_PTR>(look);
    SetMenuInfo(menu, &info);
    return win32::typed<MenuHandle>(menu);
}

bool destroyMenu(MenuHandle menu) { return DestroyMenu(hmenu(menu)) != FALSE; }

void forgetIconMenuItems() { win32::forgetDrawnItems(); }

void releaseItemIcons() { win32::releaseDrawnIcons(); }

bool appendMenuItem(MenuHandle menu, std::uint32_t commandId, const std::u16string& text, ItemIcon icon) {
    HMENU m = hmenu(menu);
    IconMenuLook look = lookOf(m);
    if (look == IconMenuLook{}) return AppendMenuW(m, MF_STRING, commandId, wz(text)) != FALSE;
    return appendDrawnItem(m, commandId, nullptr, text, win32::rememberDrawnItem(m, win32::DrawnKind::Item, look, text, icon));
}

bool appendSeparator(MenuHandle menu) {
    HMENU m = hmenu(menu);
    IconMenuLook look = lookOf(m);
    if (look == IconMenuLook{}) return AppendMenuW(m, MF_SEPARATOR, 0, nullptr) != FALSE;
    ULONG_PTR index = win32::rememberDrawnItem(m, win32::DrawnKind::Separator, look, {}, {});
    return AppendMenuW(m, MF_SEPARATOR | MF_OWNERDRAW, 0, reinterpret_cast<LPCWSTR>(index)) != FALSE;
}

bool appendColumnBreak(MenuHandle menu, std::uint32_t commandId) {
    HMENU m = hmenu(menu);
    IconMenuLook look = lookOf(m);
    if (look == IconMenuLook{}) return AppendMenuW(m, MF_SEPARATOR | MF_MENUBARBREAK, commandId, L"") != FALSE;
    ULONG_PTR index = win32::rememberDrawnItem(m, win32::DrawnKind::ColumnBreak, look, {}, {});
    return AppendMenuW(m, MF_SEPARATOR | MF_MENUBARBREAK | MF_OWNERDRAW, commandId,
                       reinterpret_cast<LPCWSTR>(index)) != FALSE;
}

bool appendSubmenu(MenuHandle menu, MenuHandle submenu, const std::u16string& text, ItemIcon icon) {
    HMENU m = hmenu(menu);
    IconMenuLook look = lookOf(m);
    auto sub = reinterpret_cast<UINT_PTR>(hmenu(submenu));
    if (look == IconMenuLook{}) return AppendMenuW(m, MF_POPUP | MF_STRING, sub, wz(text)) != FALSE;
    return appendDrawnItem(m, 0, hmenu(submenu), text, win32::rememberDrawnItem(m, win32::DrawnKind::Item, look, text, icon));
}

bool greyMenuItem(MenuHandle menu, std::uint32_t commandId) {
    return EnableMenuItem(hmenu(menu), commandId, MF_BYCOMMAND | MF_GRAYED) != -1;
}

int menuItemCount(MenuHandle menu) { return GetMenuItemCount(hmenu(menu)); }

bool deleteMenuItemAt(MenuHandle menu, int position) {
    return DeleteMenu(hmenu(menu), static_cast<UINT>(position), MF_BYPOSITION) != FALSE;
}

std::uint32_t trackPopupMenu(MenuHandle menu, WindowHandle owner, std::int32_t x, std::int32_t y) {
    // TPM_RETURNCMD hands back the whole 32-bit id; WM_COMMAND would cut it to 16 bits.
    BOOL chosen = TrackPopupMenu(hmenu(menu), TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0,
                                 win32::native<HWND>(owner), nullptr);
    return static_cast<std::uint32_t>(chosen);
}

} // namespace platform
