// A drop of many files on the editor's list: one change of the window, not one per file.
#include <gtest/gtest.h>

#include <string>

#include "app/editor_phase.h"
#include "core/app_state.h"
#include "core/text.h"
#include "editor/editor.h"
#include "platform/fake/fake_controls.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_icons.h"
#include "platform/fake/fake_ui.h"
#include "test_support.h"

using namespace vorlix;

namespace {

const std::u16string MenuPath = u"C:\\Menus\\Vorlix.lst";
const EditorHost& Host = programEditorHost();

} // namespace

TEST(DropBatch, ManyFilesBecomeEntriesWithOneIconLookupAndTheWindowDrawingAgain) {
    testing_support::resetAll();
    fake::resetIcons();
    app.menuFilePath = MenuPath;
    app.runModeList = u",min,max,admin";
    app.editorTitle = u"Vorlix - " + MenuPath;
    fake::putFile(MenuPath, "");
    app.entries = {{u"A", u"a.exe", 0}};
    std::u16string dropped;
    for (int i = 0; i < 200; ++i) {
        const std::u16string file = u"C:\\Notes\\note" + toDecimal(i) + u".txt";
        fake::putFile(file, "x");
        dropped += (dropped.empty() ? u"" : u"\n") + file;
    }
    fake::scriptDrop(EntryList, dropped);
    fake::scriptCommand(QuitButton);
    runEditor(0, Host);
    ASSERT_EQ(app.entries.size(), 201u);
    EXPECT_EQ(app.entries.back().definition, u"C:\\Notes\\note199.txt;;;;");
    // The first entry's icon at the opening, the last file's at the end of the drop and as the selection
    // is shown again: never one per file.
    EXPECT_LE(fake::icons().shellRequests.size(), 4u);
    for (const fake::FakeWindow& w : fake::ui().windows) EXPECT_FALSE(w.redrawPaused) << toUtf8(w.text);
}
