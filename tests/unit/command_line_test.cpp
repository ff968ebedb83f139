#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "app/command_line.h"
#include "app/startup.h"
#include "core/text.h"
#include "startup_fixture.h"

using namespace vorlix;

namespace {

std::vector<std::u16string> argumentsOf(const std::u16string& text) {
    app.commandLineRest = TextCursor{text, 0};
    std::vector<std::u16string> out;
    for (int guard = 0; guard < 20; ++guard) {
        std::u16string argument = nextArgument();
        if (argument.empty()) break;
        out.push_back(argument);
    }
    return out;
}

} // namespace

TEST(NextArgument, SplitsAtSpacesOutsideQuotesAndDropsEveryQuote) {
    struct Row {
        std::u16string text;
        std::vector<std::u16string> arguments;
    };
    const Row rows[] = {
        {u"", {}},
        {u"   ", {}},
        {u"a b", {u"a", u"b"}},
        {u"  a   b  ", {u"a", u"b"}},
        {u"\"C:\\My Menus\\a b.lst\" /p", {u"C:\\My Menus\\a b.lst", u"/p"}},
        {u"/P\"10,20\"", {u"/P10,20"}},
        {u"a\"b c\"d", {u"ab cd"}},
        {u"a\tb c", {u"a\tb", u"c"}},            // a tab separates nothing
        {u"\"unclosed quote and more", {u"unclosed quote and more"}},
        {u"\"\" after-empty", {}},                // an empty argument reads as the end
        {u"x \"\" y", {u"x"}},
        {std::u16string(u"a\0b c", 5), {u"a"}},   // a zero ends the text
    };
    for (const Row& row : rows) EXPECT_EQ(argumentsOf(row.text), row.arguments) << toUtf8(row.text);
}

TEST(NextArgument, KeepsReturningEmptyOnceUsedUp) {
    const std::u16string texts[] = {u"one", std::u16string(u"one\0two", 7)};
    for (const std::u16string& text : texts) {
        app.commandLineRest = TextCursor{text, 0};
        EXPECT_EQ(nextArgument(), u"one");
        for (int i = 0; i < 3; ++i) EXPECT_EQ(nextArgument(), u"");
    }
}

class ParseCommandLine : public StartupFixture {
protected:
    // Start-up as far as the first parse, with args behind the program's name.
    static void start(const std::u16string& args) {
        commandLine(args);
        initialiseAppState();
    }
};

TEST_F(ParseCommandLine, SwitchesAndMenuFile) {
    struct Row {
        std::u16string args;
        std::uint32_t options;
        std::int32_t x, y, timeout;
        std::u16string menu;
    };
    const std::u16string defaultMenu = u"C:\\Tools\\Vorlix.lst";
    const Row rows[] = {
        {u"", 0, 0, 0, 1000, defaultMenu},
        {u"/p100,200 menu.lst", FixedPosition, 100, 200, 1000, u"C:\\Tools\\menu.lst"},
        {u"/PC-50,10", FixedPosition, 450, 410, 1000, defaultMenu},
        {u"/pc10,-10", FixedPosition, 510, 390, 1000, defaultMenu},
        {u"/P", FixedPosition, 0, 0, 1000, defaultMenu},
        {u"/PX5,6", FixedPosition, 0, 6, 1000, defaultMenu}, // the first letter decides; the value is "X5,6"
        {u"/P7", FixedPosition, 7, 0, 1000, defaultMenu},
        {u"/P5,5 /P", FixedPosition, 0, 0, 1000, defaultMenu},
        {u"/P$10,%11", FixedPosition, 16, 3, 1000, defaultMenu},
        {u"/Pabc,def", FixedPosition, 0, 0, 1000, defaultMenu},
        {u"/T", 0, 0, 0, 0, defaultMenu},
        {u"/T3000", 0, 0, 0, 3000, defaultMenu},
        {u"/t250x", 0, 0, 0, 250, defaultMenu},
        {u"/S", StartEditor, 0, 0, 1000, defaultMenu},
        {u"/S30,40", StartEditor, 30, 40, 1000, defaultMenu},
        {u"/C", CtrlOpensEditor | NoButton, 0, 0, 1000, defaultMenu},
        {u"/N", NoButton, 0, 0, 1000, defaultMenu},
        {u"/NOW", NoButton, 0, 0, 1000, defaultMenu},
        {u"/IS", ShowIcons | AltIconLook, 0, 0, 1000, defaultMenu},
        {u"/isx", ShowIcons | AltIconLook, 0, 0, 1000, defaultMenu},
        {u"/Ix", ShowIcons, 0, 0, 1000, defaultMenu},
        {u"/M", CheckOnly, 0, 0, 1000, defaultMenu},
        {u"/p1,2 /n /i", FixedPosition | NoButton | ShowIcons, 1, 2, 1000, defaultMenu},
        {u"/Q /D / /Z9", 0, 0, 0, 1000, defaultMenu},          // unknown switches are skipped
        {u"\"C:\\My Menus\\a b.lst\"", 0, 0, 0, 1000, u"C:\\My Menus\\a b.lst"},
        {u"first.lst second.txt third.lst", 0, 0, 0, 1000, u"C:\\Tools\\first.lst"},
        {u"\"\" menu.lst /P", 0, 0, 0, 1000, defaultMenu},     // nothing after an empty argument counts
        {u"sub\\..\\m.lst", 0, 0, 0, 1000, u"C:\\Tools\\m.lst"},
        {u"D:\\menus\\m.lst /m", CheckOnly, 0, 0, 1000, u"D:\\menus\\m.lst"},
    };
    for (const Row& row : rows) {
        SetUp();
        fake::environment().fullPaths[u"sub\\..\\m.lst"] = u"C:\\Tools\\m.lst";
        start(row.args);
        parseCommandLine();
        const std::string what = toUtf8(row.args);
        EXPECT_EQ(app.options, row.options) << what;
        EXPECT_EQ(app.positionX, row.x) << what;
        EXPECT_EQ(app.positionY, row.y) << what;
        EXPECT_EQ(app.timeoutMs, row.timeout) << what;
        EXPECT_EQ(app.menuFilePath, row.menu) << what;
        EXPECT_EQ(fake::environment().currentDirectory, u"C:\\Work") << what;
    }
}

TEST_F(ParseCommandLine, CentreOffsetsTruncateTowardZero) {
    struct Row {
        platform::Rect area;
        std::int32_t x, y;
    };
    const Row rows[] = {
        {{0, 0, 1001, 801}, 500, 400},
        {{500, 300, 1000, 800}, 500, 400}, // left and top edges are not used
        {{-2000, -900, -3, -5}, -1, -2},
    };
    for (const Row& row : rows) {
        SetUp();
        start(u"/PC0,0");
        fake::ui().workArea = row.area;
        parseCommandLine();
        EXPECT_EQ(app.positionX, row.x);
        EXPECT_EQ(app.positionY, row.y);
    }
}

TEST_F(ParseCommandLine, CentreUsesTheWorkAreaOfNowAndFallsBackToStartUp) {
    start(u"/PC0,0");
    fake::ui().workArea = {0, 0, 2000, 1000}; // a screen change since start-up
    parseCommandLine();
    EXPECT_EQ(app.positionX, 1000);
    EXPECT_EQ(app.positionY, 500);

    SetUp();
    start(u"/PC0,0");
    fake::ui().workAreaFails = true;
    parseCommandLine();
    EXPECT_EQ(app.positionX, 500);
    EXPECT_EQ(app.positionY, 400);
}

TEST_F(ParseCommandLine, HugeOffsetsWrapInsteadOfOverflowing) {
    start(u"/PC2147483647,-2147483648");
    parseCommandLine();
    EXPECT_EQ(app.positionX, static_cast<std::int32_t>(2147483647u + 500u));
    EXPECT_EQ(app.positionY, static_cast<std::int32_t>(2147483648u + 400u));
}

TEST_F(ParseCommandLine, SecondPositionalArgumentSetsFileAndDir) {
    struct Row {
        std::u16string args;
        std::u16string file, dir;
    };
    const Row rows[] = {
        {u"menu.lst D:\\data\\x.txt", u"D:\\data\\x.txt", u"D:\\data\\"},
        {u"menu.lst \"D:\\my data\\x y.txt\" third.txt", u"D:\\my data\\x y.txt", u"D:\\my data\\"},
        {u"menu.lst x.txt", u"x.txt", u""},
        {u"menu.lst a/b.txt", u"a/b.txt", u"a/"},
        {u"menu.lst", u"<unset>", u"<unset>"},
    };
    for (const Row& row : rows) {
        SetUp();
        start(row.args);
        parseCommandLine();
        EXPECT_EQ(variable(u"file"), row.file) << toUtf8(row.args);
        EXPECT_EQ(variable(u"dir"), row.dir) << toUtf8(row.args);
        EXPECT_EQ(app.menuFilePath, u"C:\\Tools\\menu.lst");
    }
}

TEST_F(ParseCommandLine, WorkingDirectoryModes) {
    struct Row {
        std::u16string args;
        std::u16string directory;
    };
    const Row rows[] = {
        {u"", u"C:\\Work"},
        {u"/DP", u"C:\\Tools"},
        {u"/dp D:\\menus\\m.lst", u"C:\\Tools"},
        {u"/DM D:\\menus\\m.lst", u"D:\\menus"},
        {u"/DM", u"C:\\Tools"},
        {u"/DM /DP", u"C:\\Tools"},
        {u"/DP /DM D:\\m.lst", u"D:\\"},
        {u"/DX", u"C:\\Work"},
    };
    for (const Row& row : rows) {
        SetUp();
        start(row.args);
        parseCommandLine();
        EXPECT_EQ(fake::environment().currentDirectory, row.directory) << toUtf8(row.args);
    }
}

TEST_F(ParseCommandLine, DirectoryThatCannotBeSetIsIgnored) {
    start(u"/DM menu.lst");
    fake::environment().setDirectoryFails = true;
    parseCommandLine();
    EXPECT_EQ(fake::environment().currentDirectory, u"C:\\Work");
    EXPECT_EQ(app.menuFilePath, u"C:\\Work\\menu.lst"); // resolved where the process stands
}

TEST_F(ParseCommandLine, DriveRelocationSwitchStaysOnForLaterCycles) {
    start(u"/V");
    parseCommandLine();
    EXPECT_TRUE(app.driveRelocation);
    EXPECT_EQ(app.options, 0u);
    parseCommandLine();
    EXPECT_TRUE(app.driveRelocation);
}

TEST_F(ParseCommandLine, RestartParsesTheNewTextAndKeepsEarlierValues) {
    start(u"/P10,20 /I /T500 first.lst");
    parseCommandLine();
    ASSERT_EQ(app.options, FixedPosition | ShowIcons);

    parseCommandLine(); // the real command line is used up
    EXPECT_EQ(app.options, 0u);
    EXPECT_EQ(app.menuFilePath, u"C:\\Tools\\first.lst");

    std::u16string parameters = u"other.lst";
    app.commandLineRest = TextCursor{parameters, 0};
    parameters = u"overwritten"; // the cursor owns its copy
    parseCommandLine();
    EXPECT_EQ(app.options, 0u);
    EXPECT_EQ(app.menuFilePath, u"C:\\Tools\\other.lst");
    EXPECT_EQ(app.positionX, 10);
    EXPECT_EQ(app.positionY, 20);
    EXPECT_EQ(app.timeoutMs, 500);
}
