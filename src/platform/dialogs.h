#pragma once
// Message boxes and the default beep.
#include <string>

#include "platform/handles.h"

namespace platform {

// MessageBoxW styles and answers used by the program.
enum MessageBoxStyle : unsigned {
    BoxOk = 0x0,
    BoxOkCancel = 0x1,
    BoxYesNo = 0x4,
    BoxIconInformation = 0x40,
};
enum MessageBoxAnswer : int { AnswerOk = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

int messageBox(WindowHandle owner, const std::u16string& text, const std::u16string& caption, unsigned style);
void messageBeep(); // MessageBeep with type 0

} // namespace platform
