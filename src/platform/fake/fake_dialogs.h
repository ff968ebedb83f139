#pragma once
// Records message boxes and beeps; answers boxes from a script.
#include <deque>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace fake {

struct ShownBox {
    platform::WindowHandle owner = 0;
    std::u16string text;
    std::u16string caption;
    unsigned style = 0;
};

struct DialogsState {
    std::vector<ShownBox> boxes;
    std::deque<int> answers; // next answers; IDOK (1) when empty
    int beeps = 0;
};

DialogsState& dialogs();
void resetDialogs();

} // namespace fake
