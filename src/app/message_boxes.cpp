#include "app/message_boxes.h"

#include <string>

#include "core/app_state.h"
#include "platform/centring_hook.h"
#include "platform/dialogs.h"
#include "platform/window_geometry.h"

namespace vorlix {

namespace {

// The hook's question, answered from the owner rectangle taken just before the box opened.
bool placeOverOwner(std::int32_t width, std::int32_t height, platform::Point& position) {
    return centredBoxPosition(app.ownerRect, width, height, position);
}

std::int32_t half(std::int64_t value) { return static_cast<std::int32_t>(value / 2); } // truncates toward 0

} // namespace

bool centredBoxPosition(const platform::Rect& owner, std::int32_t width, std::int32_t height,
                        platform::Point& position) {
    if (owner.left == 0) return false;
    // 64-bit sums: rectangles near the coordinate limits must not overflow.
    position.x = half(std::int64_t{owner.left} + owner.right - width);
    position.y = half(std::int64_t{owner.top} + owner.bottom - height);
    return true;
}

int centredMessageBox(platform::WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                      unsigned style) {
    const std::u16string ownText(text);
    const std::u16string ownCaption(caption);
    app.centringHook = 0;
    if (platform::windowScreenRect(owner, app.ownerRect)) {
        app.centringHook = platform::installCentringHook(placeOverOwner);
    }
    int answer = platform::messageBox(owner, ownText, ownCaption, style);
    if (app.centringHook != 0) {
        platform::removeCentringHook(app.centringHook);
        app.centringHook = 0;
    }
    return answer;
}

bool askSaveChanges(platform::WindowHandle owner) {
    return centredMessageBox(owner, u"Save Changes?", u"Confirm", platform::BoxYesNo) == platform::AnswerYes;
}

bool askRemoveEntry(platform::WindowHandle owner, std::u16string_view labelText) {
    std::u16string text = u"Remove ";
    text += labelText;
    text += u" ?";
    return centredMessageBox(owner, text, u"Confirm", platform::BoxOkCancel) == platform::AnswerOk;
}

bool askOverwriteChanged(platform::WindowHandle owner) {
    const std::u16string text = u"Another program has changed the menu file since it was opened:\r" + app.menuFilePath +
                                u"\rReplace it with this menu?";
    return centredMessageBox(owner, text, u"Confirm", platform::BoxYesNo) == platform::AnswerYes;
}

void reportSaveFailure(platform::WindowHandle owner) {
    centredMessageBox(owner, u"Cannot save menu file:\r" + app.menuFilePath, u"Vorlix", platform::BoxOk);
}

} // namespace vorlix
