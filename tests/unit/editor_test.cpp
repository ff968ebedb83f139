// The configuration editor against the fake controls: a case scripts what the user does, runs the
// editor and looks at the entries, the controls and the saved file afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/editor_phase.h"
#include "core/app_state.h"
#include "editor/editor.h"
#include "menufile/file_stamp.h"
#include "menufile/writer.h"
#include "platform/dialogs.h"
#include "test_support.h"

using namespace vorlix;

namespace {

// A control of the editor that ran last, also after its window has gone.
const fake::FakeWindow* shown(int number) {
    const fake::FakeWindow* found = nullptr;
    for (const fake::FakeWindow& w : fake::ui().windows)
        if (w.controlId == number && w.parent != 0) found = &w;
    return found;
}

const std::u16string MenuPath = u"C:\\Menus\\Vorlix.lst";
const EditorHost& Host = programEditorHost();

class Editor : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetAll();
        app.menuFilePath = MenuPath;
        app.runModeList = u",min,max,admin";
        app.editorTitle = u"Vorlix - " + MenuPath;
        putMenu("");
        fake::putFile(u"C:\\Temp", "", 0x10);
    }
    // The menu file as the editor read it.
    void putMenu(const std::string& bytes) {
        fake::putFile(MenuPath, bytes);
        app.menuFileStamp = stampOf(bytes);
    }
    void entries(std::vector<MenuEntry> list) { app.entries = std::move(list); }
    // Runs the editor on the scripted events; the window is closed at the end if the script left it open.
    void run(std::int64_t start = 0) {
        fake::scriptClose();
        fake::dialogs().answers.push_back(platform::AnswerNo); // a "Save Changes?" that the script did not answer
        runEditor(start, Host);
    }
    std::vector<std::u16string> labels() const {
        std::vector<std::u16string> out;
        for (const MenuEntry& e : app.entries) out.push_back(e.label);
        return out;
    }
    std::string saved() const { return fake::findFile(MenuPath)->bytes; }
};

TEST_F(Editor, OpensWithTrimmedRowsTheStartEntryAndListModeEnabling) {
    entries({{u"  A ", u"a.exe", 0}, {u"B", u"b.exe", 0}});
    fake::scriptCommand(QuitButton);
    runEditor(1, Host);
    EXPECT_EQ(fake::ui().refusedActions, std::vector<int>{});
    ASSERT_FALSE(fake::ui().windows.empty());
    const fake::FakeWindow& window = fake::ui().windows[0];
    EXPECT_EQ(window.text, app.editorTitle);
    EXPECT_EQ(window.clientWidth, 700);
    EXPECT_EQ(window.clientHeight, 345);
    EXPECT_EQ(fake::rowTexts(*shown(EntryList)), (std::vector<std::u16string>{u"A", u"B"}));
    EXPECT_EQ(fake::selectedRowOf(*shown(EntryList)), 1);
    EXPECT_EQ(shown(LabelField)->text, u"B");
    EXPECT_FALSE(shown(OkButton)->enabled);
    EXPECT_TRUE(shown(CloseButton)->enabled);
    EXPECT_FALSE(shown(ApplyButton)->enabled);
    EXPECT_EQ(fake::liveFonts(), 0u) << "both fonts are freed when the window closes";
}

TEST_F(Editor, NewItemTypedCommittedAndAppliedIsSavedAsTyped) {
    entries({{u"A", u"a.exe", 0}});
    fake::scriptCommand(NewItemButton);
    fake::typeText(LabelField, u"Notes");
    fake::typeText(CommandField, u" notepad.exe ");
    fake::typeText(ParametersField, u"a;b");
    fake::typeText(DirectoryField, u"C:\\Temp");
    fake::chooseChoice(RunModeBox, 2);
    fake::scriptCommand(EnterKeyCommand); // Enter in EditMode is Ok
    fake::scriptCommand(ApplyButton);
    fake::scriptCommand(QuitButton);
    runEditor(0, Host);
    EXPECT_EQ(fake::ui().refusedActions, std::vector<int>{});
    ASSERT_EQ(app.entries.size(), 2u);
    EXPECT_EQ(app.entries[1].label, u"Notes");
    EXPECT_EQ(app.entries[1].definition, u"notepad.exe;a\x7f" u"b;C:\\Temp;max;");
    EXPECT_EQ(saved(), "A=a.exe\r\nNotes=notepad.exe;a\x7f" "b;C:\\Temp;max\r\n");
    EXPECT_FALSE(app.editor.modified);
}

TEST_F(Editor, CommitRulesForLabelsAndDirectories) {
    struct Row {
        const char* name;
        std::u16string label, command, directory;
        std::u16string storedLabel, storedDefinition; // empty label: rejected
    };
    const Row rows[] = {
        {"member without submenu", u"/Item", u"x.exe", u"", u"??" u"?/Item", u"x.exe;;;;"},
        {"header", u"Tools/", u"ignored.exe", u"", u"Tools/", u"submenu;;;;"},
        {"separator", u"-", u"", u"", u"-", u""},
        {"no command", u"Name", u"", u"", u"", u""},
        {"the header keyword", u"Name", u"SubMenu", u"", u"", u""},
        {"missing directory", u"Name", u"x.exe", u"C:\\Nowhere", u"", u""},
        {"a file as directory", u"Name", u"x.exe", MenuPath, u"", u""},
    };
    for (const Row& row : rows) {
        SetUp();
        entries({{u"Old", u"old.exe", 0}});
        fake::typeText(LabelField, row.label);
        fake::typeText(CommandField, row.command);
        fake::typeText(DirectoryField, row.directory);
        fake::scriptCommand(OkButton);
        fake::scriptCommand(CancelButton);
        fake::scriptCommand(QuitButton);
        runEditor(0, Host);
        const bool stored = !row.storedLabel.empty();
        EXPECT_EQ(app.entries[0].label, stored ? row.storedLabel : u"Old") << row.name;
        EXPECT_EQ(app.entries[0].definition, stored ? row.storedDefinition : u"old.exe") << row.name;
        EXPECT_EQ(fake::dialogs().beeps, stored ? 0 : 1) << row.name;
    }
}

TEST_F(Editor, ClosingQuittingAndFailedSaves) {
    struct Row {
        const char* name;
        std::vector<int> commands;
        bool close;      // the close box after the commands
        int answer;      // to "Save Changes?"
        bool lockFile;   // another program holds the file: the save fails
        std::vector<std::u16string> boxes;
        bool savedNewEntry;
    };
    const std::u16string saveQuestion = u"Save Changes?";
    const std::u16string failure = u"Cannot save menu file:\r" + MenuPath;
    const Row rows[] = {
        {"quit never asks", {SeparatorButton, QuitButton}, false, 0, false, {}, false},
        {"close box asks, yes saves", {SeparatorButton}, true, platform::AnswerYes, false, {saveQuestion}, true},
        {"close box asks, no keeps the file", {SeparatorButton}, true, platform::AnswerNo, false, {saveQuestion}, false},
        {"escape twice closes with the question", {SeparatorButton, EscapeKeyCommand, EscapeKeyCommand}, false,
         platform::AnswerNo, false, {saveQuestion}, false},
        {"Close saves without asking", {SeparatorButton, CloseButton}, false, 0, false, {}, true},
        {"a failed Close stays open", {SeparatorButton, CloseButton, QuitButton}, false, 0, true, {failure}, false},
        {"a failed yes stays open", {SeparatorButton}, true, platform::AnswerYes, true, {saveQuestion, failure}, false},
    };
    for (const Row& row : rows) {
        SetUp();
        entries({{u"A", u"a.exe", 0}});
        putMenu("A=a.exe\r\n");
        fake::findFile(MenuPath)->lockedByOtherProcess = row.lockFile;
        for (int command : row.commands) fake::scriptCommand(command);
        if (row.close) fake::scriptClose();
        if (row.answer) fake::dialogs().answers.push_back(row.answer);
        if (row.lockFile) fake::scriptCommand(QuitButton); // still open after the failure: leave
        runEditor(0, Host);
        std::vector<std::u16string> boxes;
        for (const fake::ShownBox& b : fake::dialogs().boxes) boxes.push_back(b.text);
        EXPECT_EQ(boxes, row.boxes) << row.name;
        EXPECT_EQ(saved() == "A=a.exe\r\n", !row.savedNewEntry) << row.name;
        if (row.lockFile) {
            EXPECT_TRUE(app.editor.modified) << row.name << ": the changes are kept";
        }
        EXPECT_EQ(fake::topLevelWindow(app.editorTitle), nullptr) << row.name;
    }
}

// A log-off or shut-down with unsaved changes waits for "Save Changes?" instead of dropping them.
TEST_F(Editor, ALogOffWithUnsavedChangesWaitsForTheQuestion) {
    struct Row {
        const char* name;
        std::vector<int> commands;
        int answer; // to "Save Changes?", 0 when none is expected
        bool held;  // the session was held when it asked to end
        bool savedNewEntry;
    };
    const Row rows[] = {
        {"unsaved: held, and yes saves", {SeparatorButton}, platform::AnswerYes, true, true},
        {"unsaved: held, and no leaves the file", {SeparatorButton}, platform::AnswerNo, true, false},
        {"applied: nothing held, nothing asked", {SeparatorButton, ApplyButton}, 0, false, true},
    };
    for (const Row& row : rows) {
        SetUp();
        entries({{u"A", u"a.exe", 0}});
        putMenu("A=a.exe\r\n");
        for (int command : row.commands) fake::scriptCommand(command);
        fake::scriptEvent(platform::EventKind::EndSession);
        if (row.answer) fake::dialogs().answers.push_back(row.answer);
        runEditor(0, Host);
        EXPECT_EQ(fake::dialogs().boxes.size(), row.answer ? 1u : 0u) << row.name;
        EXPECT_EQ(saved() != "A=a.exe\r\n", row.savedNewEntry) << row.name;
        for (const fake::FakeWindow& w : fake::ui().windows) {
            if (w.text != app.editorTitle) continue;
            EXPECT_EQ(!w.endSessionHeld.empty(), row.held) << row.name;
        }
        EXPECT_EQ(fake::topLevelWindow(app.editorTitle), nullptr) << row.name << ": the editor has closed";
    }
}

TEST_F(Editor, AFileChangedByAnotherProgramIsNotWrittenOverUnasked) {
    struct Row {
        const char* name;
        std::vector<int> commands;
        bool close;                // the close box after the commands, answered Yes
        int overwrite;             // the answer to the question, 0 when none is expected
        bool theirsStays;
        bool editorOpen;           // still open after the commands (then Quit)
    };
    const Row rows[] = {
        {"Close without changes writes nothing", {CloseButton}, false, 0, true, false},
        {"Apply without changes writes nothing", {ApplyButton}, false, 0, true, true},
        {"Apply after a change asks, No keeps theirs", {SeparatorButton, ApplyButton}, false, platform::AnswerNo, true, true},
        {"Apply after a change asks, Yes writes ours", {SeparatorButton, ApplyButton}, false, platform::AnswerYes, false, true},
        {"Close after a change asks, No stays open", {SeparatorButton, CloseButton}, false, platform::AnswerNo, true, true},
        {"saving on the close box asks too", {SeparatorButton}, true, platform::AnswerNo, true, true},
    };
    const std::string theirs = "B=theirs.exe\r\n";
    for (const Row& row : rows) {
        SetUp();
        entries({{u"A", u"a.exe", 0}});
        putMenu("A=a.exe\r\n");
        fake::putFile(MenuPath, theirs); // after the editor read it
        for (int command : row.commands) fake::scriptCommand(command);
        if (row.close) {
            fake::scriptClose();
            fake::dialogs().answers.push_back(platform::AnswerYes); // "Save Changes?"
        }
        if (row.overwrite) fake::dialogs().answers.push_back(row.overwrite);
        fake::scriptCommand(QuitButton);
        runEditor(0, Host);
        const bool asked = !fake::dialogs().boxes.empty() &&
                           fake::dialogs().boxes.back().text.starts_with(u"Another program has changed the menu file");
        EXPECT_EQ(asked, row.overwrite != 0) << row.name;
        if (asked) {
            EXPECT_EQ(fake::dialogs().boxes.back().caption, u"Confirm") << row.name;
        }
        EXPECT_EQ(saved() == theirs, row.theirsStays) << row.name;
        if (!row.theirsStays) {
            EXPECT_EQ(saved(), "A=a.exe\r\n-=\r\n") << row.name;
        }
        EXPECT_EQ(app.editor.modified, row.theirsStays && row.overwrite != 0) << row.name << ": changes kept";
    }
    // A file that vanished is written as before, and what was written is not taken for a change.
    SetUp();
    entries({{u"A", u"a.exe", 0}});
    fake::files().files.clear();
    fake::scriptCommand(SeparatorButton);
    fake::scriptCommand(ApplyButton);
    fake::scriptCommand(SeparatorButton);
    fake::scriptCommand(CloseButton);
    runEditor(0, Host);
    EXPECT_TRUE(fake::dialogs().boxes.empty());
    EXPECT_EQ(saved(), "A=a.exe\r\n-=\r\n-=\r\n");
}

TEST_F(Editor, ListOperations) {
    struct Row {
        const char* name;
        std::vector<int> commands;
        bool ctrl;
        std::vector<std::u16string> labels;
        int boxes; // "Remove ... ?" questions
    };
    const Row rows[] = {
        {"remove asks, OK removes, the previous one is selected", {RemoveButton}, false, {u"Tools/", u"Tools/Calc"}, 1},
        {"remove with ctrl does not ask", {RemoveButton}, true, {u"Tools/", u"Tools/Calc"}, 0},
        {"separator after a member", {SeparatorButton}, false, {u"Tools/", u"Tools/Calc", u"Top", u"-"}, 0},
        {"column break with ctrl", {SeparatorButton}, true, {u"Tools/", u"Tools/Calc", u"Top", u"|"}, 0},
        {"move up twice", {MoveUpArrow, MoveUpArrow}, false, {u"Top", u"Tools/", u"Tools/Calc"}, 0},
        {"the last entry cannot move down", {MoveDownArrow}, false, {u"Tools/", u"Tools/Calc", u"Top"}, 0},
        {"cancel after new item removes it", {NewItemButton, CancelButton}, false, {u"Tools/", u"Tools/Calc", u"Top"}, 0},
    };
    for (const Row& row : rows) {
        SetUp();
        entries({{u"Tools/", u"submenu", 0}, {u"Tools/Calc", u"calc.exe", 0}, {u"Top", u"top.exe", 0}});
        if (row.ctrl) fake::ui().keysDown = {platform::KeyControl};
        for (int command : row.commands) fake::scriptCommand(command);
        fake::scriptCommand(QuitButton);
        runEditor(2, Host);
        EXPECT_EQ(labels(), row.labels) << row.name;
        EXPECT_EQ(static_cast<int>(fake::dialogs().boxes.size()), row.boxes) << row.name;
        EXPECT_EQ(fake::control(EntryList), nullptr) << row.name << ": the window is gone";
    }
}

TEST_F(Editor, RenamingAHeaderRenamesItsMembersOnly) {
    entries({{u"Tools/", u"submenu", 0}, {u"Tools/Calc", u"calc.exe", 0}, {u"Tools/Paint", u"p.exe", 0},
             {u"Top", u"top.exe", 0}, {u"Tools/Late", u"l.exe", 0}});
    fake::typeText(LabelField, u"Utils/");
    fake::scriptCommand(OkButton);
    fake::scriptCommand(QuitButton);
    runEditor(0, Host);
    EXPECT_EQ(labels(), (std::vector<std::u16string>{u"Utils/", u"Utils/Calc", u"Utils/Paint", u"Top", u"Tools/Late"}));
}

TEST_F(Editor, TypingIntoAnEmptyListMakesTheFirstEntry) {
    fake::typeText(LabelField, u"First");
    fake::scriptCommand(QuitButton);
    fake::scriptCommand(CancelButton);
    fake::scriptCommand(QuitButton);
    runEditor(0, Host);
    EXPECT_TRUE(app.entries.empty()) << "cancel drops the entry that typing made";
    EXPECT_TRUE(app.editor.modified);
}

TEST_F(Editor, PickedFolderMakesAnExplorerEntry) {
    entries({{u"", u"", 0}});
    fake::answerFolderPicker(u"C:\\Data\\");
    fake::clickControl(BrowseDirectoryButton);
    fake::scriptCommand(QuitButton);
    fake::scriptCommand(OkButton);
    fake::scriptCommand(QuitButton);
    fake::putFile(u"C:\\Data", "", 0x10);
    runEditor(0, Host);
    EXPECT_EQ(app.entries[0].label, u"Data");
    EXPECT_EQ(app.entries[0].definition, u"Explorer.exe;/e,;C:\\Data;;");
}

TEST_F(Editor, HelpOpensTheFileOfTheLanguageAndEndsAnEarlierViewer) {
    app.localeLanguageName = u"Deutsch";
    app.programDir = u"C:\\Apps\\";
    fake::scriptCommand(HelpCommand);
    fake::scriptCommand(HelpCommand);
    fake::scriptCommand(QuitButton);
    runEditor(0, Host);
    ASSERT_EQ(fake::shell().opens.size(), 2u);
    EXPECT_EQ(fake::shell().opens[0].file, u"Vorlix-de.chm");
    EXPECT_EQ(fake::shell().opens[0].directory, u"C:\\Apps\\");
    EXPECT_NE(app.helpViewer, 0u);
}

} // namespace
