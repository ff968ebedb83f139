#pragma once
// Splitting one entry into its fields and classifying it.
#include <string>
#include <string_view>

#include "core/menu_entry.h"

namespace vorlix {

// Fills app.currentEntry from entry.
void decodeEntry(const MenuEntry& entry);

// Where a label puts its entry; the numbers are those the menu format is described with.
enum LabelPlacement : int {
    TopLevel = 0,       // no "/"
    SubmenuMember = 1,  // "Name/Item"
    SubmenuHeader = -1, // ends with "/" (trailing spaces removed)
};
LabelPlacement labelPlacement(std::u16string_view label);

// The second "/"-separated field of a label that has a "/", the whole label otherwise.
std::u16string itemTextOf(std::u16string_view label);

} // namespace vorlix
