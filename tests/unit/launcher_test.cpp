#include <gtest/gtest.h>

#include <optional>

#include "core/app_state.h"
#include "core/text.h"
#include "launch/launcher.h"
#include "platform/fake/fake_shell.h"
#include "platform/fake/fake_window_geometry.h"
#include "test_support.h"

using namespace vorlix;

namespace {

constexpr platform::WindowHandle MainWindow = 0x77;
constexpr platform::WindowHandle EditorWindow = 0x88;

struct Expected {
    const char16_t* verb;
    const char16_t* file;
    const char16_t* parameters;
    const char16_t* directory;
    int show;
};

struct LaunchRow {
    const char* name;
    const char16_t* definition;
    int modifiers;
    int result;
    std::optional<Expected> request; // none: nothing may reach the shell
};

class Launcher : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetAll();
        fake::resetShell();
        fake::resetWindowGeometry();
        app.mainWindow = MainWindow;
        app.programPath = u"C:\\Tools\\Vorlix.exe";
        fake::environment().currentDirectory = u"C:\\Work";
        fake::environment().variables[u"TOOLS"] = u"C:\\Tools";
        fake::environment().fullPaths[u"C:\\Windows\\..\\Windows\\notepad.exe"] = u"C:\\Windows\\notepad.exe";
        fake::putFile(u"C:\\Tools\\x.exe", "MZ");
        fake::putFile(u"C:\\Links\\app.lnk", "L");
        fake::putFile(u"C:\\Work\\readme.txt", "hello");
        fake::putFolder(u"C:\\Data");
    }

    int launch(const char16_t* definition, int modifiers, const char16_t* label = u"Item") {
        app.entries = {{u"First", u"notepad.exe"}, {label, definition}};
        return launchEntry(1, modifiers);
    }

    void expectOnly(const Expected& e, const char* name) {
        const auto& requests = fake::shell().requests;
        ASSERT_EQ(requests.size(), 1u) << name;
        const fake::ShellRequest& r = requests[0];
        EXPECT_EQ(r.owner, MainWindow) << name;
        EXPECT_EQ(toUtf8(r.verb), toUtf8(e.verb)) << name;
        EXPECT_EQ(toUtf8(r.file), toUtf8(e.file)) << name;
        EXPECT_EQ(toUtf8(r.parameters), toUtf8(e.parameters)) << name;
        EXPECT_EQ(toUtf8(r.directory), toUtf8(e.directory)) << name;
        EXPECT_EQ(r.show, e.show) << name;
    }

    void run(const LaunchRow& row) {
        fake::resetShell();
        EXPECT_EQ(launch(row.definition, row.modifiers), row.result) << row.name;
        if (row.request) expectOnly(*row.request, row.name);
        else EXPECT_TRUE(fake::shell().requests.empty()) << row.name;
    }
};

TEST_F(Launcher, CommandsPathsAndDirectories) {
    const LaunchRow rows[] = {
        {"bare name gets no directory", u"notepad.exe;a.txt", 0, Quit,
         Expected{u"", u"notepad.exe", u"a.txt", u"", 1}},
        {"path starts in its own folder", u"C:\\Tools\\x.exe;-a", 0, Quit,
         Expected{u"", u"C:\\Tools\\x.exe", u"-a", u"C:\\Tools\\", 1}},
        {"named directory wins", u"C:\\Tools\\x.exe;;D:\\Run", 0, Quit,
         Expected{u"", u"C:\\Tools\\x.exe", u"", u"D:\\Run", 1}},
        {"the path as the system completes it starts", u"C:\\Windows\\..\\Windows\\notepad.exe", 0, Quit,
         Expected{u"", u"C:\\Windows\\notepad.exe", u"", u"C:\\Windows\\", 1}},
        {"relative path against the working directory", u"bin\\y.exe", 0, Quit,
         Expected{u"", u"C:\\Work\\bin\\y.exe", u"", u"C:\\Work\\bin\\", 1}},
        {"variables are expanded first", u"%TOOLS%\\x.exe", 0, Quit,
         Expected{u"", u"C:\\Tools\\x.exe", u"", u"C:\\Tools\\", 1}},
        {"shortcut loses the named directory", u"C:\\Links\\app.lnk;;C:\\Data", 0, Quit,
         Expected{u"", u"C:\\Links\\app.lnk", u"", u"", 1}},
        {"shortcut extension in capitals", u"C:\\Links\\..\\Links\\App.LNK;;C:\\Data", 0, Quit,
         Expected{u"", u"C:\\Links\\..\\Links\\App.LNK", u"", u"", 1}},
        {"a dot followed by a blank is no extension", u"C:\\My.lnk dir\\tool", 0, Quit,
         Expected{u"", u"C:\\My.lnk dir\\tool", u"", u"C:\\My.lnk dir\\", 1}},
        {"slash path is left alone", u"C:/Tools/x.exe", 0, Quit,
         Expected{u"", u"C:/Tools/x.exe", u"", u"", 1}},
        {"web link", u"https://example.org/a?b=1", 0, Quit,
         Expected{u"", u"https://example.org/a?b=1", u"", u"", 1}},
        {"mail link", u"mailto:someone@example.org", 0, Quit,
         Expected{u"", u"mailto:someone@example.org", u"", u"", 1}},
        {"explorer with switches", u"explorer.exe;/e,;C:\\Data", 0, Quit,
         Expected{u"", u"explorer.exe", u"/e, C:\\Data", u"", 1}},
        {"explorer without switches", u"explorer.exe;;C:\\Data", 0, Quit,
         Expected{u"", u"explorer.exe", u" C:\\Data", u"", 1}},
        {"explorer with a path is not resolved", u"C:\\Windows\\..\\Windows\\explorer.exe;/root,;C:\\Data", 0, Quit,
         Expected{u"", u"C:\\Windows\\..\\Windows\\explorer.exe", u"/root, C:\\Data", u"", 1}},
    };
    for (const LaunchRow& row : rows) run(row);
}

TEST_F(Launcher, RunModesAndModifiers) {
    const LaunchRow rows[] = {
        {"min", u"notepad.exe;;;min", 0, Quit, Expected{u"", u"notepad.exe", u"", u"", 2}},
        {"max", u"notepad.exe;;;max", 0, Quit, Expected{u"", u"notepad.exe", u"", u"", 3}},
        {"admin", u"notepad.exe;;;admin", 0, Quit, Expected{u"runAS", u"notepad.exe", u"", u"", 1}},
        {"capitals are normal", u"notepad.exe;;;Max", 0, Quit, Expected{u"", u"notepad.exe", u"", u"", 1}},
        {"leading blank is normal", u"notepad.exe;;; max", 0, Quit, Expected{u"", u"notepad.exe", u"", u"", 1}},
        {"unknown mode is normal", u"notepad.exe;;;hidden", 0, Quit, Expected{u"", u"notepad.exe", u"", u"", 1}},
        {"shift+ctrl elevates", u"notepad.exe", 3, Quit, Expected{u"runAS", u"notepad.exe", u"", u"", 1}},
        {"shift+ctrl keeps min", u"notepad.exe;;;min", 3, Quit, Expected{u"runAS", u"notepad.exe", u"", u"", 2}},
        {"shift+ctrl keeps max", u"notepad.exe;;;max", 3, Quit, Expected{u"runAS", u"notepad.exe", u"", u"", 3}},
        {"ctrl alone changes nothing", u"notepad.exe;;;min", 2, Quit, Expected{u"", u"notepad.exe", u"", u"", 2}},
        {"shift on a file opens its folder, run mode ignored", u"C:\\Tools\\x.exe;-a;;max", 1, Quit,
         Expected{u"", u"C:\\Tools\\", u"-a", u"C:\\Tools\\", 1}},
        {"shift on a shortcut file opens its folder", u"C:\\Links\\app.lnk", 1, Quit,
         Expected{u"", u"C:\\Links\\", u"", u"", 1}},
        {"shift on a folder starts it", u"C:\\Data;;;max", 1, Quit, Expected{u"", u"C:\\Data", u"", u"C:\\", 3}},
        {"shift on a missing file starts it", u"C:\\Tools\\gone.exe;;;min", 1, Quit,
         Expected{u"", u"C:\\Tools\\gone.exe", u"", u"C:\\Tools\\", 2}},
        {"shift on a link starts it", u"https://example.org", 1, Quit,
         Expected{u"", u"https://example.org", u"", u"", 1}},
        {"shift on a bare name in the working directory", u"readme.txt", 1, Quit,
         Expected{u"", u"C:\\Work", u"", u"", 1}},
    };
    for (const LaunchRow& row : rows) run(row);
}

TEST_F(Launcher, KeywordsAndEntriesThatStartNothing) {
    const LaunchRow rows[] = {
        {"configuration", u"Configuration", 0, OpenEditor, std::nullopt},
        {"setup alias", u"Setup", 3, OpenEditor, std::nullopt},
        {"files", u"files;*.txt;C:\\Data", 0, Quit, std::nullopt},
        {"cancel", u"Cancel", 1, Quit, std::nullopt},
    };
    for (const LaunchRow& row : rows) run(row);

    app.entries = {{u"-", u"notepad.exe"}};
    EXPECT_EQ(launchEntry(0, 0), Quit);
    EXPECT_EQ(launchEntry(1, 0), Quit);
    EXPECT_EQ(launchEntry(-1, 0), Quit);
    EXPECT_TRUE(fake::shell().requests.empty());
}

TEST_F(Launcher, SubmenuSeparatorTestedFromTheEditorReachesTheShell) {
    // Only a whole label of "-" is caught; the shell refuses the empty command.
    fake::shell().defaultResult = 2;
    EXPECT_EQ(launch(u"", 0, u"Tools/-"), LaunchFailed);
    ASSERT_EQ(fake::shell().requests.size(), 1u);
    EXPECT_EQ(fake::shell().requests[0].file, u"");
}

TEST_F(Launcher, ShellResultDecides) {
    const struct { std::intptr_t answer; int result; } rows[] = {{42, Quit}, {33, Quit}, {32, LaunchFailed},
                                                                 {2, LaunchFailed}, {0, LaunchFailed}};
    for (const auto& row : rows) {
        fake::shell().results.push_back(row.answer);
        EXPECT_EQ(launch(u"notepad.exe", 0), row.result) << row.answer;
    }
}

TEST_F(Launcher, RequestsLongerThanWindowsStartsAreRefused) {
    const std::u16string folder = u"C:\\Tools\\";
    const std::u16string file = folder + std::u16string(32766 - folder.size(), u'a');     // 32,766 + zero
    const std::u16string x = u"C:\\Tools\\x.exe;";
    const struct { const char* name; std::u16string definition; int result; } rows[] = {
        {"longest file", file, Quit},
        {"one character more", file + u"a", LaunchFailed},
        {"address", u"https://example.com/?q=" + std::u16string(40000, u'q'), LaunchFailed},
        {"longest parameters", x + std::u16string(32766 - 15, u'p'), Quit},
        {"parameters one more", x + std::u16string(32766 - 14, u'p'), LaunchFailed},
    };
    for (const auto& r : rows) {
        fake::resetShell();
        EXPECT_EQ(launch(r.definition.c_str(), 0), r.result) << r.name;
        EXPECT_EQ(fake::shell().requests.size(), r.result == Quit ? 1u : 0u) << r.name;
    }
}

TEST_F(Launcher, VorlixEntryRestartsOrStartsASecondCopyFromTheEditor) {
    // Chosen in the popup: the parameters become the next command line.
    app.commandLineRest = {u"old rest", 4};
    EXPECT_EQ(launch(u"vorlix;D:\\Menus\\b.lst /n", 0), Restart);
    EXPECT_EQ(app.commandLineRest.text, u"D:\\Menus\\b.lst /n");
    EXPECT_EQ(app.commandLineRest.pos, 0u);
    EXPECT_TRUE(fake::shell().requests.empty());

    // An editor handle whose window is gone counts as no editor.
    app.editorWindow = EditorWindow;
    EXPECT_EQ(launch(u"vorlix;c.lst", 0), Restart);
    EXPECT_EQ(app.commandLineRest.text, u"c.lst");

    const struct { platform::Rect editor; const char16_t* parameters; } rows[] = {
        {{100, 200, 700, 600}, u"D:\\Menus\\b.lst /n /s130,230"},
        {{-50, -10, 400, 300}, u"D:\\Menus\\b.lst /n /s-20,20"},
    };
    for (const auto& row : rows) {
        fake::resetShell();
        fake::windowGeometry().rects[EditorWindow] = row.editor;
        app.commandLineRest = {u"unchanged", 0};
        EXPECT_EQ(launch(u"vorlix;D:\\Menus\\b.lst /n;;max", 0), Quit);
        expectOnly({u"", u"C:\\Tools\\Vorlix.exe", row.parameters, u"", 3}, toUtf8(row.parameters).c_str());
        EXPECT_EQ(app.commandLineRest.text, u"unchanged");
    }
}

class FolderItems : public Launcher {
protected:
    void list(const char16_t* opener) {
        fake::resetShell();
        FolderSubmenu other;
        other.folder = u"C:\\Other\\";
        FolderSubmenu shown;
        shown.folder = u"C:\\Data\\";
        shown.opener = opener;
        app.folderSubmenus = {other, shown};
        app.currentFolderSubmenu = 1;
        app.folderItems = {u"a.txt", u"b c.txt"};
    }
};

TEST_F(FolderItems, OpenerRule) {
    const struct { const char16_t* opener; Expected request; } rows[] = {
        {u"", {u"", u"C:\\Data\\b c.txt", u"", u"", 1}},
        {u"   ", {u"", u"C:\\Data\\b c.txt", u"", u"", 1}},
        {u"\"C:\\Program Files\\Ed\\ed.exe\"", {u"", u"C:\\Program Files\\Ed\\ed.exe", u"\"b c.txt\"", u"C:\\Data\\", 1}},
        {u"ed.exe", {u"", u"ed.exe", u"\"b c.txt\"", u"C:\\Data\\", 1}},
        // Arguments are not split off: the whole text is the program, and the shell decides.
        {u"\"ed.exe\" -r", {u"", u"ed.exe  -r", u"\"b c.txt\"", u"C:\\Data\\", 1}},
    };
    for (const auto& row : rows) {
        list(row.opener);
        launchFolderItem(1);
        expectOnly(row.request, toUtf8(row.opener).c_str());
    }
}

TEST_F(FolderItems, StalePositionsStartNothing) {
    list(u"");
    fake::shell().defaultResult = 2; // a refusal is not reported either
    launchFolderItem(0);
    EXPECT_EQ(fake::shell().requests.size(), 1u);
    for (std::int64_t position : {std::int64_t{2}, std::int64_t{-1}}) {
        list(u"");
        launchFolderItem(position);
        EXPECT_TRUE(fake::shell().requests.empty()) << position;
    }
    list(u"");
    app.currentFolderSubmenu = 5;
    launchFolderItem(0);
    EXPECT_TRUE(fake::shell().requests.empty());
}

} // namespace
