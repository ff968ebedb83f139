#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/cycle_menu.h"
#include "app/editor_phase.h"
#include "app/startup.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/fake/fake_menus.h"
#include "popup_cycle_fixture.h"

using namespace vorlix;

class EditorPhase : public PopupCycleFixture {};

TEST_F(EditorPhase, TheMenuFileIsCreatedForTheEditorAndRemovedWhenLeftEmpty) {
    struct Row {
        const char* name;
        std::function<void()> setUp;
        bool createdAndRemoved;
        bool created;
        bool existsAfter;
        std::vector<std::u16string> boxes;
    };
    const Row rows[] = {
        {"a menu with entries is left alone", [] { fake::putFile(MenuPath, "A=C:\\Apps\\a.exe\r\n"); }, false, false,
         true, {}},
        {"a missing menu is created, then removed", [] {}, true,
         true, false, {}},
        {"an empty menu counts as created, then is removed", [] { fake::putFile(MenuPath, ""); },
         true, true, false, {}},
        {"a folder gets no editor and no message", [] { fake::putFolder(MenuPath); }, false, false, true, {}},
        {"a menu that cannot be created", [] { fake::files().failCall = "openForUpdate"; }, false, false, false,
         {u"Cannot create menu file:\rC:\\Tools\\Vorlix.lst"}},
        {"an editor of this menu in another instance comes to the front",
         [] { fake::ui().otherWindows = {u"Notepad", u"Vorlix - C:\\Tools\\Vorlix.lst"}; }, false, false, false, {}},
    };
    for (const Row& row : rows) {
        SetUp();
        commandLine(u"/S");
        row.setUp();
        EXPECT_EQ(programMain(), 0) << row.name;
        EXPECT_EQ(app.cycleState, OpenEditor) << row.name;
        EXPECT_EQ(fake::files().filesDeleted, row.createdAndRemoved ? 1 : 0) << row.name;
        EXPECT_EQ(app.menuCreated, row.created) << row.name;
        EXPECT_EQ(fake::findFile(MenuPath) != nullptr, row.existsAfter) << row.name;
        std::vector<std::u16string> boxes;
        for (const fake::ShownBox& box : fake::dialogs().boxes) {
            boxes.push_back(box.text);
            EXPECT_EQ(box.owner, 0u) << row.name; // the main window is gone by now
            EXPECT_EQ(box.caption, u"Vorlix") << row.name;
            EXPECT_EQ(box.style, static_cast<unsigned>(platform::BoxOk | platform::BoxIconInformation)) << row.name;
        }
        EXPECT_EQ(boxes, row.boxes) << row.name;
    }
}

TEST_F(EditorPhase, OpenEditorOfTheSameMenuIsRestoredInsteadOfASecondOne) {
    fake::ui().otherWindows = {u"Vorlix - C:\\Tools\\Other.lst", u"Vorlix - C:\\Tools\\Vorlix.lst"};
    choose({1}); // "Create new menu" of the substitute menu
    EXPECT_EQ(programMain(), 0);
    ASSERT_FALSE(fake::ui().foregroundRequests.empty());
    EXPECT_EQ(fake::ui().foregroundRequests.back(), platform::findTopLevelWindow(u"Vorlix - C:\\Tools\\Vorlix.lst"));
    EXPECT_EQ(fake::files().filesCreated, 0);
    EXPECT_FALSE(app.menuCreated);
}

TEST_F(EditorPhase, AnEditorOfTheSameFileUnderAnotherPathIsFoundByTheFilesIdentity) {
    fake::putFile(MenuPath, "A=a.exe\r\n");
    fake::putFile(u"C:\\Tools\\Other.lst", "B=b.exe\r\n");
    fake::putSymbolicLink(u"C:\\Linked\\Vorlix.lst", MenuPath);
    const std::u16string linked = u"Vorlix - C:\\Linked\\Vorlix.lst";
    fake::ui().otherWindows = {u"Vorlix - C:\\Tools\\Other.lst", u"Vorlix - C:\\Missing.lst", linked};
    commandLine(u"/S");
    EXPECT_EQ(programMain(), 0);
    ASSERT_EQ(fake::ui().foregroundRequests.size(), 1u) << "no editor of its own";
    EXPECT_EQ(fake::ui().foregroundRequests.back(), platform::findTopLevelWindow(linked));
}

// The substitute menu also appears for a menu file that exists but is held open by another program.
// The editor must not start on an empty list for it: a save would wipe the file.
TEST_F(EditorPhase, AMenuThatCouldNotBeReadIsReadAgainBeforeTheEditorStarts) {
    struct Row {
        const char* name;
        std::string content;
        bool unlockedDuringPopup;
        std::string contentByThen;
        std::size_t entries;
        bool readOnly;
        int boxes;
    };
    const Row rows[] = {
        {"still locked: the editor may not save", "A=C:\\Apps\\a.exe\r\nB=C:\\Apps\\b.exe\r\n", false, "", 0, true, 0},
        {"unlocked meanwhile: its entries are edited", "A=C:\\Apps\\a.exe\r\nB=C:\\Apps\\b.exe\r\n", true, "", 2, false,
         0},
        {"blank lines only: an empty list that may be saved", "\r\n  \r\n", true, "", 0, false, 0},
        {"a byte-order mark only", "\xEF\xBB\xBF", true, "", 0, false, 0},
        {"broken meanwhile: only the error message", "A=C:\\Apps\\a.exe\r\n", true, "no equals sign\r\n", 0, false, 1},
    };
    for (const Row& row : rows) {
        SetUp();
        fake::putFile(MenuPath, row.content);
        fake::findFile(MenuPath)->lockedByOtherProcess = true; // so the popup offers the substitute menu
        const Row* current = &row;
        fake::menus().onTrack = [current](const fake::TrackRequest&) -> std::uint32_t {
            popupMenuNotice(platform::MenuNotice::LoopEnded, 0, 0);
            fake::FakeFile* f = fake::findFile(MenuPath);
            if (current->unlockedDuringPopup) f->lockedByOtherProcess = false;
            if (!current->contentByThen.empty()) f->bytes = current->contentByThen;
            return 2; // "Create new menu"
        };
        EXPECT_EQ(programMain(), 0) << row.name;
        EXPECT_EQ(app.cycleState, OpenEditor) << row.name;
        EXPECT_FALSE(app.menuWasMissing) << row.name;
        EXPECT_EQ(app.entries.size(), row.entries) << row.name;
        EXPECT_EQ(app.readOnlyMenu, row.readOnly) << row.name;
        EXPECT_FALSE(app.menuCreated) << row.name;
        ASSERT_NE(fake::findFile(MenuPath), nullptr) << row.name; // never emptied, never deleted
        EXPECT_EQ(fake::files().filesCreated + fake::files().filesDeleted, 0) << row.name;
        ASSERT_EQ(boxCount(), row.boxes) << row.name;
        if (row.boxes > 0) {
            EXPECT_EQ(fake::dialogs().boxes[0].text, u"Error in menu file, line 1\rC:\\Tools\\Vorlix.lst") << row.name;
            EXPECT_EQ(fake::dialogs().boxes[0].owner, 0u) << row.name;
        }
    }
}

// /S skips the substitute menu, but a menu file held open while it was read, too large to read or failing
// to read is just as empty a list.
TEST_F(EditorPhase, StartEditorOnAMenuThatCouldNotBeReadReadsItAgain) {
    struct Row {
        const char* name;
        bool lockedAtEditorStart;
        std::size_t entries;
        bool readOnly;
        bool huge = false;      // larger than anything read whole: never read, never written
        bool readFails = false; // it opens, but its content cannot be read
    };
    const Row rows[] = {
        {"still locked: the editor may not save", true, 0, true},
        {"unlocked by then: its entries are edited", false, 2, false},
        {"too large to read: the editor may not save", false, 0, true, true},
        {"its reading fails halfway: the editor may not save", false, 0, true, false, true},
    };
    std::string huge;
    for (std::size_t i = 0; static_cast<std::int64_t>(huge.size()) <= platform::MaxWholeReadBytes; ++i)
        huge += "Entry " + std::to_string(i) + "=C:\\Apps\\a.exe\r\n";
    for (const Row& row : rows) {
        SetUp();
        commandLine(u"/S");
        fake::putFile(MenuPath, row.huge ? huge : std::string("A=C:\\Apps\\a.exe\r\nB=C:\\Apps\\b.exe\r\n"));
        fake::findFile(MenuPath)->lockedByOtherProcess = !row.huge && !row.readFails;
        fake::findFile(MenuPath)->readFails = row.readFails;
        initialiseAppState();
        parseCommandLine();
        ASSERT_TRUE(readCycleMenu(0)) << row.name;
        ASSERT_EQ(app.lineNumber, 0) << row.name; // read as if it had no line
        ASSERT_TRUE(app.options & StartEditor) << row.name;
        fake::findFile(MenuPath)->lockedByOtherProcess = row.lockedAtEditorStart;
        runEditorPhase();
        EXPECT_EQ(app.entries.size(), row.entries) << row.name;
        EXPECT_EQ(app.readOnlyMenu, row.readOnly) << row.name;
        // Neither created nor deleted nor changed.
        EXPECT_EQ(fake::files().filesCreated + fake::files().filesDeleted, 0) << row.name;
        EXPECT_EQ(fake::findFile(MenuPath)->bytes.size(), row.huge ? huge.size() : 34u) << row.name;
        EXPECT_EQ(boxCount(), 0) << row.name;
    }
}

TEST_F(EditorPhase, AHelpViewerStillRunningIsEndedAndItsHandleReleased) {
    struct Row {
        const char* name;
        bool running;
        bool terminated;
    };
    const Row rows[] = {
        {"still running", true, true},
        {"already closed by the user", false, false},
    };
    constexpr platform::ProcessHandle Viewer = 0x4321;
    for (const Row& row : rows) {
        SetUp();
        fake::putFile(MenuPath, "A=C:\\Apps\\a.exe\r\n");
        app.menuFilePath = MenuPath;
        app.helpViewer = Viewer;
        fake::processes().processes[Viewer].running = row.running;
        runEditorPhase();
        const fake::FakeProcess& viewer = fake::processes().processes[Viewer];
        EXPECT_EQ(viewer.terminated, row.terminated) << row.name;
        EXPECT_TRUE(viewer.handleClosed) << row.name;
        EXPECT_EQ(app.helpViewer, 0u) << row.name;
        EXPECT_EQ(fake::processes().badHandleCalls, 0) << row.name;
    }
}
