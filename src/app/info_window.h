#pragma once
// The about box, opened from the editor's help menu.

namespace vorlix {

// Shows the info window over the active window and returns when it has closed: at the first click,
// key press or link use. A link opens its address through the shell.
void showInfo();

} // namespace vorlix
