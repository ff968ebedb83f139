#include "platform/dialogs.h"

#include "platform/fake/fake_dialogs.h"

namespace fake {

DialogsState& dialogs() {
    static DialogsState state;
    return state;
}

void resetDialogs() { dialogs() = DialogsState{}; }

} // namespace fake

namespace platform {

int messageBox(WindowHandle owner, const std::u16string& text, const std::u16string& caption, unsigned style) {
    auto& d = fake::dialogs();
    d.boxes.push_back({owner, text, caption, style});
    if (d.answers.empty()) return AnswerOk;
    int answer = d.answers.front();
    d.answers.pop_front();
    return answer;
}

void messageBeep() { ++fake::dialogs().beeps; }

} // namespace platform
