#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "app/startup.h"
#include "core/text.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/fake/fake_menus.h"
#include "popup_cycle_fixture.h"

using namespace vorlix;

namespace {

std::vector<std::u16string> definitions() {
    std::vector<std::u16string> out;
    for (const MenuEntry& entry : app.entries) out.push_back(entry.definition);
    return out;
}

} // namespace

class PopupCycle : public PopupCycleFixture {};

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

namespace {

struct Request {
    std::u16string verb;
    std::u16string file;
    std::u16string parameters;
    int show = 0;
};

std::vector<Request> shellRequests() {
    std::vector<Request> out;
    for (const fake::ShellRequest& r : fake::shell().requests) out.push_back({r.verb, r.file, r.parameters, r.show});
    return out;
}

bool operator==(const Request& a, const Request& b) {
    return a.verb == b.verb && a.file == b.file && a.parameters == b.parameters && a.show == b.show;
}

void PrintTo(const Request& r, std::ostream* os) {
    *os << "{" << toUtf8(r.verb) << ", " << toUtf8(r.file) << ", " << toUtf8(r.parameters) << ", " << r.show << "}";
}

} // namespace

TEST_F(PopupCycle, ChoicesGoToTheLauncherWithTheModifiersHeldNow) {
    struct Row {
        const char* name;
        std::u16string args;
        std::set<int> keysDown;
        std::int64_t chosen;
        int state;
        std::vector<Request> requests;
        std::int64_t editorStartIndex;
        std::uint64_t elapsedMs; // the closing delay, or none before the editor
    };
    using platform::KeyControl;
    using platform::KeyShift;
    const Row rows[] = {
        {"plain choice", u"", {}, 0, Quit, {{u"", u"C:\\Apps\\edit.exe", u"-new", 1}}, 0, 300},
        {"run mode of the entry", u"", {}, 1, Quit, {{u"", u"C:\\Apps\\big.exe", u"", 3}}, 0, 300},
        {"shift opens the folder", u"", {KeyShift}, 0, Quit, {{u"", u"C:\\Apps\\", u"-new", 1}}, 0, 300},
        {"ctrl+shift elevates", u"", {KeyShift, KeyControl}, 1, Quit, {{u"runAS", u"C:\\Apps\\big.exe", u"", 3}}, 0,
         300},
        {"ctrl alone without /C launches", u"", {KeyControl}, 1, Quit, {{u"", u"C:\\Apps\\big.exe", u"", 3}}, 0, 300},
        {"ctrl alone with /C opens the editor there", u"/C", {KeyControl}, 1, OpenEditor, {}, 1, 0},
        {"ctrl+shift with /C still elevates", u"/C", {KeyShift, KeyControl}, 0, Quit,
         {{u"runAS", u"C:\\Apps\\edit.exe", u"-new", 1}}, 0, 300},
    };
    for (const Row& row : rows) {
        SetUp();
        commandLine(row.args);
        fake::putFile(MenuPath, "Editor=C:\\Apps\\edit.exe;-new\r\nBig=C:\\Apps\\big.exe;;;max\r\n");
        fake::putFile(u"C:\\Apps\\edit.exe", "MZ");
        fake::ui().keysDown = row.keysDown;
        choose({row.chosen});
        EXPECT_EQ(programMain(), 0) << row.name;
        EXPECT_EQ(app.cycleState, row.state) << row.name;
        EXPECT_EQ(shellRequests(), row.requests) << row.name;
        EXPECT_EQ(app.editorStartIndex, row.editorStartIndex) << row.name;
        EXPECT_EQ(fake::environment().ticks, row.elapsedMs) << row.name;
        EXPECT_EQ(boxCount(), 0) << row.name;
        EXPECT_TRUE(fake::ui().windows[0].destroyed) << row.name;
    }
}

TEST_F(PopupCycle, FilesOfAFolderListingAreStartedOrOpenTheirEntryInTheEditor) {
    struct Row {
        const char* name;
        std::u16string args;
        std::set<int> keysDown;
        int state;
        std::vector<Request> requests;
        std::int64_t editorStartIndex;
    };
    const Row rows[] = {
        {"the file is opened", u"", {}, Quit, {{u"", u"C:\\Docs\\b.txt", u"", 1}}, 0},
        {"ctrl with /C edits the files entry", u"/C", {platform::KeyControl}, OpenEditor, {}, 1},
    };
    for (const Row& row : rows) {
        SetUp();
        commandLine(row.args);
        fake::putFile(MenuPath, "Notes=C:\\Apps\\n.exe\r\nDocs=files;*.txt;C:\\Docs\r\n");
        fake::putFolderNames(u"C:\\Docs", {u"a.txt", u"b.txt"});
        fake::ui().keysDown = row.keysDown;
        // The user opens the Docs submenu and picks its second file.
        fake::menus().onTrack = [](const fake::TrackRequest&) -> std::uint32_t {
            popupMenuNotice(platform::MenuNotice::Opening, app.folderSubmenus.at(0).submenu, 1);
            popupMenuNotice(platform::MenuNotice::LoopEnded, 0, 0);
            return static_cast<std::uint32_t>(app.firstFolderItemId + 1 + 1);
        };
        EXPECT_EQ(programMain(), 0) << row.name;
        EXPECT_EQ(app.cycleState, row.state) << row.name;
        EXPECT_EQ(shellRequests(), row.requests) << row.name;
        EXPECT_EQ(app.editorStartIndex, row.editorStartIndex) << row.name;
    }
}

TEST_F(PopupCycle, AnEntryThatCannotBeStartedOffersTheEditorOrBeepsForAReadOnlyMenu) {
    struct Row {
        const char* name;
        std::uint32_t attributes;
        bool readOnlyVolume;
        int answer;
        int state;
        std::int64_t editorStartIndex;
        int boxes;
        int beeps;
    };
    const Row rows[] = {
        {"No ends the program", 0x20, false, platform::AnswerNo, Quit, 0, 1, 0},
        {"Yes opens the editor at the entry", 0x20, false, platform::AnswerYes, OpenEditor, 2, 1, 0},
        {"read-only file only beeps", 0x21, false, platform::AnswerYes, Quit, 0, 0, 1},
        {"read-only volume only beeps", 0x20, true, platform::AnswerYes, Quit, 0, 0, 1},
    };
    for (const Row& row : rows) {
        SetUp();
        // The header "Tools/" is completed before the build, so the broken entry is number 2.
        fake::putFile(MenuPath, "A=C:\\Apps\\a.exe\r\nTools/Broken=C:\\Apps\\missing.exe\r\n", row.attributes);
        fake::files().readOnlyVolumes[u"C:"] = row.readOnlyVolume;
        fake::shell().results = {2}; // SE_ERR_FNF
        fake::dialogs().answers = {row.answer};
        choose({2});
        EXPECT_EQ(programMain(), 0) << row.name;
        EXPECT_EQ(app.cycleState, row.state) << row.name;
        EXPECT_EQ(app.editorStartIndex, row.editorStartIndex) << row.name;
        EXPECT_EQ(fake::dialogs().beeps, row.beeps) << row.name;
        ASSERT_EQ(boxCount(), row.boxes) << row.name;
        if (row.boxes == 0) continue;
        const fake::ShownBox& box = fake::dialogs().boxes[0];
        EXPECT_EQ(box.text, u"Cannot open [Tools/Broken]\rEnter configuration?") << row.name;
        EXPECT_EQ(box.caption, u"Error") << row.name;
        EXPECT_EQ(box.style, static_cast<unsigned>(platform::BoxYesNo)) << row.name;
        EXPECT_EQ(box.owner, mainWindow()) << row.name;
    }
}

TEST_F(PopupCycle, DismissalIsRecognisedOnlyAfterFourCountedEvents) {
    using platform::EventKind;
    struct Row {
        const char* name;
        bool loopEndReported;
        std::vector<EventKind> events; // each arrives 100 ms after the one before
        std::size_t waits;
    };
    const Row rows[] = {
        {"ticks after the menu loop ended", true, {EventKind::Timer, EventKind::Timer, EventKind::Timer,
                                                   EventKind::Timer, EventKind::Timer}, 4},
        {"ticks alone do not count before the loop ended", false,
         {EventKind::Timer, EventKind::Timer, EventKind::Activate, EventKind::Timer, EventKind::Activate,
          EventKind::Activate, EventKind::Activate, EventKind::Timer}, 7},
        {"a close request counts only as a tick", true,
         {EventKind::Close, EventKind::Timer, EventKind::Timer, EventKind::Timer, EventKind::Timer}, 4},
    };
    for (const Row& row : rows) {
        SetUp();
        commandLine(u"/N");
        fake::putFile(MenuPath, "A=C:\\Apps\\a.exe\r\n");
        fake::menus().onTrack = [&row](const fake::TrackRequest&) -> std::uint32_t {
            if (row.loopEndReported) popupMenuNotice(platform::MenuNotice::LoopEnded, 0, 0);
            return 0;
        };
        for (EventKind kind : row.events) fake::scriptEvent(kind, 378, 100);
        EXPECT_EQ(programMain(), 0) << row.name;
        EXPECT_EQ(app.cycleState, Quit) << row.name;
        EXPECT_EQ(fake::ui().waits.size(), row.waits) << row.name;
        EXPECT_EQ(fake::ui().waitsOnNothing, 0) << row.name;
        EXPECT_EQ(fake::environment().ticks, 100 * row.waits + 300) << row.name;
        ASSERT_FALSE(fake::ui().timers.empty()) << row.name;
        EXPECT_EQ(fake::ui().timers[0].id, 378u) << row.name;
        EXPECT_EQ(fake::ui().timers[0].periodMs, 100u) << row.name;
        EXPECT_FALSE(fake::ui().timers[0].running) << row.name; // stopped when the window closed
        EXPECT_TRUE(fake::shell().requests.empty()) << row.name;
    }
}

TEST_F(PopupCycle, ShortcutsAndStaleEventsNeverPassForAChoice) {
    // Rows: what is queued besides the dismissed popup; entry 1 or 2 must never start.
    struct Row {
        const char* name;
        bool staleBeforePopup;
        std::vector<int> shortcutsAfter;
    };
    const Row rows[] = {
        {"a second Escape right after the dismissal", false, {2}},
        {"Enter and Escape", false, {1, 2}},
        {"a menu event left from before the popup", true, {}},
    };
    for (const Row& row : rows) {
        SetUp();
        commandLine(u"/N");
        fake::putFile(MenuPath, "A=C:\\Apps\\a.exe\r\nB=C:\\Apps\\b.exe\r\nC=C:\\Apps\\c.exe\r\n");
        if (row.staleBeforePopup) {
            fake::ScriptedEvent stale;
            stale.event.kind = platform::EventKind::Menu;
            stale.event.id = 1;
            stale.pending = true;
            fake::ui().events.push_back(stale);
        }
        for (int command : row.shortcutsAfter) shortcut(command);
        ticks(4);
        dismiss();
        EXPECT_EQ(programMain(), 0) << row.name;
        EXPECT_EQ(app.cycleState, Quit) << row.name;
        EXPECT_TRUE(fake::shell().requests.empty()) << row.name;
    }
}

TEST_F(PopupCycle, VorlixItemRestartsWithAnotherMenuInTheSameProcess) {
    commandLine(u"/P10,20");
    fake::putFile(MenuPath, "Other=vorlix;other.lst /N\r\nA=C:\\Apps\\a.exe\r\n");
    fake::putFile(u"C:\\Tools\\other.lst", "B=C:\\Apps\\b.exe;from-other\r\n");
    choose({0, 0});
    EXPECT_EQ(programMain(), 0);
    EXPECT_EQ(fake::menus().tracks.size(), 2u);
    EXPECT_EQ(shellRequests(), (std::vector<Request>{{u"", u"C:\\Apps\\b.exe", u"from-other", 1}}));
    EXPECT_EQ(app.menuFilePath, u"C:\\Tools\\other.lst");
    EXPECT_EQ(app.options, static_cast<std::uint32_t>(NoButton)); // /P of the first command line is gone
    EXPECT_EQ(app.cycleState, Quit);
    EXPECT_EQ(fake::ui().windows.size(), 1u); // one main window for both passes
    EXPECT_EQ(fake::environment().ticks, 300u);
}

TEST_F(PopupCycle, MissingOrBlankMenuShowsTheSubstituteMenuWithoutButton) {
    struct Row {
        const char* name;
        bool exists;
        std::string content;
    };
    const Row rows[] = {
        {"missing file", false, ""},
        {"empty file", true, ""},
        {"blank lines only", true, "  \r\n\r\n"},
        {"locked by another program", true, "A=C:\\Apps\\a.exe\r\n"},
    };
    for (const Row& row : rows) {
        SetUp();
        if (row.exists) fake::putFile(MenuPath, row.content);
        if (row.name == std::string("locked by another program")) fake::findFile(MenuPath)->lockedByOtherProcess = true;
        ticks(4);
        dismiss();
        EXPECT_EQ(programMain(), 0) << row.name;
        ASSERT_EQ(fake::menus().tracks.size(), 1u) << row.name;
        const fake::FakeMenu* shown = fake::menu(fake::menus().tracks[0].menu);
        ASSERT_NE(shown, nullptr) << row.name;
        ASSERT_EQ(shown->items.size(), 3u) << row.name;
        EXPECT_EQ(shown->items[0].text, u"Menu file not found") << row.name;
        EXPECT_TRUE(shown->items[0].greyed) << row.name;
        EXPECT_EQ(shown->items[1].text, u"Create new menu") << row.name;
        EXPECT_EQ(shown->items[2].text, u"Cancel") << row.name;
        EXPECT_TRUE(app.menuWasMissing) << row.name;
        EXPECT_TRUE(app.options & NoButton) << row.name;
        EXPECT_EQ(app.cycleState, Quit) << row.name;       // dismissed: no button offered
        EXPECT_TRUE(fake::ui().animations.empty()) << row.name;
        EXPECT_TRUE(fake::ui().moves.empty()) << row.name;
    }
}

TEST_F(PopupCycle, SubstituteMenuItemsCancelOrCreateTheMenuFile) {
    struct Row {
        const char* name;
        std::int64_t chosen;
        int state;
        bool created;
    };
    const Row rows[] = {
        {"Cancel does nothing", 2, Quit, false},
        {"Create new menu opens the editor on a new file", 1, OpenEditor, true},
    };
    for (const Row& row : rows) {
        SetUp();
        choose({row.chosen});
        EXPECT_EQ(programMain(), 0) << row.name;
        EXPECT_EQ(app.cycleState, row.state) << row.name;
        EXPECT_EQ(app.menuCreated, row.created) << row.name;
        EXPECT_TRUE(fake::shell().requests.empty()) << row.name;
        // The editor closed without saving, so the new empty file is gone again.
        EXPECT_EQ(fake::findFile(MenuPath), nullptr) << row.name;
        EXPECT_EQ(fake::files().filesCreated, row.created ? 1 : 0) << row.name;
        EXPECT_EQ(fake::files().filesDeleted, row.created ? 1 : 0) << row.name;
        EXPECT_TRUE(fake::files().openFiles.empty()) << row.name;
        if (row.created) {
            EXPECT_TRUE(app.entries.empty()) << row.name;
        }
    }
}

TEST_F(PopupCycle, StartEditorSkipsThePopupAndTheClosingDelay) {
    commandLine(u"/S");
    fake::putFile(MenuPath, "A=C:\\Apps\\a.exe\r\n");
    EXPECT_EQ(programMain(), 0);
    EXPECT_TRUE(fake::menus().tracks.empty());
    EXPECT_EQ(app.cycleState, OpenEditor);
    EXPECT_EQ(app.editorTitle, u"Vorlix - C:\\Tools\\Vorlix.lst");
    EXPECT_EQ(fake::environment().ticks, 0u);
    EXPECT_TRUE(fake::ui().windows[0].destroyed);
    EXPECT_EQ(app.entries.size(), 1u);
    EXPECT_FALSE(app.menuCreated);
    EXPECT_EQ(fake::files().filesCreated + fake::files().filesDeleted, 0); // an existing menu file is left alone
}
