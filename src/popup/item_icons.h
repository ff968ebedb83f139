#pragma once
#include "platform/handles.h"

namespace vorlix {

// The 16 x 16 icon of app.currentEntry, or 0. The caller owns and destroys it.
platform::IconHandle loadItemIcon();

// Within a batch (one popup build), each distinct icon source is asked only once; every call still
// returns a handle of its own (a copy), so no icon is shared between items. Ending the batch destroys
// the originals, not the copies handed out.
void beginIconBatch();
void endIconBatch();

} // namespace vorlix
