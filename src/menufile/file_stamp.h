#pragma once
// Whether the menu file still holds what this program last read from it or wrote into it.
#include <string_view>

#include "core/app_state.h"

namespace vorlix {

MenuFileStamp stampOf(std::string_view bytes);

// Reads the menu file again and compares it with app.menuFileStamp. A file that is gone, or that cannot be
// read now, counts as unchanged: writing it is what the user asked for, and the writer reports a failure.
bool menuFileChangedOnDisk();

} // namespace vorlix
