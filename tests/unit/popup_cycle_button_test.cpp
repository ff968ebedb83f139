#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/configuration_button.h"
#include "platform/fake/fake_menus.h"
#include "popup_cycle_fixture.h"

using namespace vorlix;

namespace {

struct Monitor {
    platform::Rect bounds;
    platform::Rect work;
};

// A 1280 x 1024 primary monitor with a 40-pixel taskbar at the bottom.
constexpr Monitor Primary{{0, 0, 1280, 1024}, {0, 0, 1280, 984}};

} // namespace

TEST(ConfigurationButtonPosition, StaysOnTheMonitorUnderTheMouse) {
    struct Row {
        const char* name;
        platform::Point mouse;
        Monitor monitor;
        platform::Point expected;
    };
    const Row rows[] = {
        {"centred on the mouse", {400, 300}, {{0, 0, 1000, 800}, {0, 0, 1000, 800}}, {325, 280}},
        {"near the top-left corner", {5, 5}, {{0, 0, 1000, 800}, {0, 0, 1000, 800}}, {0, 0}},
        {"bottom-right corner of the work area", {1000, 800}, {{0, 0, 1000, 800}, {0, 0, 1000, 800}}, {838, 748}},
        {"taskbar at the bottom", {640, 1020}, Primary, {565, 932}},
        // The left and top edges of the work area are not used, only the monitor's own.
        {"taskbar at the left", {10, 10}, {{0, 0, 1280, 1024}, {60, 0, 1280, 1024}}, {0, 0}},
        {"monitor left of the primary", {-1270, 10}, {{-1280, 0, 0, 1024}, {-1280, 0, 0, 1024}}, {-1280, 0}},
        {"monitor above the primary", {600, -1010}, {{0, -1024, 1280, 0}, {0, -1024, 1280, 0}}, {525, -1024}},
        {"bottom-right of a monitor right of the primary", {2559, 1023}, {{1280, 0, 2560, 1024}, {1280, 0, 2560, 984}},
         {2398, 932}},
    };
    for (const Row& row : rows) {
        const platform::Point at = configurationButtonPosition(row.mouse, row.monitor.bounds, row.monitor.work);
        EXPECT_EQ(at.x, row.expected.x) << row.name;
        EXPECT_EQ(at.y, row.expected.y) << row.name;
    }
}

class ConfigurationButton : public PopupCycleFixture {
protected:
    // The popup is dismissed; four ticks end the choice wait, then the button phase takes the events.
    static void dismissThen(const std::vector<fake::ScriptedEvent>& buttonEvents) {
        dismiss();
        ticks(4);
        for (const fake::ScriptedEvent& e : buttonEvents) fake::ui().events.push_back(e);
    }

    static fake::ScriptedEvent event(platform::EventKind kind, int id = 0, std::uint32_t delayMs = 100) {
        fake::ScriptedEvent scripted;
        scripted.event.kind = kind;
        scripted.event.id = id;
        scripted.event.control = id;
        scripted.event.byShortcut = kind == platform::EventKind::Menu;
        scripted.delayMs = delayMs;
        return scripted;
    }
    static fake::ScriptedEvent tick() { return event(platform::EventKind::Timer, 378); }

    static platform::Rect mainWindowRect() { return fake::windowGeometry().rects[mainWindow()]; }
};

TEST_F(ConfigurationButton, AppearsUnderTheMouseOnTopWithoutActivationAndWithTheFocusOnItsLabel) {
    fake::putFile(MenuPath, "A=C:\\Apps\\a.exe\r\n");
    dismissThen({tick(), event(platform::EventKind::Menu, EscapeCommand)});
    EXPECT_EQ(programMain(), 0);
    ASSERT_EQ(fake::ui().moves.size(), 1u);
    EXPECT_EQ(fake::ui().moves[0].window, mainWindow());
    EXPECT_EQ(fake::ui().moves[0].x, 325); // the mouse at (400, 300), 75 and 20 inside the button
    EXPECT_EQ(fake::ui().moves[0].y, 280);
    EXPECT_EQ(app.positionX, 325);
    EXPECT_EQ(app.positionY, 280);
    EXPECT_TRUE(fake::ui().windows[0].topmost);
    ASSERT_EQ(fake::ui().animations.size(), 1u); // faded in; Escape leaves no time for a fade-out
    EXPECT_EQ(fake::ui().animations[0].durationMs, 200u);
    EXPECT_EQ(fake::ui().animations[0].flags, static_cast<unsigned>(platform::AnimateBlend | platform::AnimateCenter));
    EXPECT_EQ(app.cycleState, Quit);
    EXPECT_TRUE(fake::ui().windows[0].destroyed);
    // The label is made for the button, filling the window's client area.
    ASSERT_EQ(fake::ui().windows.size(), 2u);
    const fake::FakeWindow& text = fake::ui().windows[1];
    EXPECT_EQ(fake::ui().focus, text.handle);
    EXPECT_EQ(text.parent, mainWindow());
    EXPECT_EQ(text.controlId, ConfigurationLabel);
    EXPECT_EQ(text.text, u"Vorlix Configuration");
    EXPECT_EQ(text.bounds.left, 0);
    EXPECT_EQ(text.bounds.top, 0);
    EXPECT_EQ(text.bounds.right, 150);
    EXPECT_EQ(text.bounds.bottom, 40);
    EXPECT_EQ(text.textColour, 0x0000AAu); // RGB(170, 0, 0)
}

TEST_F(ConfigurationButton, EndsOnItsEventsOrWhenTheMouseLeavesIt) {
    using platform::EventKind;
    struct Row {
        const char* name;
        std::u16string args;
        platform::Point mouse;
        std::vector<fake::ScriptedEvent> events;
        bool animationFails;
        int state;
        std::size_t eventsLeft;
        std::vector<unsigned> animations;
        std::vector<int> showCommands;
    };
    const unsigned fadeIn = platform::AnimateBlend | platform::AnimateCenter;
    const unsigned fadeOut = fadeIn | platform::AnimateHide;
    const platform::Point inside{400, 300};
    const platform::Point corner{999, 799}; // the button is kept left of and above it: the mouse is outside
    const Row rows[] = {
        {"Escape", u"", inside, {tick(), tick(), event(EventKind::Menu, EscapeCommand), tick()}, false, Quit, 1,
         {fadeIn}, {}},
        {"Enter opens the editor", u"", inside, {tick(), event(EventKind::Menu, EnterCommand), tick()}, false,
         OpenEditor, 1, {fadeIn}, {}},
        {"a click on the label opens the editor", u"", inside,
         {tick(), event(EventKind::Control, ConfigurationLabel), tick()}, false, OpenEditor, 1, {fadeIn}, {}},
        {"a double click alone is no click", u"", inside,
         {[] {
              fake::ScriptedEvent e = event(EventKind::Control, ConfigurationLabel);
              e.event.action = platform::ControlAction::DoubleClick;
              return e;
          }(),
          event(EventKind::Menu, EscapeCommand)},
         false, Quit, 0, {fadeIn}, {}},
        {"a close request", u"", inside, {event(EventKind::Close), tick()}, false, Quit, 1, {fadeIn}, {}},
        {"activation keeps it while the mouse is over it", u"", inside,
         {event(EventKind::Activate), tick(), event(EventKind::Menu, EscapeCommand)}, false, Quit, 0, {fadeIn}, {}},
        {"the mouse is not over it: faded out", u"", corner, {tick(), tick()}, false, Quit, 1, {fadeIn, fadeOut}, {}},
        {"without animation it is shown and hidden plainly", u"", corner, {tick(), tick()}, true, Quit, 1,
         {fadeIn, fadeOut}, {platform::ShowNoActivate, platform::ShowHide}},
    };
    for (const Row& row : rows) {
        SetUp();
        commandLine(row.args);
        fake::putFile(MenuPath, "A=C:\\Apps\\a.exe\r\n");
        fake::ui().cursor = row.mouse;
        fake::ui().animationFails = row.animationFails;
        dismissThen(row.events);
        EXPECT_EQ(programMain(), 0) << row.name;
        EXPECT_EQ(app.cycleState, row.state) << row.name;
        // The editor, once open, takes the events left and shows its own window.
        if (row.state != OpenEditor) {
            EXPECT_EQ(fake::ui().events.size(), row.eventsLeft) << row.name;
        }
        std::vector<unsigned> animations;
        for (const fake::Animation& a : fake::ui().animations) animations.push_back(a.flags);
        EXPECT_EQ(animations, row.animations) << row.name;
        if (row.state != OpenEditor) {
            EXPECT_EQ(fake::ui().showCommands, row.showCommands) << row.name;
        }
        EXPECT_TRUE(fake::shell().requests.empty()) << row.name;
        EXPECT_EQ(app.editorStartIndex, 0) << row.name;
    }
}

TEST_F(ConfigurationButton, FixedPositionClosesAfterTheTimeOutEvenWithTheMouseOverIt) {
    struct Row {
        const char* name;
        std::u16string args;
        std::size_t ticksTaken; // timer ticks the button phase used before it closed
        std::uint32_t waitLimit;
    };
    const Row rows[] = {
        {"/T1000", u"/P100,200 /T1000", 10, 1000},
        {"/T250", u"/P100,200 /T250", 3, 250},
        {"/T0", u"/P100,200 /T0", 0, 0},
        {"/T-1 waits no time at all", u"/P100,200 /T-1", 0, 0},
    };
    for (const Row& row : rows) {
        SetUp();
        commandLine(row.args);
        fake::putFile(MenuPath, "A=C:\\Apps\\a.exe\r\n");
        fake::ui().cursor = {150, 210};
        std::vector<fake::ScriptedEvent> buttonTicks(20, tick());
        dismissThen(buttonTicks);
        EXPECT_EQ(programMain(), 0) << row.name;
        EXPECT_EQ(app.cycleState, Quit) << row.name;
        ASSERT_EQ(fake::ui().moves.size(), 1u) << row.name;
        EXPECT_EQ(fake::ui().moves[0].x, 100) << row.name;
        EXPECT_EQ(fake::ui().moves[0].y, 200) << row.name;
        const std::size_t left = fake::ui().events.size();
        EXPECT_EQ(20 - left, row.ticksTaken) << row.name;
        const fake::WaitRequest& last = fake::ui().waits.back();
        EXPECT_TRUE(last.limited) << row.name;
        EXPECT_EQ(last.timeoutMs, row.waitLimit) << row.name;
        EXPECT_EQ(fake::ui().animations.size(), 1u) << row.name; // no fade-out
    }
}

TEST_F(ConfigurationButton, WatchesTheMouseWithoutABusyLoopWhenTheTimeOutIsZero) {
    for (const std::u16string args : {u"/T0", u"/T-1"}) {
        SetUp();
        commandLine(args);
        fake::putFile(MenuPath, "A=C:\\Apps\\a.exe\r\n");
        fake::ui().cursor = {400, 300};
        dismissThen({tick(), tick(), event(platform::EventKind::Menu, EscapeCommand)});
        EXPECT_EQ(programMain(), 0);
        EXPECT_EQ(app.cycleState, Quit);
        const fake::WaitRequest& last = fake::ui().waits.back();
        EXPECT_TRUE(last.limited);
        EXPECT_GE(last.timeoutMs, 1u) << "a zero wait spins while the mouse rests on the button";
    }
}

TEST_F(ConfigurationButton, IsPlacedOnTheMonitorUnderTheMouse) {
    struct Row {
        const char* name;
        platform::Point mouse;
        bool monitorInfoFails;
        platform::Point expected;
    };
    // The primary monitor, one to its left and one above it.
    const std::vector<fake::FakeMonitor> monitors = {
        {{0, 0, 1280, 1024}, {0, 0, 1280, 984}},
        {{-1920, 0, 0, 1080}, {-1920, 0, 0, 1040}},
        {{0, -768, 1024, 0}, {0, -768, 1024, 0}},
    };
    const Row rows[] = {
        {"primary, bottom-right corner", {1279, 1023}, false, {1118, 932}},
        {"left monitor, top-left corner", {-1915, 3}, false, {-1920, 0}},
        {"left monitor, bottom-right corner", {-1, 1079}, false, {-162, 988}},
        {"upper monitor, top-left corner", {2, -766}, false, {0, -768}},
        // Without monitor information: start-up's 1000 x 800 work area and the screen's origin.
        {"no monitor information", {1000, 800}, true, {838, 748}},
        {"no monitor information, left of the origin", {-1915, 3}, true, {0, 0}},
    };
    for (const Row& row : rows) {
        SetUp();
        fake::putFile(MenuPath, "A=C:\\Apps\\a.exe\r\n");
        fake::monitors().monitors = monitors;
        fake::monitors().infoFails = row.monitorInfoFails;
        fake::ui().cursor = row.mouse;
        dismissThen({tick(), event(platform::EventKind::Menu, EscapeCommand)});
        EXPECT_EQ(programMain(), 0) << row.name;
        ASSERT_EQ(fake::ui().moves.size(), 1u) << row.name;
        EXPECT_EQ(fake::ui().moves[0].x, row.expected.x) << row.name;
        EXPECT_EQ(fake::ui().moves[0].y, row.expected.y) << row.name;
    }
}

TEST_F(ConfigurationButton, IsNotOfferedWithNoButtonReadOnlyMenuOrCtrlDismissal) {
    struct Row {
        const char* name;
        std::u16string args;
        std::uint32_t attributes;
        bool ctrl;
        int state;
    };
    const Row rows[] = {
        {"/N", u"/N", 0x20, false, Quit},
        {"/C", u"/C", 0x20, false, Quit},
        {"read-only menu", u"", 0x21, false, Quit},
        {"ctrl with /C opens the editor at the first entry", u"/C", 0x20, true, OpenEditor},
        {"ctrl without /C is no ctrl", u"/N", 0x20, true, Quit},
    };
    for (const Row& row : rows) {
        SetUp();
        commandLine(row.args);
        fake::putFile(MenuPath, "A=C:\\Apps\\a.exe\r\nB=C:\\Apps\\b.exe\r\n", row.attributes);
        if (row.ctrl) fake::ui().keysDown = {platform::KeyControl};
        dismissThen({tick(), event(platform::EventKind::Menu, EscapeCommand)});
        EXPECT_EQ(programMain(), 0) << row.name;
        EXPECT_EQ(app.cycleState, row.state) << row.name;
        for (const fake::Move& m : fake::ui().moves) // the editor places its own window
            EXPECT_NE(fake::window(m.window)->text, u"Vorlix - ") << row.name;
        for (const fake::Animation& a : fake::ui().animations) // no button faded in (the editor may show Info)
            EXPECT_NE(fake::window(a.window)->text, u"Vorlix - ") << row.name;
        EXPECT_EQ(app.editorStartIndex, 0) << row.name;
    }
}
