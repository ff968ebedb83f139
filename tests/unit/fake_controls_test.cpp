// The parts of the fake controls that editor tests lean on without seeing: the selection following
// inserted and deleted rows, and user actions taking effect when the program's wait takes them.
#include <gtest/gtest.h>

#include "platform/controls.h"
#include "platform/events.h"
#include "platform/keyboard.h"
#include "platform/top_windows.h"
#include "test_support.h"

using platform::ControlAction;
using platform::ControlKind;
using platform::EventKind;

namespace {

struct RowCase { bool insert; int index; int selectedAfter; int countAfter; };

class FakeControls : public ::testing::Test {
protected:
    void SetUp() override { testing_support::resetAll(); }
    platform::WindowHandle window = 0;
    platform::WindowHandle make(ControlKind kind, int id) {
        if (!window) window = platform::createDialogWindow(u"Editor", 400, 300);
        return platform::createControl(window, kind, id, {0, 0, 100, 20}, u"");
    }
};

TEST_F(FakeControls, SelectionStaysOnItsRowThroughInsertAndDelete) {
    const RowCase cases[] = {
        {true, 0, 2, 4}, {true, 1, 2, 4}, {true, 2, 1, 4}, {true, 9, 1, 4}, {true, -1, 1, 3},
        {false, 0, 0, 2}, {false, 1, -1, 2}, {false, 2, 1, 2}, {false, 3, 1, 3},
    };
    for (const RowCase& c : cases) {
        fake::resetUi();
        window = 0;
        const platform::WindowHandle list = make(ControlKind::ListView, 7);
        const std::u16string rows[] = {u"a", u"b", u"c"};
        ASSERT_TRUE(platform::appendListRows(list, rows, 3));
        ASSERT_TRUE(platform::selectListRow(list, 1));
        const bool done = c.insert ? platform::insertListRow(list, c.index, u"new") : platform::deleteListRow(list, c.index);
        EXPECT_EQ(done, c.countAfter != 3) << c.insert << " at " << c.index;
        EXPECT_EQ(platform::selectedListRow(list), c.selectedAfter) << c.insert << " at " << c.index;
        EXPECT_EQ(platform::listRowCount(list), c.countAfter) << c.insert << " at " << c.index;
    }
}

TEST_F(FakeControls, ActionsScriptedBeforeTheWindowApplyOnDeliveryAndFocusLostComesFirst) {
    fake::typeText(1, u"Notepad");
    fake::clickControl(2);
    fake::clickControl(3); // disabled when it comes: refused
    fake::scriptClose();
    const platform::WindowHandle field = make(ControlKind::TextField, 1);
    const platform::WindowHandle box = make(ControlKind::CheckBox, 2);
    platform::enableWindow(make(ControlKind::Button, 3), false);
    platform::showWindow(window, platform::ShowNormal);
    EXPECT_EQ(platform::windowText(field), u"");

    platform::WindowEvent e = platform::waitEvent(window);
    EXPECT_EQ(e.action, ControlAction::Change);
    EXPECT_EQ(platform::windowText(field), u"Notepad");
    EXPECT_EQ(platform::focusedWindow(), field);
    e = platform::waitEvent(window);
    EXPECT_EQ(e.control, 1);
    EXPECT_EQ(e.action, ControlAction::FocusLost); // the field lets the focus go before the click lands
    EXPECT_FALSE(platform::isChecked(box));
    e = platform::waitEvent(window);
    EXPECT_EQ(e.control, 2);
    EXPECT_EQ(e.action, ControlAction::Click);
    EXPECT_TRUE(platform::isChecked(box));
    EXPECT_EQ(platform::waitEvent(window).kind, EventKind::Close);
    EXPECT_EQ(fake::ui().refusedActions, std::vector<int>{3});
}

} // namespace
