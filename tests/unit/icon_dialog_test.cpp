// The icon button's dialog against the fakes: a case clicks the icon button, plays the user in the
// "Icon Selection" dialog, commits with Ok and looks at the stored icon field, the dialog's window and
// the icon ledger.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/editor_phase.h"
#include "core/app_state.h"
#include "editor/editor.h"
#include "editor/icon_dialog.h"
#include "platform/fake/fake_icons.h"
#include "platform/fake/fake_window_geometry.h"
#include "library_file.h"
#include "test_support.h"

using namespace vorlix;

namespace {

const std::u16string MenuPath = u"C:\\Menus\\Vorlix.lst";
const std::u16string SetDll = u"C:\\icons\\set.dll";
const std::u16string OtherDll = u"C:\\lib\\other.dll";
const EditorHost& Host = programEditorHost();

// The last window with this number among controls, or with this title among top-level windows.
const fake::FakeWindow* lastControl(int number) {
    const fake::FakeWindow* found = nullptr;
    for (const fake::FakeWindow& w : fake::ui().windows)
        if (w.controlId == number && w.parent != 0) found = &w;
    return found;
}
const fake::FakeWindow* lastTopLevel(const std::u16string& title) {
    const fake::FakeWindow* found = nullptr;
    for (const fake::FakeWindow& w : fake::ui().windows)
        if (w.parent == 0 && w.text == title) found = &w;
    return found;
}

class IconDialog : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetAll();
        fake::resetIcons();
        fake::resetWindowGeometry();
        app.menuFilePath = MenuPath;
        app.runModeList = u",min,max,admin";
        app.editorTitle = u"Vorlix - " + MenuPath;
        app.programDir = u"C:\\Apps\\";
        fake::putFile(MenuPath, "");
        fake::putFile(SetDll, testing_support::libraryFile());
        fake::putFile(OtherDll, testing_support::libraryFile());
        // One 16 x 16 image whose 40 bytes lie inside the file.
        std::string ico = testing_support::bytesOf({0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 40, 0, 0, 0, 22, 0, 0, 0});
        fake::putFile(u"C:\\lib\\one.ico", ico + std::string(40, '\0'));
        fake::putFile(u"C:\\lib\\damaged.ico", ico); // its image lies past the end
        fake::putFile(u"C:\\lib\\cut.dll", testing_support::libraryFile().substr(0, 1024)); // a copy cut short
        fake::putFileIcon(u"C:\\lib\\cut.dll", 0);
        fake::putFileIcon(u"C:\\lib\\damaged.ico", 0);
        fake::putFile(u"C:\\lib\\none.exe", testing_support::libraryFile());
        fake::putFile(u"C:\\lib\\many.icl", testing_support::libraryFile());
        fake::putFolder(u"C:\\icons");
        for (int i = 0; i < 8; ++i) fake::putFileIcon(SetDll, i);
        for (int i = 0; i < 13; ++i) fake::putFileIcon(OtherDll, i);
        fake::putFileIcon(u"C:\\lib\\one.ico", 0);
    }
    // Runs the editor on entry A with the icon field given: the icon button is clicked, the dialog gets
    // the scripted steps, then Ok commits whatever the fields hold and Quit leaves.
    void run(const std::u16string& icon, const std::vector<void (*)()>& steps) {
        app.entries = {{u"A", u"a.exe;;;;" + icon, 0}};
        fake::clickControl(IconButton);
        for (auto step : steps) step();
        fake::scriptCommand(OkButton);
        fake::scriptCommand(QuitButton);
        runEditor(0, Host);
    }
    std::u16string storedIcon() const {
        const std::u16string& d = app.entries.at(0).definition;
        return d.substr(d.rfind(u';') + 1);
    }
};

void browseOther() {
    fake::answerFilePicker(OtherDll);
    fake::clickControl(BrowseIconButton);
}
void browseOne() {
    fake::answerFilePicker(u"C:\\lib\\one.ico");
    fake::clickControl(BrowseIconButton);
}
void browseDamaged() {
    fake::answerFilePicker(u"C:\\lib\\damaged.ico");
    fake::clickControl(BrowseIconButton);
}
void browseCut() {
    fake::answerFilePicker(u"C:\\lib\\cut.dll");
    fake::clickControl(BrowseIconButton);
}
void browseNone() {
    fake::answerFilePicker(u"C:\\lib\\none.exe");
    fake::clickControl(BrowseIconButton);
}
void browseCancelled() {
    fake::cancelFilePicker();
    fake::clickControl(BrowseIconButton);
}
void row0() { fake::chooseRow(IconChoiceList, 0); }
void row12() { fake::chooseRow(IconChoiceList, 12); }
void doubleRow4() {
    fake::chooseRow(IconChoiceList, 4);
    fake::scriptControl(IconChoiceList, platform::ControlAction::DoubleClick);
}
void ok() { fake::clickControl(OkIconButton); }
void cancel() { fake::clickControl(CancelIconButton); }
void byDefault() { fake::clickControl(DefaultIconButton); }
void closeBox() { fake::scriptClose(); }

TEST_F(IconDialog, ResultRules) {
    struct Row {
        const char* name;
        std::u16string icon;
        std::vector<void (*)()> steps;
        std::u16string stored;
    };
    const std::u16string start = SetDll + u",7";
    const Row rows[] = {
        {"icon 12 of another file", start, {browseOther, row12, ok}, OtherDll + u",12"},
        {"icon 0 is the bare path", start, {browseOther, row0, ok}, OtherDll},
        {"the first icon is selected after browsing", start, {browseOther, ok}, OtherDll},
        {"a double click accepts", start, {browseOther, doubleRow4}, OtherDll + u",4"},
        {"a one-icon file", u"", {browseOne, ok}, u"C:\\lib\\one.ico"},
        {"Default empties the field", start, {browseOther, byDefault}, u""},
        {"Cancel after browsing changes nothing", start, {browseOther, row12, cancel}, start},
        {"Ok on the current icon changes nothing", start, {ok}, start},
        {"a cancelled browse keeps the current icon", start, {browseCancelled, ok}, start},
        {"no icons: Ok waits, a close request is ignored", start, {browseNone, ok, closeBox, byDefault}, u""},
        {"a damaged icon file is not read", start, {browseDamaged, ok, cancel}, start},
        {"a truncated library is not read", start, {browseCut, ok, cancel}, start},
    };
    for (const Row& row : rows) {
        SetUp();
        run(row.icon, row.steps);
        EXPECT_EQ(fake::ui().refusedActions, std::vector<int>{}) << row.name;
        EXPECT_EQ(storedIcon(), row.stored) << row.name;
        EXPECT_EQ(fake::topLevelWindow(u"Icon Selection"), nullptr) << row.name << ": the dialog is gone";
        EXPECT_TRUE(fake::icons().live.empty()) << row.name << ": every icon is destroyed";
        EXPECT_EQ(fake::icons().badDestroys, 0) << row.name;
    }
}

TEST_F(IconDialog, TheWindowItsListAndWhereBrowseStarts) {
    run(SetDll + u",7", {browseOther, cancel});
    const fake::FakeWindow* editor = lastTopLevel(app.editorTitle);
    const fake::FakeWindow* dialog = lastTopLevel(u"Icon Selection");
    ASSERT_NE(editor, nullptr);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->owner, editor->handle);
    EXPECT_FALSE(dialog->hasSystemMenu) << "title bar only";
    EXPECT_EQ(dialog->clientWidth, 355);
    EXPECT_EQ(dialog->clientHeight, 205);
    EXPECT_TRUE(editor->enabled) << "enabled again after the dialog";
    // Centred on the editor: the two centres meet.
    const fake::Move* editorPlace = nullptr;
    const fake::Move* dialogPlace = nullptr;
    for (const fake::Move& m : fake::ui().moves) {
        if (m.window == editor->handle) editorPlace = &m;
        if (m.window == dialog->handle) dialogPlace = &m;
    }
    ASSERT_NE(editorPlace, nullptr);
    ASSERT_NE(dialogPlace, nullptr);
    const int editorW = editor->clientWidth + 6, editorH = editor->clientHeight + 25;
    EXPECT_EQ(dialogPlace->x, editorPlace->x + (editorW - (355 + 6)) / 2);
    EXPECT_EQ(dialogPlace->y, editorPlace->y + (editorH - (205 + 25)) / 2);
    // The controls in their order, the list with a caption per icon.
    std::vector<std::u16string> captions;
    for (const fake::FakeWindow& w : fake::ui().windows)
        if (w.parent == dialog->handle) captions.push_back(w.text);
    EXPECT_EQ(captions, (std::vector<std::u16string>{u"", u"Browse", u"Default", u"Ok", u"Cancel"}));
    const fake::FakeWindow* list = lastControl(IconChoiceList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->kind, platform::ControlKind::IconList);
    ASSERT_EQ(list->rows.size(), 13u);
    EXPECT_EQ(list->rows[0].text, u"-- 0 --");
    EXPECT_EQ(list->rows[12].text, u"-- 12 --");
    EXPECT_EQ(list->rows[12].iconSource, u"C:\\LIB\\OTHER.DLL,12");
    // Browse opens in the folder of the current icon's file.
    ASSERT_EQ(fake::fileDialogs().fileRequests.size(), 1u);
    const fake::FilePickRequest& asked = fake::fileDialogs().fileRequests[0];
    EXPECT_EQ(asked.owner, dialog->handle);
    EXPECT_EQ(asked.title, u"Icon File");
    EXPECT_EQ(asked.initialFolder, u"C:\\icons\\");
    EXPECT_EQ(asked.filterDescription, u"Icon File");
    EXPECT_EQ(asked.filterPatterns, u"*.exe;*.dll;*.icl;*.ico");
}

TEST_F(IconDialog, CurrentIconFirstBrowseInProgramDirAndAtMost500Icons) {
    for (int i = 0; i < 600; ++i) fake::putFileIcon(u"C:\\lib\\many.icl", i);
    app.entries = {{u"A", u"a.exe", 0}};
    fake::clickControl(IconButton);
    fake::answerFilePicker(u"C:\\lib\\many.icl");
    fake::clickControl(BrowseIconButton);
    fake::clickControl(CancelIconButton);
    fake::scriptCommand(QuitButton);
    runEditor(0, Host);
    ASSERT_EQ(fake::fileDialogs().fileRequests.size(), 1u);
    EXPECT_EQ(fake::fileDialogs().fileRequests[0].initialFolder, u"C:\\Apps\\") << "no icon field: the program's folder";
    EXPECT_EQ(lastControl(IconChoiceList)->rows.size(), 500u);
    EXPECT_TRUE(fake::icons().live.empty());
    EXPECT_EQ(app.editor.editorMode, ListMode) << "Cancel is no edit";
}

} // namespace
