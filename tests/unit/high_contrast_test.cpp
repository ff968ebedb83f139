// High contrast: the icon menu and the editor's "Read Only" note keep to the system's colours, and outside
// it every colour stays as the looks give it.
#include <gtest/gtest.h>

#include "app/editor_phase.h"
#include "core/app_state.h"
#include "editor/editor.h"
#include "platform/fake/fake_monitors.h"
#include "platform/system_colours.h"
#include "test_support.h"

using namespace vorlix;
using platform::SystemColour;

namespace {

TEST(HighContrast, TheIconMenuPaintsWithSystemColoursOnly) {
    struct Row {
        bool alternative, selected, greyed, highContrast;
        SystemColour background, text;
        bool halfTint, frame, strip;
    };
    constexpr auto M = SystemColour::Menu, T = SystemColour::MenuText, H = SystemColour::Highlight,
                   HT = SystemColour::HighlightText, G = SystemColour::GrayText;
    const Row rows[] = {
        {false, false, false, false, M, T, false, false, false}, {false, true, false, false, H, HT, false, false, false},
        {true, false, false, false, M, T, false, false, true},   {true, true, false, false, H, T, true, true, false},
        {true, true, true, false, H, G, true, true, false},      {false, true, true, false, H, G, false, false, false},
        // High contrast: both looks as the system draws menus.
        {true, false, false, true, M, T, false, false, false},   {true, true, false, true, H, HT, false, false, false},
        {true, true, true, true, H, G, false, false, false},     {false, true, false, true, H, HT, false, false, false},
    };
    for (const Row& r : rows) {
        const platform::ItemPaint p = platform::itemPaint(r.alternative, r.selected, r.greyed, r.highContrast);
        const auto name = ::testing::Message() << r.alternative << r.selected << r.greyed << r.highContrast;
        EXPECT_EQ(p.background, r.background) << name;
        EXPECT_EQ(p.text, r.text) << name;
        EXPECT_EQ(p.halfTint, r.halfTint) << name;
        EXPECT_EQ(p.blackFrame, r.frame) << name;
        EXPECT_EQ(p.strip, r.strip) << name;
    }
}

TEST(HighContrast, TheReadOnlyNoteIsRedOnlyOutsideIt) {
    const EditorHost& Host = programEditorHost();
    for (bool high : {false, true}) {
        testing_support::resetAll();
        app.readOnlyMenu = true;
        fake::monitors().highContrast = high;
        fake::scriptCommand(QuitButton);
        runEditor(0, Host);
        const fake::FakeWindow* note = nullptr;
        for (const fake::FakeWindow& w : fake::ui().windows)
            if (w.controlId == ReadOnlyNote && w.parent != 0) note = &w;
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(note->text, u"Read Only");
        EXPECT_EQ(note->textColour, high ? fake::fakeSystemColour(static_cast<int>(SystemColour::WindowText))
                                         : platform::rgb(255, 0, 0));
    }
}

} // namespace
