#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/startup.h"
#include "app/text.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "startup_fixture.h"

using namespace vorlix;

namespace {

std::vector<std::u16string> definitions() {
    std::vector<std::u16string> out;
    for (const MenuEntry& entry : app.entries) out.push_back(entry.definition);
    return out;
}

} // namespace

class PopupCycle : public StartupFixture {};

TEST_F(PopupCycle, SyntaxErrorIsReportedAndEndsTheProgram) {
    struct Row {
        std::u16string args;
        std::u16string menuPath;
        std::string content;
        std::u16string text;
    };
    const Row rows[] = {
        {u"", u"C:\\Tools\\Vorlix.lst", "A=notepad.exe\r\n\r\nB\r\n",
         u"Error in menu file, line 2\rC:\\Tools\\Vorlix.lst"},
        {u"/S menu.lst", u"C:\\Tools\\menu.lst", "\t\r\n", // a tab is no blank line
         u"Error in menu file, line 1\rC:\\Tools\\menu.lst"},
        {u"/M \"D:\\my menus\\m.lst\"", u"D:\\my menus\\m.lst", "a=b\nc=d\nLabel=\n",
         u"Error in menu file, line 3\rD:\\my menus\\m.lst"},
    };
    for (const Row& row : rows) {
        SetUp();
        commandLine(row.args);
        fake::putFile(row.menuPath, row.content);
        EXPECT_EQ(programMain(), 0);
        const std::string what = toUtf8(row.args);
        ASSERT_EQ(fake::dialogs().boxes.size(), 1u) << what;
        const fake::ShownBox& box = fake::dialogs().boxes[0];
        ASSERT_FALSE(fake::ui().windows.empty());
        EXPECT_EQ(box.owner, fake::ui().windows[0].handle) << what; // the hidden main window
        EXPECT_EQ(box.caption, u"Vorlix") << what;
        EXPECT_EQ(box.text, row.text) << what;
        EXPECT_EQ(box.style, static_cast<unsigned>(platform::BoxOk)) << what;
        EXPECT_TRUE(fake::menus().tracks.empty()) << what; // no popup
        EXPECT_EQ(app.cycleState, Running) << what;
        EXPECT_TRUE(fake::ui().windows[0].destroyed) << what;
        EXPECT_EQ(fake::environment().ticks, 300u) << what; // the closing delay
    }
}

TEST_F(PopupCycle, CheckOnlyBuildsTheMenuAndEnds) {
    commandLine(u"/M");
    fake::putFile(u"C:\\Tools\\Vorlix.lst", "Editor=notepad.exe\r\nTools/Calc=calc.exe\r\n");
    EXPECT_EQ(programMain(), 0);
    EXPECT_TRUE(fake::dialogs().boxes.empty());
    EXPECT_TRUE(fake::menus().tracks.empty()); // built, not shown
    EXPECT_EQ(app.firstFolderItemId, 3);       // two entries and the header completed before the build
    ASSERT_EQ(app.entries.size(), 3u);
    EXPECT_EQ(app.entries[1].label, u"Tools/");
    EXPECT_EQ(app.cycleState, Running);
    ASSERT_FALSE(fake::ui().windows.empty());
    EXPECT_TRUE(fake::ui().windows[0].destroyed);
    EXPECT_TRUE(fake::ui().waits.empty()); // nothing waited for
}

TEST_F(PopupCycle, DriveLettersAreRelocatedAfterReadingOnlyWhenAsked) {
    struct Row {
        std::u16string modulePath;
        int driveType;
        std::u16string args;
        std::vector<std::u16string> after;
    };
    const Row rows[] = {
        {u"F:\\Vorlix.exe", platform::DriveFixed, u"/M",
         {u"submenu", u"E:\\bin\\a.exe;/x=E:\\data", u"C:\\Windows\\b.exe"}},
        {u"F:\\Vorlix.exe", platform::DriveRemovable, u"/M",
         {u"submenu", u"F:\\bin\\a.exe;/x=F:\\data", u"C:\\Windows\\b.exe"}},
        {u"F:\\Vorlix.exe", platform::DriveFixed, u"/M /V",
         {u"submenu", u"F:\\bin\\a.exe;/x=F:\\data", u"C:\\Windows\\b.exe"}},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row& row = rows[i];
        SetUp();
        fake::environment().modulePath = row.modulePath;
        fake::environment().driveTypes[u"F:"] = row.driveType;
        fake::environment().variables[u"WINDIR"] = u"C:\\Windows";
        commandLine(row.args);
        fake::putFile(u"F:\\Vorlix.lst", "Tools/A=E:\\bin\\a.exe;/x=E:\\data\r\nB=C:\\Windows\\b.exe\r\n");
        EXPECT_EQ(programMain(), 0);
        EXPECT_EQ(definitions(), row.after) << i;
    }
}
