#include "app/info_window.h"

#include <cstdint>
#include <string>

#include "core/app_state.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/fonts.h"
#include "platform/guards.h"
#include "platform/icons.h"
#include "platform/keyboard.h"
#include "platform/shell.h"
#include "platform/system_colours.h"
#include "platform/top_windows.h"
#include "platform/window_geometry.h"

namespace vorlix {

namespace {

constexpr const char16_t* ThirdLine = u"Popup-menu program launcher for Windows";
constexpr const char16_t* WebAddress = u"https://www.vorlix.org/";
constexpr const char16_t* MailAddress = u"mailto:support@vorlix.org";

constexpr int ClientWidth = 300;
constexpr int ClientHeight = 135;
constexpr std::uint32_t FadeMs = 300;
constexpr platform::Colour LinkColour = platform::rgb(0, 0, 255);
constexpr platform::Colour HotLinkColour = platform::rgb(255, 0, 0);

enum InfoControl : int { WebLink = 1, MailLink = 2 };

// The window's controls. The texts are wider than the window and clipped at its edge; the links are
// narrowed to their text once made.
struct InfoPart {
    platform::ControlKind kind;
    int id;
    platform::Rect bounds;
};
constexpr InfoPart Parts[] = {
    {platform::ControlKind::Image, 0, {15, 25, 47, 57}},
    {platform::ControlKind::Label, 0, {65, 15, 465, 35}},
    {platform::ControlKind::Label, 0, {65, 35, 465, 55}},
    {platform::ControlKind::Label, 0, {65, 55, 465, 75}},
    {platform::ControlKind::Rule, 0, {15, 77, 285, 81}},
    {platform::ControlKind::Link, WebLink, {65, 87, 515, 107}},
    {platform::ControlKind::Link, MailLink, {65, 107, 465, 127}},
};

const char16_t* addressOf(int control) {
    switch (control) {
    case WebLink: return WebAddress;
    case MailLink: return MailAddress;
    default: return nullptr;
    }
}

void centreOn(platform::WindowHandle window, platform::WindowHandle owner) {
    platform::Rect around, outer;
    if (owner == 0 || !platform::windowScreenRect(owner, around)) platform::workArea(around);
    platform::windowScreenRect(window, outer);
    platform::moveWindow(window, (around.left + around.right - outer.width()) / 2,
                         (around.top + around.bottom - outer.height()) / 2);
}

void addParts(platform::WindowHandle window, platform::IconHandle icon) {
    const std::u16string texts[] = {u"", app.versionTitle, app.buildText, ThirdLine, u"", WebAddress, MailAddress};
    // High contrast wants the system's colours: its link colour, and the highlight under the mouse.
    const bool contrast = platform::highContrastOn();
    const platform::Colour colour = contrast ? platform::systemColour(platform::SystemColour::Link) : LinkColour;
    const platform::Colour hot = contrast ? platform::systemColour(platform::SystemColour::Highlight) : HotLinkColour;
    for (std::size_t i = 0; i < std::size(Parts); ++i) {
        const platform::WindowHandle control =
            platform::createControl(window, Parts[i].kind, Parts[i].id, Parts[i].bounds, texts[i]);
        if (Parts[i].kind == platform::ControlKind::Image && icon) platform::setImageIcon(control, icon);
        if (Parts[i].kind != platform::ControlKind::Link) continue;
        platform::setLinkColours(control, colour, hot);
        platform::fitToText(control);
    }
}

// The icon and the font are the caller's: the controls show them without owning them.
platform::WindowHandle openInfoWindow(platform::WindowHandle owner, platform::FontHandle font,
                                      platform::IconHandle icon) {
    const platform::WindowHandle window = platform::createFramedPopup(u"", ClientWidth, ClientHeight, owner);
    if (window == 0) return 0;
    centreOn(window, owner);
    platform::setDefaultControlFont(window, font);
    addParts(window, icon);
    platform::reportClicks(window);
    platform::showWindow(window, platform::ShowShow);
    platform::setForegroundWindow(window);
    platform::setFocus(window);
    return window;
}

// The address of the link used, or nullptr once the window is to close without one.
const char16_t* waitForClose(platform::WindowHandle window) {
    for (;;) {
        const platform::WindowEvent event = platform::waitEvent(window);
        switch (event.kind) {
        case platform::EventKind::None: // the window is gone
        case platform::EventKind::Close:
        case platform::EventKind::Released:
        case platform::EventKind::FramePressed:
        case platform::EventKind::KeyPressed: return nullptr;
        case platform::EventKind::Control: return addressOf(event.control);
        default: break;
        }
    }
}

} // namespace

void showInfo() {
    const platform::WindowHandle owner = platform::activeWindow();
    // Declared before the window opens, so both outlive it.
    const platform::OwnedFont font(platform::createDialogFont());
    const platform::OwnedIcon icon(platform::programIcon(32));
    const platform::WindowHandle window = openInfoWindow(owner, font.get(), icon.get());
    if (window == 0) return;
    platform::drainEvents(window);
    // Whether or not the shell finds a browser or mail program, the window has done its job.
    if (const char16_t* address = waitForClose(window)) {
        platform::shellExecute(owner, u"open", address, {}, {}, platform::ShellShowNormal);
    }
    platform::animateWindow(window, FadeMs, platform::AnimateBlend | platform::AnimateHide);
    platform::destroyWindow(window);
}

} // namespace vorlix
