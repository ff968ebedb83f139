#include <gtest/gtest.h>

#include <vector>

#include "core/app_state.h"
#include "core/text.h"
#include "menufile/reader.h"
#include "menufile_test_support.h"
#include "test_support.h"

using namespace vorlix;
using testing_support::bytesOf;
using menufile_testing::MenuPath;

namespace {

class MenuReader : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetAll();
        app.menuFilePath = MenuPath;
    }

    static bool load(const std::string& bytes) {
        fake::putFile(MenuPath, bytes);
        return loadMenuFile();
    }

    static std::vector<std::u16string> labels() {
        std::vector<std::u16string> out;
        for (const MenuEntry& e : app.entries) out.push_back(e.label);
        return out;
    }
};

using Labels = std::vector<std::u16string>;

} // namespace

TEST_F(MenuReader, LinesEndAtLfCrCrLfAndZero) {
    struct Row {
        const char* name;
        std::string bytes;
        Labels labels;
    };
    const Row rows[] = {
        {"LF", "A=x\nB=y\n", {u"A", u"B"}},
        {"CR LF", "A=x\r\nB=y\r\n", {u"A", u"B"}},
        {"CR", "A=x\rB=y\r", {u"A", u"B"}},
        {"zero consumed in an ANSI file", std::string("A=\xC3\0B=y", 7), {u"A", u"B"}},
        {"no final terminator", "A=x\nB=y", {u"A", u"B"}},
        {"LF CR is two ends", "A=x\n\rB=y", {u"A", u"B"}},
        {"mixed and blank", "\r\n  \nA=x\r\r\n\n\n\rB=y\n   \n", {u"A", u"B"}},
        {"zero inside UTF-16", bytesOf({'A', 0, '=', 0, 'x', 0, 0, 0, 'B', 0, '=', 0, 'y', 0}), {u"A", u"B"}},
        {"zero after a UTF-8 mark", std::string("\xEF\xBB\xBF" "A=x\0B=y", 10), {u"A", u"B"}},
        {"only a UTF-16 mark", bytesOf({0xFF, 0xFE}), {}},
        {"only a UTF-8 mark", bytesOf({0xEF, 0xBB, 0xBF}), {}},
        {"empty", "", {}},
    };
    for (const Row& r : rows) {
        EXPECT_TRUE(load(r.bytes)) << r.name;
        EXPECT_EQ(labels(), r.labels) << r.name;
        EXPECT_EQ(app.lineNumber, static_cast<std::int64_t>(r.labels.size())) << r.name;
    }
}

TEST_F(MenuReader, LinesSplitAtTheFirstEqualsAndAreStripped) {
    struct Row {
        const char* line;
        std::u16string label;
        std::u16string definition;
    };
    const Row rows[] = {
        {"Name = notepad.exe ; ; C:\\Temp", u"Name", u"notepad.exe ; ; C:\\Temp"},
        {"a=b=c", u"a", u"b=c"},
        {"=notepad.exe", u"", u"notepad.exe"},
        {"   Tools / Edit   =   notepad.exe   ", u"Tools / Edit", u"notepad.exe"},
        {"\tTab=x\t", u"\tTab", u"x\t"}, // tabs are ordinary characters
        {"-=", u"-", u""},
        {"|=", u"|", u""},
        {"Tools/-=", u"Tools/-", u""},
        {"Tools/|=", u"Tools/|", u""},
        {"- = anything", u"-", u"anything"},
        {"Tools/- = ;x", u"Tools/-", u";x"},
        {"Tools/=submenu;;;;icon.ico", u"Tools/", u"submenu;;;;icon.ico"},
    };
    for (const Row& r : rows) {
        EXPECT_TRUE(load(r.line)) << r.line;
        ASSERT_EQ(app.entries.size(), 1u) << r.line;
        EXPECT_EQ(app.entries[0].label, r.label) << r.line;
        EXPECT_EQ(app.entries[0].definition, r.definition) << r.line;
        EXPECT_EQ(app.entries[0].icon, 0u) << r.line;
    }
}

TEST_F(MenuReader, SyntaxErrorsStopAtTheirNonBlankLineNumber) {
    struct Row {
        const char* name;
        std::string bytes;
        std::int64_t lineNumber;
        Labels keptLabels;
    };
    const std::string equalsAt1023 = std::string(1022, 'x') + "=a";
    const std::string equalsAt1024 = std::string(1023, 'x') + "=a";
    const Row rows[] = {
        {"no equals after a blank line", "A=notepad.exe\n\nB\n", 2, {u"A"}},
        {"only a tab", "\t\n", 1, {}},
        {"empty definition", "A=x\r\nB=\r\nC=y", 2, {u"A"}},
        {"definition of spaces", "B=   ", 1, {}},
        {"definition starting with ;", "A=x\nB=;notepad.exe", 2, {u"A"}},
        {"submenu item without command", "Tools/Edit=", 1, {}},
        {"equals at 1024", equalsAt1024, 1, {}},
        {"equals at 1024 after leading spaces", "   " + equalsAt1024, 1, {}},
        {"blank lines are not counted", "\n\n  \nA=x\n\n\nB=y\n\n\nbad\nC=z", 3, {u"A", u"B"}},
    };
    for (const Row& r : rows) {
        EXPECT_FALSE(load(r.bytes)) << r.name;
        EXPECT_EQ(app.lineNumber, r.lineNumber) << r.name;
        EXPECT_EQ(labels(), r.keptLabels) << r.name;
    }
    EXPECT_TRUE(load(equalsAt1023));
    EXPECT_EQ(app.entries.at(0).label.size(), 1022u);
    EXPECT_TRUE(load("   " + equalsAt1023 + "   ")); // counted in the stripped line
}

TEST_F(MenuReader, AFileThatCannotBeOpenedIsAMissingMenu) {
    ASSERT_TRUE(load("A=x\nB=y\n"));
    app.menuEncoding = MenuEncoding::Utf16Le;
    app.menuHasBom = true;

    fake::files().files.clear();
    EXPECT_TRUE(loadMenuFile());
    EXPECT_TRUE(app.entries.empty());
    EXPECT_EQ(app.lineNumber, 0);

    fake::putFile(MenuPath, "C=z\n");
    fake::findFile(MenuPath)->lockedByOtherProcess = true;
    app.entries.push_back(MenuEntry{u"stale", u"x", 0});
    EXPECT_TRUE(loadMenuFile());
    EXPECT_TRUE(app.entries.empty());
    EXPECT_EQ(app.lineNumber, 0);

    // The encoding of the last file read stays for the file the editor may create.
    EXPECT_EQ(app.menuEncoding, MenuEncoding::Utf16Le);
    EXPECT_TRUE(app.menuHasBom);

    EXPECT_TRUE(load("\r\n   \r\n"));
    EXPECT_EQ(app.lineNumber, 0);
    EXPECT_EQ(app.menuEncoding, MenuEncoding::Utf8);
    EXPECT_FALSE(app.menuHasBom);
}

TEST_F(MenuReader, AnyBytesAreReadWithoutHarm) {
    struct Row {
        const char* name;
        std::string bytes;
        bool ok;
        std::size_t entries;
    };
    std::string longLine = "L=" + std::string(1 << 20, 'x');
    std::string longLineNoEquals(1 << 20, 'x');
    std::string invalidUtf8;
    for (int i = 0; i < 4096; ++i) invalidUtf8 += "A=\xC3\x41\xFF\xE2\x82\n";
    std::string zeros(4096, '\0');
    std::string allBytes;
    for (int i = 0; i < 256; ++i) allBytes += static_cast<char>(i);
    std::string oddUtf16 = bytesOf({0xFF, 0xFE, 'A', 0, '=', 0, 'x', 0, 'B'});
    const Row rows[] = {
        {"1 MB line", longLine, true, 1},
        {"1 MB line without equals", longLineNoEquals, false, 0},
        {"invalid UTF-8 on every line", invalidUtf8, true, 4096},
        {"only zero bytes", zeros, true, 0},
        {"every byte value", allBytes, false, 0},
        {"odd-length UTF-16", oddUtf16, true, 1},
        {"a zero between every byte of a line", bytesOf({'A', 0, '=', 0, 'x'}), true, 1},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(load(r.bytes), r.ok) << r.name;
        EXPECT_EQ(app.entries.size(), r.entries) << r.name;
    }
    // The replacement for the odd byte ends up in the definition, not as a lost line.
    EXPECT_TRUE(load(oddUtf16));
    EXPECT_EQ(app.entries.at(0).definition, u"x\uFFFD");
}

TEST_F(MenuReader, FiftyMegabyteFileIsReadWhole) {
    const std::string line = "Tools/Item=C:\\Programs\\" + std::string(1000, 'p') + ".exe;;;;\r\n";
    std::string bytes;
    bytes.reserve(50u << 20);
    std::size_t lines = 0;
    while (bytes.size() + line.size() <= (50u << 20)) {
        bytes += line;
        ++lines;
    }
    EXPECT_TRUE(load(bytes));
    EXPECT_EQ(app.entries.size(), lines);
    EXPECT_EQ(app.lineNumber, static_cast<std::int64_t>(lines));
    completeSubmenuHeaders();
    EXPECT_EQ(app.entries.size(), lines + 1);
}

TEST_F(MenuReader, MissingSubmenuHeadersAreInserted) {
    struct Row {
        const char* name;
        Labels in;
        Labels out;
    };
    const Row rows[] = {
        {"none missing", {u"A", u"Tools/", u"Tools/Edit", u"Tools/Calc"}, {u"A", u"Tools/", u"Tools/Edit", u"Tools/Calc"}},
        {"one run", {u"A", u"Tools/Edit", u"Tools/Calc"}, {u"A", u"Tools/", u"Tools/Edit", u"Tools/Calc"}},
        {"two runs", {u"Tools/Edit", u"A", u"Tools/Calc"}, {u"Tools/", u"Tools/Edit", u"A", u"Tools/", u"Tools/Calc"}},
        {"letter case only", {u"Tools/Edit", u"tools/Calc"}, {u"Tools/", u"Tools/Edit", u"tools/Calc"}},
        {"header in other case", {u"TOOLS/", u"tools/Edit"}, {u"TOOLS/", u"tools/Edit"}},
        {"next submenu", {u"Tools/", u"Tools/Edit", u"Games/Chess"}, {u"Tools/", u"Tools/Edit", u"Games/", u"Games/Chess"}},
        {"same length other name", {u"Tools/Edit", u"Tales/Calc"}, {u"Tools/", u"Tools/Edit", u"Tales/", u"Tales/Calc"}},
        {"text after a second slash", {u"Tools/Edit/x"}, {u"Tools/", u"Tools/Edit/x"}},
        {"separator in submenu", {u"Tools/-", u"-"}, {u"Tools/", u"Tools/-", u"-"}},
        {"empty", {}, {}},
    };
    for (const Row& r : rows) {
        app.entries.clear();
        for (const std::u16string& label : r.in) app.entries.push_back(MenuEntry{label, u"x.exe", 0});
        completeSubmenuHeaders();
        Labels got = labels();
        EXPECT_EQ(got, r.out) << r.name;
        for (std::size_t i = 0, k = 0; i < app.entries.size(); ++i) {
            if (k < r.in.size() && app.entries[i].label == r.in[k]) {
                EXPECT_EQ(app.entries[i].definition, u"x.exe") << r.name; // moved entries keep their text
                ++k;
            } else {
                EXPECT_EQ(app.entries[i].definition, u"submenu") << r.name;
            }
        }
    }
}

TEST_F(MenuReader, AlternatingSubmenusEachGetAHeader) {
    const std::size_t count = 1000;
    app.entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        app.entries.push_back(MenuEntry{(i % 2 ? u"A/x" : u"B/x"), u"x.exe", 0});
    }
    completeSubmenuHeaders();
    ASSERT_EQ(app.entries.size(), 2 * count);
    EXPECT_EQ(app.entries[0].label, u"B/");
    EXPECT_EQ(app.entries[2 * count - 1].label, u"A/x");
}
