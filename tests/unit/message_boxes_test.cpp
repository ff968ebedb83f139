#include <gtest/gtest.h>

#include <climits>

#include "core/app_state.h"
#include "app/message_boxes.h"
#include "core/text.h"
#include "platform/dialogs.h"
#include "platform/fake/fake_centring_hook.h"
#include "platform/fake/fake_window_geometry.h"
#include "test_support.h"

using namespace vorlix;

namespace {

constexpr platform::WindowHandle Editor = 0x55;

TEST(CentredBoxPosition, CentresOnTheOuterRectangle) {
    const struct {
        platform::Rect owner;
        std::int32_t width, height;
        bool placed;
        std::int32_t x, y;
    } rows[] = {
        {{100, 100, 800, 480}, 300, 150, true, 300, 215},
        {{-400, 50, 300, 450}, 300, 150, true, -200, 175}, // partly off the left edge
        {{-401, 51, 300, 450}, 300, 150, true, -200, 175}, // odd sums truncate toward zero
        {{-401, -300, 0, 0}, 300, 150, true, -350, -225},
        {{10, 10, 110, 60}, 300, 150, true, -90, -40},     // box bigger than its owner
        {{0, 100, 800, 480}, 300, 150, false, 0, 0},       // left edge 0: the platform places it
        {{INT32_MAX - 10, 0, INT32_MAX, 100}, 2, 2, true, INT32_MAX - 6, 49}, // no overflow
    };
    for (const auto& r : rows) {
        platform::Point p;
        EXPECT_EQ(centredBoxPosition(r.owner, r.width, r.height, p), r.placed) << r.owner.left;
        if (r.placed) {
            EXPECT_EQ(p.x, r.x) << r.owner.left;
            EXPECT_EQ(p.y, r.y) << r.owner.left;
        }
    }
}

class CentredMessageBox : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetAll();
        fake::resetCentringHook();
        fake::resetWindowGeometry();
        fake::windowGeometry().rects[Editor] = {100, 100, 800, 480};
    }
};

TEST_F(CentredMessageBox, HookPlacesTheBoxAndIsRemovedAfterwards) {
    fake::dialogs().answers.push_back(platform::AnswerNo);
    EXPECT_EQ(centredMessageBox(Editor, u"Save Changes?", u"Confirm", platform::BoxYesNo), platform::AnswerNo);

    const auto& hook = fake::centringHook();
    EXPECT_EQ(hook.installs, 1);
    EXPECT_EQ(hook.removals, 1);
    EXPECT_NE(hook.lastRemoved, 0u);
    EXPECT_EQ(app.centringHook, 0u);
    EXPECT_EQ(app.ownerRect.right, 800);

    ASSERT_EQ(fake::dialogs().boxes.size(), 1u);
    const fake::ShownBox& box = fake::dialogs().boxes[0];
    EXPECT_EQ(box.owner, Editor);
    EXPECT_EQ(box.text, u"Save Changes?");
    EXPECT_EQ(box.caption, u"Confirm");
    EXPECT_EQ(box.style, static_cast<unsigned>(platform::BoxYesNo));

    // A later box without centring is left to the platform.
    platform::Point p;
    EXPECT_FALSE(fake::createDialog(300, 150, p));
}

TEST_F(CentredMessageBox, HookCentresOnTheOwnerOfTheBox) {
    const struct { platform::Rect owner; bool placed; std::int32_t x, y; } rows[] = {
        {{100, 100, 800, 480}, true, 300, 215},
        {{-300, 40, 500, 440}, true, -50, 165},
        {{0, 100, 800, 480}, false, 0, 0},
    };
    for (const auto& r : rows) {
        fake::resetCentringHook();
        fake::windowGeometry().rects[Editor] = r.owner;
        centredMessageBox(Editor, u"x", u"Confirm", platform::BoxOk);
        platform::DialogPlacement placement = fake::centringHook().lastInstalled;
        ASSERT_NE(placement, nullptr);
        platform::Point p;
        EXPECT_EQ(placement(300, 150, p), r.placed) << r.owner.left;
        if (r.placed) {
            EXPECT_EQ(p.x, r.x) << r.owner.left;
            EXPECT_EQ(p.y, r.y) << r.owner.left;
        }
    }
}

TEST_F(CentredMessageBox, WithoutOwnerRectangleOrHookTheBoxIsStillShown) {
    const struct { const char* name; platform::WindowHandle owner; bool installFails; int installs; } rows[] = {
        {"no owner", 0, false, 0},
        {"destroyed owner", 0x99, false, 0},
        {"hook refused", Editor, true, 0},
    };
    for (const auto& r : rows) {
        fake::resetCentringHook();
        fake::resetDialogs();
        fake::centringHook().installFails = r.installFails;
        fake::dialogs().answers.push_back(platform::AnswerCancel);
        EXPECT_EQ(centredMessageBox(r.owner, u"t", u"c", platform::BoxOkCancel), platform::AnswerCancel) << r.name;
        EXPECT_EQ(fake::centringHook().installs, r.installs) << r.name;
        EXPECT_EQ(fake::centringHook().removals, 0) << r.name; // nothing to remove
        EXPECT_EQ(fake::dialogs().boxes.size(), 1u) << r.name;
    }
}

TEST_F(CentredMessageBox, EditorQuestions) {
    const struct { int answer; bool save; bool remove; } rows[] = {
        {platform::AnswerYes, true, false},
        {platform::AnswerNo, false, false},
        {platform::AnswerOk, false, true},
        {platform::AnswerCancel, false, false},
    };
    for (const auto& r : rows) {
        fake::resetDialogs();
        fake::dialogs().answers = {r.answer, r.answer};
        EXPECT_EQ(askSaveChanges(Editor), r.save) << r.answer;
        EXPECT_EQ(askRemoveEntry(Editor, u"Tools/Editor"), r.remove) << r.answer;
        ASSERT_EQ(fake::dialogs().boxes.size(), 2u);
        EXPECT_EQ(fake::dialogs().boxes[0].style, static_cast<unsigned>(platform::BoxYesNo));
        EXPECT_EQ(fake::dialogs().boxes[1].text, u"Remove Tools/Editor ?");
        EXPECT_EQ(fake::dialogs().boxes[1].caption, u"Confirm");
        EXPECT_EQ(fake::dialogs().boxes[1].style, static_cast<unsigned>(platform::BoxOkCancel));
    }
}

} // namespace
