#pragma once
// Splitting one entry into its fields and classifying it.
#include <string>
#include <string_view>

#include "core/menu_entry.h"

namespace vorlix {

// Fills app.currentEntry from entry.
void decodeEntry(const MenuEntry& entry);

// 0 without "/", 1 with a "/", -1 when the label (trailing spaces removed) ends with "/".
int labelPlacement(std::u16string_view label);

// The second "/"-separated field of a label that has a "/", the whole label otherwise.
std::u16string itemTextOf(std::u16string_view label);

} // namespace vorlix
