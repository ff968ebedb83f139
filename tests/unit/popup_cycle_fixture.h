#pragma once
// The popup cycle run whole through programMain against the fakes: a program at C:\Tools\Vorlix.exe, a
// 1000 x 800 work area, the mouse at (400, 300). The user is played by the fake menu (what the popup
// returns) and by scripted window events (timer ticks, Enter, Escape, label clicks).
#include <cstdint>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "app/startup.h"
#include "platform/events.h"
#include "platform/fake/fake_folders.h"
#include "platform/fake/fake_monitors.h"
#include "platform/fake/fake_process_control.h"
#include "platform/fake/fake_shell.h"
#include "platform/menus.h"
#include "popup/popup_menu.h"
#include "startup_fixture.h"

class PopupCycleFixture : public StartupFixture {
protected:
    void SetUp() override {
        StartupFixture::SetUp();
        fake::resetShell();
        fake::resetMonitors();
        fake::resetProcesses();
        fake::resetFolders();
    }

    static constexpr const char16_t* MenuPath = u"C:\\Tools\\Vorlix.lst";

    // The popup returns these entries in turn (one per cycle); -1 dismisses it. Like the window system,
    // the popup's menu loop reports its end to the menu notice hook either way.
    static void choose(std::vector<std::int64_t> ids) {
        fake::menus().onTrack = [ids, n = std::size_t{0}](const fake::TrackRequest&) mutable -> std::uint32_t {
            vorlix::popupMenuNotice(platform::MenuNotice::LoopEnded, 0, 0);
            const std::int64_t id = n < ids.size() ? ids[n] : -1;
            ++n;
            return id < 0 ? 0u : static_cast<std::uint32_t>(id + 1); // items carry their identifier plus 1
        };
    }
    static void dismiss() { choose({}); }

    // Ticks of the choice timer, one every 100 ms.
    static void ticks(int count) {
        for (int i = 0; i < count; ++i) fake::scriptEvent(platform::EventKind::Timer, 378, 100);
    }

    // A keyboard shortcut of the main window: Enter sends 1, Escape 2.
    static void shortcut(int command, std::uint32_t delayMs = 0) {
        fake::ScriptedEvent scripted;
        scripted.event.kind = platform::EventKind::Menu;
        scripted.event.id = command;
        scripted.event.byShortcut = true;
        scripted.delayMs = delayMs;
        fake::ui().events.push_back(scripted);
    }

    static platform::WindowHandle mainWindow() {
        return fake::ui().windows.empty() ? 0 : fake::ui().windows[0].handle;
    }

    static int boxCount() { return static_cast<int>(fake::dialogs().boxes.size()); }
};
