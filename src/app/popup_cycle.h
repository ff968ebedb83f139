#pragma once

namespace vorlix {

// The main loop: one popup cycle after another, then the editor when asked for. Returns when the
// program is to end.
void runPopupCycle();

} // namespace vorlix
