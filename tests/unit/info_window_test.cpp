#include <gtest/gtest.h>

#include <vector>

#include "core/app_state.h"
#include "app/info_window.h"
#include "platform/fake/fake_controls.h"
#include "platform/fake/fake_icons.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_ui.h"
#include "platform/fake/fake_window_geometry.h"
#include "platform/shell.h"
#include "test_support.h"

using namespace vorlix;
using platform::EventKind;

namespace {

constexpr platform::WindowHandle Editor = 0x66;

class InfoWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetAll();
        fake::resetWindowGeometry();
        fake::resetIcons();
        fake::ui().active = Editor;
        fake::windowGeometry().rects[Editor] = {100, 50, 700, 450};
        app.versionTitle = u"Vorlix - ver. 2.58 (64 bit)";
        app.buildText = u"Compiled: 2021-02-07 gcc";
    }

    // The info window: the first window made.
    static const fake::FakeWindow& info() { return fake::ui().windows.at(0); }
    static std::vector<const fake::FakeWindow*> controlsOf(platform::ControlKind kind) {
        std::vector<const fake::FakeWindow*> found;
        for (const fake::FakeWindow& w : fake::ui().windows) {
            if (w.parent == info().handle && w.kind == kind) found.push_back(&w);
        }
        return found;
    }
};

TEST_F(InfoWindow, ShowsTheProgramLinesAndTwoLinksCentredOnTheActiveWindow) {
    fake::scriptEvent(EventKind::KeyPressed);
    showInfo();
    const fake::FakeWindow& w = info();
    EXPECT_EQ(w.owner, Editor);
    EXPECT_EQ(w.clientWidth, 300);
    EXPECT_EQ(w.clientHeight, 135);
    EXPECT_TRUE(w.text.empty());
    EXPECT_TRUE(w.reportsClicks) << "a click on the window or its frame must reach the loop";
    ASSERT_FALSE(fake::ui().moves.empty());
    EXPECT_EQ(fake::ui().moves[0].x, (100 + 700 - 308) / 2);
    EXPECT_EQ(fake::ui().moves[0].y, (50 + 450 - 143) / 2);

    const auto labels = controlsOf(platform::ControlKind::Label);
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(labels[0]->text, app.versionTitle);
    EXPECT_EQ(labels[1]->text, app.buildText);
    EXPECT_FALSE(labels[2]->text.empty());
    const auto links = controlsOf(platform::ControlKind::Link);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0]->text.substr(0, 8), u"https://");
    EXPECT_EQ(links[1]->text.substr(0, 7), u"mailto:");
    for (const fake::FakeWindow* link : links) {
        EXPECT_EQ(link->textColour, platform::rgb(0, 0, 255));
        EXPECT_EQ(link->hotTextColour, platform::rgb(255, 0, 0));
        EXPECT_TRUE(link->fittedToText) << "a click beside the text must be a click on the window";
    }
    ASSERT_EQ(controlsOf(platform::ControlKind::Image).size(), 1u);
    EXPECT_NE(controlsOf(platform::ControlKind::Image)[0]->icon, 0);
    EXPECT_EQ(fake::ui().drains, 1);
}

TEST_F(InfoWindow, ClosesAtTheFirstClickKeyOrLinkAndFadesOut) {
    const struct {
        const char* name;
        std::vector<EventKind> before; // events that keep it open
        EventKind closing;
        int control;
        const char16_t* opened; // the address handed to the shell, or none
    } rows[] = {
        {"click on the window", {EventKind::Activate}, EventKind::Released, 0, nullptr},
        {"key", {}, EventKind::KeyPressed, 0, nullptr},
        {"frame", {EventKind::Activate, EventKind::Timer}, EventKind::FramePressed, 0, nullptr},
        {"close request", {}, EventKind::Close, 0, nullptr},
        {"web link", {EventKind::Activate}, EventKind::Control, 1, u"https://www.vorlix.org/"},
        {"mail link", {}, EventKind::Control, 2, u"mailto:support@vorlix.org"},
        {"unknown control closes without opening", {}, EventKind::Control, 9, nullptr},
    };
    for (const auto& r : rows) {
        SetUp();
        fake::shell().defaultResult = 2; // no browser or mail program: still closes, no message
        for (EventKind kind : r.before) fake::scriptEvent(kind);
        fake::scriptEvent(r.closing, r.control);
        showInfo();
        EXPECT_EQ(fake::ui().waits.size(), r.before.size() + 1) << r.name;
        EXPECT_TRUE(info().destroyed) << r.name;
        ASSERT_EQ(fake::ui().animations.size(), 1u) << r.name;
        EXPECT_EQ(fake::ui().animations[0].durationMs, 300u) << r.name;
        EXPECT_EQ(fake::ui().animations[0].flags, platform::AnimateBlend | platform::AnimateHide) << r.name;
        const auto& requests = fake::shell().requests;
        if (!r.opened) {
            EXPECT_TRUE(requests.empty()) << r.name;
            continue;
        }
        ASSERT_EQ(requests.size(), 1u) << r.name;
        EXPECT_EQ(requests[0].owner, Editor) << r.name;
        EXPECT_EQ(requests[0].verb, u"open") << r.name;
        EXPECT_EQ(requests[0].file, r.opened) << r.name;
        EXPECT_TRUE(requests[0].parameters.empty() && requests[0].directory.empty()) << r.name;
        EXPECT_EQ(requests[0].show, platform::ShellShowNormal) << r.name;
    }
}

// The window's controls draw with the font and show the icon without owning either: both are freed, and
// only once the window has gone, also when it could not be opened.
TEST_F(InfoWindow, FontAndIconLiveUntilTheWindowHasClosed) {
    for (const bool openFails : {false, true}) {
        SetUp();
        fake::ui().createFails = openFails;
        fake::scriptEvent(EventKind::Released);
        showInfo();
        ASSERT_EQ(fake::controls().fonts.size(), 1u) << openFails;
        const fake::FontRecord& font = fake::controls().fonts[0];
        EXPECT_EQ(font.face, u"MS Shell Dlg 2") << openFails;
        EXPECT_EQ(font.points, 8) << openFails;
        EXPECT_TRUE(font.destroyed) << openFails;
        EXPECT_EQ(fake::icons().destroyed, 1) << openFails;
        EXPECT_TRUE(fake::icons().live.empty() && fake::icons().badDestroys == 0) << openFails;
        EXPECT_EQ(fake::ui().freedTooSoon, 0) << openFails;
        if (openFails) {
            EXPECT_TRUE(fake::ui().waits.empty());
            EXPECT_TRUE(fake::ui().animations.empty());
        } else {
            EXPECT_EQ(controlsOf(platform::ControlKind::Label)[0]->font, font.handle);
        }
    }
}

} // namespace
