#pragma once
#include "platform/handles.h"

namespace vorlix {

// The 16 x 16 icon of app.currentEntry, or 0. The caller owns and destroys it.
platform::IconHandle loadItemIcon();

} // namespace vorlix
