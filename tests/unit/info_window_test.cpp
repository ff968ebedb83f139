#include <gtest/gtest.h>

#include <vector>

#include "core/app_state.h"
#include "app/info_window.h"
#include "core/text.h"
#include "platform/fake/fake_controls.h"
#include "platform/fake/fake_icons.h"
#include "platform/fake/fake_info_window.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_window_geometry.h"
#include "platform/shell.h"
#include "test_support.h"

using namespace vorlix;
using platform::InfoEvent;
using platform::InfoEventKind;

namespace {

constexpr platform::WindowHandle Editor = 0x66;

class InfoWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetAll();
        fake::resetInfoWindow();
        fake::resetShell();
        fake::resetWindowGeometry();
        fake::resetIcons();
        fake::ui().active = Editor;
        app.versionTitle = u"Vorlix - ver. 2.58 (64 bit)";
        app.buildText = u"Compiled: 2021-02-07 gcc";
    }
};

TEST_F(InfoWindow, ShowsTheProgramLinesOverTheActiveWindow) {
    showInfo();
    const auto& w = fake::infoWindow();
    EXPECT_EQ(w.opened, 1);
    EXPECT_EQ(w.owner, Editor);
    EXPECT_EQ(w.content.versionLine, app.versionTitle);
    EXPECT_EQ(w.content.buildLine, app.buildText);
    EXPECT_FALSE(w.content.thirdLine.empty());
    EXPECT_EQ(w.content.webAddress.substr(0, 8), u"https://");
    EXPECT_EQ(w.content.mailAddress.substr(0, 7), u"mailto:");
    EXPECT_EQ(w.drains, 1);
}

TEST_F(InfoWindow, ClosesAtTheFirstClickKeyOrLink) {
    const InfoEvent other{InfoEventKind::Other, 0};
    const struct {
        const char* name;
        std::vector<InfoEvent> events;
        int waits;
        const char16_t* opened; // address handed to the shell, or none
    } rows[] = {
        {"click on the window", {other, {InfoEventKind::ClientClick, 0}, other}, 2, nullptr},
        {"key", {{InfoEventKind::KeyPress, 0}}, 1, nullptr},
        {"frame", {other, other, {InfoEventKind::FrameClick, 0}}, 3, nullptr},
        {"close request", {{InfoEventKind::CloseRequest, 0}}, 1, nullptr},
        {"web link", {other, {InfoEventKind::Control, platform::InfoWebLink}}, 2, u"https://"},
        {"mail link", {{InfoEventKind::Control, platform::InfoMailLink}}, 1, u"mailto:"},
        {"unknown control closes without opening", {{InfoEventKind::Control, 9}}, 1, nullptr},
    };
    for (const auto& r : rows) {
        fake::resetInfoWindow();
        fake::resetShell();
        fake::shell().defaultResult = 2; // no browser or mail program: still closes, no message
        fake::infoWindow().events.assign(r.events.begin(), r.events.end());
        showInfo();
        const auto& w = fake::infoWindow();
        EXPECT_EQ(w.waits, r.waits) << r.name;
        EXPECT_EQ(w.closed, 1) << r.name;
        const auto& requests = fake::shell().requests;
        if (!r.opened) {
            EXPECT_TRUE(requests.empty()) << r.name;
            continue;
        }
        ASSERT_EQ(requests.size(), 1u) << r.name;
        EXPECT_EQ(requests[0].owner, Editor) << r.name;
        EXPECT_EQ(requests[0].verb, u"open") << r.name;
        std::u16string expectedStart(r.opened);
        EXPECT_EQ(requests[0].file.substr(0, expectedStart.size()), expectedStart) << r.name;
        EXPECT_EQ(requests[0].file, r.events.back().control == platform::InfoWebLink ? w.content.webAddress
                                                                                      : w.content.mailAddress)
            << r.name;
        EXPECT_TRUE(requests[0].parameters.empty() && requests[0].directory.empty()) << r.name;
        EXPECT_EQ(requests[0].show, platform::ShellShowNormal) << r.name;
    }
}

// The window's controls draw with the font and show the icon without owning either: both are handed over,
// and both are freed once the window has closed, also when it could not be opened.
TEST_F(InfoWindow, FontAndIconLiveUntilTheWindowHasClosed) {
    for (const bool openFails : {false, true}) {
        fake::resetInfoWindow();
        fake::resetControls();
        fake::resetIcons();
        fake::infoWindow().openFails = openFails;
        showInfo();
        ASSERT_EQ(fake::controls().fonts.size(), 1u) << openFails;
        const fake::FontRecord& font = fake::controls().fonts[0];
        EXPECT_EQ(font.face, u"MS Shell Dlg 2") << openFails;
        EXPECT_EQ(font.points, 8) << openFails;
        EXPECT_TRUE(font.destroyed) << openFails;
        EXPECT_EQ(fake::icons().destroyed, 1) << openFails;
        EXPECT_TRUE(fake::icons().live.empty() && fake::icons().badDestroys == 0) << openFails;
        if (openFails) continue;
        EXPECT_EQ(fake::infoWindow().content.font, font.handle);
        EXPECT_EQ(fake::infoWindow().fontAtClose, font.handle);
        EXPECT_EQ(fake::infoWindow().iconAtClose, u"program:32");
    }
}

TEST_F(InfoWindow, WindowThatCannotOpenShowsNothing) {
    fake::infoWindow().openFails = true;
    showInfo();
    EXPECT_EQ(fake::infoWindow().waits, 0);
    EXPECT_EQ(fake::infoWindow().closed, 0);
}

} // namespace
