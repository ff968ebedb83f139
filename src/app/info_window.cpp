#include "app/info_window.h"

#include "core/app_state.h"
#include "platform/fonts.h"
#include "platform/guards.h"
#include "platform/icons.h"
#include "platform/info_window.h"
#include "platform/shell.h"
#include "platform/top_windows.h"

namespace vorlix {

namespace {

constexpr const char16_t* ThirdLine = u"Popup-menu program launcher for Windows";
constexpr const char16_t* WebAddress = u"https://www.vorlix.org/";
constexpr const char16_t* MailAddress = u"mailto:support@vorlix.org";

const char16_t* addressOf(int control) {
    switch (control) {
    case platform::InfoWebLink: return WebAddress;
    case platform::InfoMailLink: return MailAddress;
    default: return nullptr;
    }
}

} // namespace

void showInfo() {
    const platform::WindowHandle owner = platform::activeWindow();
    // Declared before the window opens, so both outlive it: its controls neither copy nor free them.
    const platform::OwnedFont font(platform::createDialogFont());
    const platform::OwnedIcon icon(platform::programIcon(32));
    const platform::InfoWindowContent content{app.versionTitle, app.buildText, ThirdLine, WebAddress, MailAddress,
                                              font.get(), icon.get()};
    const platform::WindowHandle window = platform::openInfoWindow(owner, content);
    if (window == 0) return;
    platform::drainInfoWindowEvents();

    for (bool open = true; open;) {
        const platform::InfoEvent event = platform::waitInfoWindowEvent(window);
        switch (event.kind) {
        case platform::InfoEventKind::CloseRequest:
        case platform::InfoEventKind::ClientClick:
        case platform::InfoEventKind::FrameClick:
        case platform::InfoEventKind::KeyPress:
            open = false;
            break;
        case platform::InfoEventKind::Control:
            // Whether or not the shell finds a browser or mail program, the window has done its job.
            if (const char16_t* address = addressOf(event.control)) {
                platform::shellExecute(owner, u"open", address, {}, {}, platform::ShellShowNormal);
            }
            open = false;
            break;
        case platform::InfoEventKind::Other:
            break;
        }
    }
    platform::closeInfoWindow(window);
}

} // namespace vorlix
