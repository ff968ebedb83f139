#pragma once
// Popup menus: plain ones, and the owner-drawn icon menu in its two looks.
// Command ids are the window system's 32-bit item ids; 0 never names an item, because tracking returns 0
// for "nothing chosen".
#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace platform {

enum class IconMenuLook : std::uint32_t {
    Classic = 1,     // selection filled with the highlight colour
    Alternative = 2, // shaded icon strip, half-tint selection framed in black, indented separators
};

MenuHandle createPopupMenu();
// A menu whose items are drawn by the program, with room for a 16 x 16 icon beside each.
MenuHandle createIconMenu(IconMenuLook look);
bool destroyMenu(MenuHandle menu); // also destroys its submenus
// Forgets what the icon menus built so far are to draw; for when none of them will be shown again.
void forgetIconMenuItems();

// An item's icon: one of the item's own, or another item's icon that the item copies when it is first
// drawn. Such a copy belongs to the menu, so an item that is never drawn (in a submenu never opened, or
// scrolled out of sight) never pays for one, and no icon is shared between items on screen.
struct ItemIcon {
    IconHandle icon = 0;
    bool copyWhenDrawn = false;
};

// Items of an icon menu are owner-drawn; those of a plain menu are ordinary text items (icon ignored).
bool appendMenuItem(MenuHandle menu, std::uint32_t commandId, const std::u16string& text, ItemIcon icon);
bool appendSeparator(MenuHandle menu);
// A separator with an id that starts a new column (MF_SEPARATOR | MF_MENUBARBREAK).
bool appendColumnBreak(MenuHandle menu, std::uint32_t commandId);
bool appendSubmenu(MenuHandle menu, MenuHandle submenu, const std::u16string& text, ItemIcon icon);
// Destroys the copies made for drawn items and forgets every item's icon: for when the popup has closed
// and the icons that the items were given are about to be destroyed.
void releaseItemIcons();

// EnableMenuItem by command id with MF_GRAYED; finds items inside submenus too.
bool greyMenuItem(MenuHandle menu, std::uint32_t commandId);
int menuItemCount(MenuHandle menu); // -1 for an invalid menu
bool deleteMenuItemAt(MenuHandle menu, int position);

// Shows the menu modally (TPM_RIGHTBUTTON | TPM_RETURNCMD) and returns the chosen command id, 0 when
// dismissed. The menu notice hook hears of it opening and ending; the owner gets no WM_COMMAND.
std::uint32_t trackPopupMenu(MenuHandle menu, WindowHandle owner, std::int32_t x, std::int32_t y);

// ---- What a menu on screen tells its owner ---------------------------------------------------------

enum class MenuNotice {
    Opening,   // a menu is about to be shown: the tracked menu itself, or one of its submenus
    LoopEnded, // the menu has left the screen, chosen from or dismissed
};

// Told, while a menu is tracked, what happens to it (WM_INITMENUPOPUP, WM_EXITMENULOOP of the owner).
// Opening names the menu and its position in its parent (0 for the tracked menu). Returns true when it
// has filled the menu itself; the notice then goes no further.
using MenuNoticeHook = bool (*)(MenuNotice notice, MenuHandle menu, int position);
void setMenuNoticeHook(MenuNoticeHook hook);

} // namespace platform
