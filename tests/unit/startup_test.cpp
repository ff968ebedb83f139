#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "app/startup.h"
#include "core/text.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "popup/popup_menu.h"
#include "startup_fixture.h"

using namespace vorlix;

namespace {

std::vector<fake::FakeWindow> liveOrDeadTopLevel() {
    std::vector<fake::FakeWindow> out;
    for (const fake::FakeWindow& w : fake::ui().windows) {
        if (w.parent == 0) out.push_back(w);
    }
    return out;
}

} // namespace

class Startup : public StartupFixture {};

TEST_F(Startup, SetsEveryDefault) {
    fake::environment().localeName = u"Deutsch";
    EXPECT_EQ(programMain(), 0);
    EXPECT_EQ(app.programPath, u"C:\\Tools\\Vorlix.exe");
    EXPECT_EQ(app.programDir, u"C:\\Tools\\");
    EXPECT_EQ(app.menuFilePath, u"C:\\Tools\\Vorlix.lst");
    EXPECT_EQ(app.timeoutMs, 1000);
    EXPECT_EQ(app.versionTitle, u"Vorlix - ver. 2.58 (64 bit)");
    const std::u16string buildPrefix = u"Compiled: 2021-02-07,  ";
    EXPECT_EQ(app.buildText.substr(0, buildPrefix.size()), buildPrefix);
    EXPECT_GT(app.buildText.size(), buildPrefix.size()); // followed by a tag
    EXPECT_EQ(app.keywordList, u"configuration;vorlix;files;rem;cancel;submenu");
    EXPECT_EQ(app.runModeList, u",min,max,admin");
    EXPECT_EQ(app.localeLanguageName, u"Deutsch");
    EXPECT_EQ(app.menuEncoding, MenuEncoding::Utf8);
    EXPECT_TRUE(app.menuHasBom); // a missing menu file leaves the defaults
    EXPECT_EQ(app.workArea.right, 1000);
    EXPECT_EQ(app.workArea.bottom, 800);
    EXPECT_EQ(fake::menus().noticeHook, &popupMenuNotice);
}

TEST_F(Startup, CreatesTheHiddenMainWindowWithShortcuts) {
    EXPECT_EQ(programMain(), 0);
    auto& windows = fake::ui().windows;
    ASSERT_EQ(windows.size(), 1u); // its label comes with the configuration button (popup_cycle_button_test)
    const fake::FakeWindow& main = windows[0];
    EXPECT_EQ(main.parent, 0u);
    EXPECT_EQ(main.text, u"Vorlix - ");
    EXPECT_EQ(main.clientWidth, 150);
    EXPECT_EQ(main.clientHeight, 40);
    EXPECT_FALSE(main.visible);
    EXPECT_TRUE(main.destroyed); // closed when the program ends
    const auto& shortcuts = fake::ui().shortcuts;
    ASSERT_EQ(shortcuts.size(), 2u);
    EXPECT_EQ(shortcuts[0].window, main.handle);
    EXPECT_EQ(shortcuts[0].key, 13);
    EXPECT_EQ(shortcuts[0].modifiers, 0u);
    EXPECT_EQ(shortcuts[0].command, 1);
    EXPECT_EQ(shortcuts[1].key, 27);
    EXPECT_EQ(shortcuts[1].command, 2);
    EXPECT_EQ(app.mainWindow, 0u); // no dangling handle after the window is gone
}

TEST_F(Startup, SingleInstanceRule) {
    struct Row {
        std::u16string otherWindow;
        bool starts;
    };
    const Row rows[] = {
        {u"", true},
        {u"Vorlix - ", false},                          // another instance is in its popup cycle
        {u"vorlix - ", false},                          // the search ignores letter case
        {u"Vorlix - C:\\Tools\\Vorlix.lst", true},       // only an editor: no obstacle
        {u"Vorlix -", true},
    };
    for (const Row& row : rows) {
        SetUp();
        if (!row.otherWindow.empty()) fake::ui().otherWindows.push_back(row.otherWindow);
        EXPECT_EQ(programMain(), 0);
        EXPECT_EQ(liveOrDeadTopLevel().size(), row.starts ? 1u : 0u) << toUtf8(row.otherWindow);
        EXPECT_TRUE(fake::dialogs().boxes.empty());
        EXPECT_EQ(fake::menus().noticeHook != nullptr, row.starts);
    }
}

TEST_F(Startup, MainWindowThatCannotBeCreatedEndsSilently) {
    fake::ui().createFails = true;
    fake::putFile(u"C:\\Tools\\Vorlix.lst", "A=notepad.exe\r\nB\r\n"); // would be a syntax error
    EXPECT_EQ(programMain(), 0);
    EXPECT_TRUE(fake::ui().windows.empty());
    EXPECT_TRUE(fake::dialogs().boxes.empty());
    EXPECT_TRUE(fake::menus().tracks.empty());
}

TEST_F(Startup, ProgramDriveAndRelocation) {
    struct Row {
        std::u16string modulePath;
        int driveType;
        std::u16string args;
        std::u16string drive;
        std::u16string vdrive;
        bool relocation;
    };
    const Row rows[] = {
        {u"C:\\Tools\\Vorlix.exe", platform::DriveFixed, u"", u"C:", u"C:", false},
        {u"e:\\Vorlix.exe", platform::DriveRemovable, u"", u"E:", u"E:", true},
        {u"E:\\Vorlix.exe", platform::DriveCdrom, u"", u"E:", u"E:", true},
        {u"E:\\Vorlix.exe", platform::DriveRemote, u"", u"E:", u"E:", false},
        {u"E:\\Vorlix.exe", platform::DriveRamDisk, u"", u"E:", u"E:", false},
        {u"C:\\Tools\\Vorlix.exe", platform::DriveFixed, u"/v", u"C:", u"C:", true},
        {u"\\\\server\\share\\Vorlix.exe", platform::DriveRemovable, u"", u"", u"<unset>", false},
        {u"\\\\server\\share\\Vorlix.exe", platform::DriveFixed, u"/V", u"", u"<unset>", true},
    };
    for (const Row& row : rows) {
        SetUp();
        fake::environment().modulePath = row.modulePath;
        fake::environment().driveTypes[upperCase(row.modulePath.substr(0, 2))] = row.driveType;
        commandLine(row.args + u" /M");
        EXPECT_EQ(programMain(), 0);
        EXPECT_EQ(app.programDrive, row.drive) << toUtf8(row.modulePath);
        EXPECT_EQ(variable(u"Vdrive"), row.vdrive) << toUtf8(row.modulePath);
        EXPECT_EQ(app.driveRelocation, row.relocation) << toUtf8(row.modulePath);
    }
}

TEST_F(Startup, SkipsTheProgramsNameHoweverItIsWritten) {
    const std::u16string lines[] = {
        u"\"C:\\Program Files\\Vorlix\\Vorlix.exe\" /m menu.lst",
        u"C:\\Tools\\Vorlix.exe /m menu.lst",
        u"Vorlix   /m menu.lst",
    };
    for (const std::u16string& line : lines) {
        SetUp();
        fake::environment().commandLine = line;
        fake::putFile(u"C:\\Tools\\menu.lst", "A=notepad.exe\r\n"); // a missing menu would add NoButton
        EXPECT_EQ(programMain(), 0);
        EXPECT_EQ(app.options, static_cast<std::uint32_t>(CheckOnly)) << toUtf8(line);
        EXPECT_EQ(app.menuFilePath, u"C:\\Tools\\menu.lst") << toUtf8(line);
    }
}

TEST_F(Startup, LongProgramPathIsKeptWhole) {
    const std::u16string folder = u"C:\\" + std::u16string(280, u'd') + u"\\";
    fake::environment().modulePath = folder + u"Vorlix.exe";
    initialiseAppState();
    EXPECT_EQ(app.programPath, folder + u"Vorlix.exe");
    EXPECT_EQ(app.programDir, folder);
}

TEST_F(Startup, LanguageNameFitsItsBuffer) {
    fake::environment().localeName = std::u16string(70, u'x');
    initialiseAppState();
    EXPECT_EQ(app.localeLanguageName, std::u16string(63, u'x'));
}
