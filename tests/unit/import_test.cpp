// Importing dropped files into the editor: the URL line of Internet shortcuts, the extension rule, and
// what shortcuts, Internet shortcuts, folders and plain files make of an entry, through the fakes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/editor_phase.h"
#include "core/app_state.h"
#include "core/text.h"
#include "editor/editor.h"
#include "editor/file_import.h"
#include "platform/fake/fake_menus.h"
#include "platform/fake/fake_shell_links.h"
#include "test_support.h"

using namespace vorlix;

namespace {

TEST(UrlFiles, TheFirstLineBeginningWithUrlGivesTheAddress) {
    struct Row {
        const char* name;
        std::string bytes;
        std::u16string address;
    };
    const Row rows[] = {
        {"the usual file", "[InternetShortcut]\r\nURL=http://a.example/\r\nIconIndex=0\r\n", u"http://a.example/"},
        {"lower case is no address line", "[InternetShortcut]\r\nurl=http://a.example/\r\n", u""},
        {"mixed case neither, a later line is", "Url=x\nURL=y\n", u"y"},
        {"a blank after = stays", "URL= http://a.example/  \r\n", u" http://a.example/"},
        {"spaces around the line go", "   URL=http://a.example/\n", u"http://a.example/"},
        {"a tab is no space", "\tURL=http://a.example/\n", u""},
        {"CR alone ends a line", "X=1\rURL=first\rURL=second", u"first"},
        {"the last line needs no end", "[InternetShortcut]\nURL=last", u"last"},
        {"no byte-order mark is looked for", "\xEF\xBB\xBFURL=marked\r\n", u""},
        {"UTF-8 text", "URL=http://caf\xC3\xA9.example/\r\n", u"http://caf\u00E9.example/"},
        {"a broken sequence is replaced", "URL=a\xFF" "b\r\n", u"a\uFFFDb"},
        {"an empty address", "URL=\r\nURL=later\r\n", u""},
        {"an empty file", "", u""},
    };
    for (const Row& row : rows) EXPECT_EQ(addressOfUrlFile(row.bytes), row.address) << row.name;
}

TEST(Extensions, TheTextAfterTheLastDotUnlessASpaceOrSlashFollowsIt) {
    struct Row {
        std::u16string path;
        std::u16string extension;
    };
    const Row rows[] = {
        {u"C:\\Links\\Site.url", u"url"},  {u"C:\\Links\\Read.me.URL", u"url"}, {u"C:\\A\\Tool.LnK", u"lnk"},
        {u"C:\\A\\Old.pif", u"pif"},       {u"C:\\dir.d\\file", u""},           {u"C:/dir.d/file", u""},
        {u"C:\\A\\name.url x", u""},       {u"C:\\A\\name. url", u""},          {u"C:\\A\\noextension", u""},
        {u"C:\\A\\trailing.", u""},        {u"", u""},
    };
    for (const Row& row : rows) EXPECT_EQ(lowerCase(extensionOf(row.path)), row.extension) << std::string(row.path.begin(), row.path.end());
}

// A control of the editor that ran last, also after its window has gone.
std::u16string lastText(int number) {
    const fake::FakeWindow* found = nullptr;
    for (const fake::FakeWindow& w : fake::ui().windows)
        if (w.controlId == number && w.parent != 0) found = &w;
    return found ? found->text : u"(none)";
}

const std::u16string MenuPath = u"C:\\Menus\\Vorlix.lst";
const EditorHost& Host = programEditorHost();

class Import : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetAll();
        fake::resetShellLinks();
        app.menuFilePath = MenuPath;
        app.runModeList = u",min,max,admin";
        app.editorTitle = u"Vorlix - " + MenuPath;
        fake::putFile(MenuPath, "");
        fake::putFolder(u"C:\\Work");
        fake::putFolder(u"C:\\Data");
        fake::putFile(u"C:\\Tools\\tool.exe", "MZ");
        fake::putFile(u"C:\\Notes\\todo.txt", "x");
        fake::putShortcut(u"C:\\Links\\My Tool.lnk", u"C:\\Tools\\tool.exe", u"-a -b", u"C:\\Work");
        fake::putShortcut(u"C:\\Links\\Old Tool.PIF", u"C:\\Tools\\tool.exe", u"/old", u"");
        fake::putShortcut(u"C:\\Links\\Data.lnk", u"C:\\Data", u"", u"");
        fake::putShortcut(u"C:\\Links\\Printer.lnk", u""); // no file-system target
        fake::putFile(u"C:\\Links\\My Tool.lnk", "L");
        fake::putFile(u"C:\\Links\\Broken.lnk", "L"); // the shell cannot load it
        fake::putFile(u"C:\\Links\\Printer.lnk", "L");
        fake::putFile(u"C:\\Links\\Site.URL", "[InternetShortcut]\r\nURL=http://site.example/\r\n");
        fake::putFile(u"C:\\Links\\Blank.url", "[InternetShortcut]\r\nURL= http://blank.example/\r\n");
        fake::putFile(u"C:\\Links\\Lower.url", "[InternetShortcut]\r\nurl=http://lower.example/\r\n");
        fake::putFile(u"C:\\Links\\Held.url", "URL=http://held.example/\r\n");
        fake::findFile(u"C:\\Links\\Held.url")->lockedByOtherProcess = true;
        app.entries = {{u"A", u"a.exe", 0}, {u"B", u"b.exe", 0}};
    }
};

TEST_F(Import, FilesDroppedOnTheListBecomeEntriesInDropOrderAfterTheSelectedRow) {
    struct Row {
        std::u16string file;
        std::u16string label, definition;
    };
    const Row rows[] = {
        {u"C:\\Links\\My Tool.lnk", u"My Tool", u"C:\\Tools\\tool.exe;-a -b;C:\\Work;;"},
        {u"C:\\Links\\Old Tool.PIF", u"Old Tool", u"C:\\Tools\\tool.exe;/old;;;"},
        {u"C:\\Links\\Data.lnk", u"Data", u"C:\\Data;;;;"}, // a shortcut's folder is the command itself
        {u"C:\\Links\\Broken.lnk", u"Broken", u"C:\\Links\\Broken.lnk;;;;"},
        {u"C:\\Links\\Printer.lnk", u"Printer", u"C:\\Links\\Printer.lnk;;;;"},
        {u"C:\\Links\\Site.URL", u"Site", u"http://site.example/;;;;"},
        {u"C:\\Links\\Blank.url", u"Blank", u"http://blank.example/;;;;"}, // the blank goes at commit
        {u"C:\\Links\\Held.url", u"Held", u"C:\\Links\\Held.url;;;;"},     // cannot be opened: stands for itself
        {u"C:\\Data", u"Data", u"Explorer.exe;/e,;C:\\Data;;"},
        {u"C:\\Notes\\todo.txt", u"todo", u"C:\\Notes\\todo.txt;;;;"},
    };
    std::u16string dropped;
    for (const Row& row : rows) dropped += (dropped.empty() ? u"" : u"\n") + row.file;
    fake::scriptDrop(EntryList, dropped);
    fake::scriptCommand(QuitButton);
    runEditor(0, Host);
    EXPECT_EQ(fake::ui().refusedActions, std::vector<int>{});
    ASSERT_EQ(app.entries.size(), std::size(rows) + 2);
    EXPECT_EQ(app.entries.front().label, u"A");
    EXPECT_EQ(app.entries.back().label, u"B");
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(app.entries[i + 1].label, rows[i].label) << i;
        EXPECT_EQ(app.entries[i + 1].definition, rows[i].definition) << i;
    }
    EXPECT_EQ(fake::dialogs().beeps, 0);
    EXPECT_EQ(fake::shellLinks().requests.size(), 5u) << "only .lnk and .pif files are read as shortcuts";
    EXPECT_FALSE(fake::ui().foregroundRequests.empty());
}

TEST_F(Import, FirstFileDroppedOnTheCommandFieldFillsTheControls) {
    struct Row {
        const char* name;
        std::u16string files;
        std::u16string command, parameters, directory;
    };
    const Row rows[] = {
        {"shortcut", u"C:\\Links\\My Tool.lnk\nC:\\Notes\\todo.txt", u"C:\\Tools\\tool.exe", u"-a -b", u"C:\\Work"},
        {"address with a blank", u"C:\\Links\\Blank.url", u" http://blank.example/", u"old", u"C:\\Old"},
        {"lower-case address line", u"C:\\Links\\Lower.url", u"", u"old", u"C:\\Old"},
        {"folder with a command", u"C:\\Data", u"a.exe", u"old", u"C:\\Data"},
    };
    for (const Row& row : rows) {
        SetUp();
        app.entries = {{u"A", u"a.exe;old;C:\\Old", 0}};
        fake::scriptDrop(CommandField, row.files);
        fake::scriptClose(); // nothing is stored yet, so nothing is asked
        runEditor(0, Host);
        EXPECT_EQ(fake::ui().refusedActions, std::vector<int>{}) << row.name;
        EXPECT_EQ(app.editor.editorMode, EditMode) << row.name;
        EXPECT_EQ(lastText(CommandField), row.command) << row.name;
        EXPECT_EQ(lastText(ParametersField), row.parameters) << row.name;
        EXPECT_EQ(lastText(DirectoryField), row.directory) << row.name;
        EXPECT_EQ(lastText(LabelField), u"A") << row.name << ": a label stays";
        EXPECT_EQ(app.entries[0].definition, u"a.exe;old;C:\\Old") << row.name;
    }
}

} // namespace
