#pragma once
// What the owner-drawn icon menu draws for each item. An item's data is the address of its record in this
// table, checked against the table before use, so a stale value can only miss, not crash.
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/menus.h"

namespace platform::win32 {

enum class DrawnKind : std::uint8_t { Item, Separator, ColumnBreak };

// Remembers an item about to be appended to MENU and returns the item data: its record's address.
ULONG_PTR rememberDrawnItem(HMENU menu, DrawnKind kind, IconMenuLook look, const std::u16string& text, ItemIcon icon);
// Destroys the icons copied for drawn items and forgets every item's icon; the items then draw without.
void releaseDrawnIcons();
// Forgets every item (releasing their icons first); menus still holding old indexes then draw nothing.
void forgetDrawnItems();

} // namespace platform::win32
