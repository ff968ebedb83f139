// The bytes of a saved menu file: line form, every encoding and mark, the forms that would not read back,
// and round trips through the reader.
#include <gtest/gtest.h>

#include <vector>

#include "core/app_state.h"
#include "core/text.h"
#include "menufile/menu_bytes.h"
#include "menufile/reader.h"
#include "menufile/writer.h"
#include "menufile_test_support.h"
#include "test_support.h"

using namespace vorlix;
using testing_support::bytesOf;
using namespace menufile_testing;

namespace {

std::vector<MenuEntry> entriesOf(std::initializer_list<std::pair<const char16_t*, const char16_t*>> lines) {
    std::vector<MenuEntry> out;
    for (auto& [label, definition] : lines) out.push_back(MenuEntry{label, definition, 0});
    return out;
}

// The test's own encoder of raw file text, independent of the writer's.
std::string rawBytes(std::u16string_view text, MenuEncoding encoding, bool hasBom) {
    std::string raw;
    switch (encoding) {
    case MenuEncoding::Utf8: raw = (hasBom ? "\xEF\xBB\xBF" : "") + toUtf8(text); break;
    case MenuEncoding::Utf16Le:
        raw = (hasBom ? "\xFF\xFE" : "") + menufile_testing::utf16LeBytes(text);
        break;
    case MenuEncoding::Ansi:
        for (char16_t c : text) raw.push_back(static_cast<char>(c)); // the fake's code page is Latin-1
        break;
    }
    return raw;
}

} // namespace

TEST(MenuFileText, OneLinePerLabelledEntryWithoutTrailingSemicolons) {
    struct Row {
        const char* name;
        std::vector<MenuEntry> entries;
        const char* text;
    };
    const Row rows[] = {
        {"trailing fields dropped", entriesOf({{u"A", u"notepad.exe;;;;"}}), "A=notepad.exe\r\n"},
        {"header without icon", entriesOf({{u"Tools/", u"submenu;;;;"}}), "Tools/=submenu\r\n"},
        {"header with icon keeps its separators", entriesOf({{u"Tools/", u"submenu;;;;x.ico"}}),
         "Tools/=submenu;;;;x.ico\r\n"},
        {"only separators", entriesOf({{u"X", u";;;"}}), "X=\r\n"},
        {"inner empty fields stay", entriesOf({{u"A", u"a;;c;;"}}), "A=a;;c\r\n"},
        {"separator line", entriesOf({{u"-", u""}, {u"Tools/-", u""}}), "-=\r\nTools/-=\r\n"},
        {"empty label dropped", entriesOf({{u"", u"calc.exe"}, {u"B", u"b"}}), "B=b\r\n"},
        {"further = and DEL kept", entriesOf({{u"a", u"b=c;x\x7Fy"}}), "a=b=c;x\x7Fy\r\n"},
        {"trailing space before ; kept", entriesOf({{u"A", u"x ; ;"}}), "A=x ; \r\n"},
        {"no entries", {}, ""},
    };
    for (const Row& r : rows) EXPECT_EQ(toUtf8(menuFileText(r.entries)), r.text) << r.name;
}

TEST(MenuFileBytesOut, EveryEncodingAndMarkChoice) {
    const auto entries = entriesOf({{u"\u00c4pfel", u"a.exe;p"}});
    struct Row {
        MenuEncoding encoding;
        bool hasBom;
        std::string bytes;
    };
    const Row rows[] = {
        {MenuEncoding::Utf8, true, "\xEF\xBB\xBF\xC3\x84pfel=a.exe;p\r\n"},
        {MenuEncoding::Utf8, false, "\xC3\x84pfel=a.exe;p\r\n"},
        {MenuEncoding::Utf16Le, true,
         bytesOf({0xFF, 0xFE, 0xC4, 0, 'p', 0, 'f', 0, 'e', 0, 'l', 0, '=', 0, 'a', 0, '.', 0, 'e', 0, 'x', 0, 'e', 0,
                  ';', 0, 'p', 0, '\r', 0, '\n', 0})},
        {MenuEncoding::Utf16Le, false,
         bytesOf({0xC4, 0, 'p', 0, 'f', 0, 'e', 0, 'l', 0, '=', 0, 'a', 0, '.', 0, 'e', 0, 'x', 0, 'e', 0, ';', 0, 'p',
                  0, '\r', 0, '\n', 0})},
        // The fake's code page is Latin-1; an ANSI file never has a mark, whatever the flag says.
        {MenuEncoding::Ansi, false, "\xC4pfel=a.exe;p\r\n"},
        {MenuEncoding::Ansi, true, "\xC4pfel=a.exe;p\r\n"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(hex(encodeMenuFile(entries, r.encoding, r.hasBom)), hex(r.bytes)) << nameOf(r.encoding) << r.hasBom;
        MenuFileBytes chosen = menuFileBytes(entries, r.encoding, r.hasBom);
        EXPECT_EQ(hex(chosen.bytes), hex(r.bytes)) << nameOf(r.encoding) << r.hasBom;
        EXPECT_EQ(chosen.encoding, r.encoding);
        EXPECT_EQ(chosen.hasBom, r.hasBom && r.encoding != MenuEncoding::Ansi);
    }
}

TEST(MenuFileBytesOut, FormsThatWouldNotReadBackBecomeUtf8WithMark) {
    struct Row {
        const char* name;
        std::vector<MenuEntry> entries;
        MenuEncoding encoding;
        bool hasBom;
        bool keepsForm;
    };
    const Row rows[] = {
        {"ANSI lacks the character", entriesOf({{u"\u4e2d", u"x.exe"}}), MenuEncoding::Ansi, false, false},
        {"ANSI lacks a character of the definition", entriesOf({{u"A", u"\u20ac.exe"}}), MenuEncoding::Ansi, false,
         false},
        // C3 A4 in the code page is also valid UTF-8: the reader would show another text.
        {"ANSI bytes that look like UTF-8", entriesOf({{u"\u00c3\u00a4", u"x.exe"}}), MenuEncoding::Ansi, false, false},
        {"ANSI with a lone high byte", entriesOf({{u"\u00e4", u"x.exe"}}), MenuEncoding::Ansi, false, true},
        {"ANSI of ASCII only", entriesOf({{u"A", u"x.exe"}}), MenuEncoding::Ansi, false, true},
        {"UTF-8 text that begins like a mark", entriesOf({{u"\ufeffA", u"x.exe"}}), MenuEncoding::Utf8, false, false},
        {"UTF-16 text that begins like a mark", entriesOf({{u"\ufeffA", u"x.exe"}}), MenuEncoding::Utf16Le, false,
         false},
        {"UTF-16 without mark, nothing to write", {}, MenuEncoding::Utf16Le, false, true},
        {"UTF-16 without mark, CJK only", entriesOf({{u"\u4e2d\u6587", u"\u4e2d.exe"}}), MenuEncoding::Utf16Le, false,
         true},
        {"UTF-8 without mark", entriesOf({{u"\u4e2d", u"x.exe"}}), MenuEncoding::Utf8, false, true},
    };
    for (const Row& r : rows) {
        MenuFileBytes chosen = menuFileBytes(r.entries, r.encoding, r.hasBom);
        if (r.keepsForm) {
            EXPECT_EQ(chosen.encoding, r.encoding) << r.name;
            EXPECT_EQ(chosen.hasBom, r.hasBom) << r.name;
            EXPECT_EQ(chosen.bytes, encodeMenuFile(r.entries, r.encoding, r.hasBom)) << r.name;
        } else {
            EXPECT_EQ(chosen.encoding, MenuEncoding::Utf8) << r.name;
            EXPECT_TRUE(chosen.hasBom) << r.name;
            EXPECT_EQ(chosen.bytes, encodeMenuFile(r.entries, MenuEncoding::Utf8, true)) << r.name;
        }
    }
}

namespace {

class MenuRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetAll();
        app.menuFilePath = MenuPath;
        // Start-up defaults for a menu file that was never read.
        app.menuEncoding = MenuEncoding::Utf8;
        app.menuHasBom = true;
    }

    static bool readBack() {
        if (!loadMenuFile()) return false;
        completeSubmenuHeaders();
        return true;
    }
};

} // namespace

TEST_F(MenuRoundTrip, ReadThenSavedKeepsFormAndNormalisesLines) {
    // Loose spacing, blank lines, trailing ";", an empty label and a submenu item without its header.
    const std::u16string source =
        u"  A = notepad.exe;;;;  \r\n\r\n\u00c4rger=x.exe;p\x7Fq;C:\\\r\nTools/Calc=calc.exe\n=lost.exe\r-=\r\n";
    const std::u16string written =
        u"A=notepad.exe\r\n\u00c4rger=x.exe;p\x7Fq;C:\\\r\nTools/=submenu\r\nTools/Calc=calc.exe\r\n-=\r\n";
    struct Row {
        MenuEncoding encoding;
        bool hasBom;
    };
    const Row rows[] = {
        {MenuEncoding::Utf8, true},    {MenuEncoding::Utf8, false}, {MenuEncoding::Utf16Le, true},
        {MenuEncoding::Utf16Le, false}, {MenuEncoding::Ansi, false},
    };
    for (const Row& r : rows) {
        SetUp();
        fake::putFile(MenuPath, rawBytes(source, r.encoding, r.hasBom));
        ASSERT_TRUE(readBack()) << nameOf(r.encoding) << r.hasBom;
        ASSERT_EQ(app.menuEncoding, r.encoding) << nameOf(r.encoding) << r.hasBom;
        ASSERT_EQ(app.menuHasBom, r.hasBom);

        ASSERT_EQ(saveMenuFile(), SaveResult::Saved);
        EXPECT_EQ(hex(fileBytes()), hex(rawBytes(written, r.encoding, r.hasBom))) << nameOf(r.encoding) << r.hasBom;

        // Read again: the same form, and the same entries bar the one without a label.
        ASSERT_TRUE(readBack());
        EXPECT_EQ(app.menuEncoding, r.encoding);
        EXPECT_EQ(app.menuHasBom, r.hasBom);
        EXPECT_EQ(app.entries.size(), 5u);
        EXPECT_EQ(toUtf8(menuFileText(app.entries)), toUtf8(written));
    }
}

TEST_F(MenuRoundTrip, FileThatCouldNotBeReadGetsTheLastFormOrTheDefaults) {
    struct Row {
        const char* name;
        bool existedEmpty;
        std::string expectedStart;
    };
    const Row rows[] = {
        {"missing at start: UTF-8 with mark", false, "\xEF\xBB\xBF"},
        {"existed with 0 bytes: UTF-8 without mark", true, ""},
    };
    for (const Row& r : rows) {
        SetUp();
        if (r.existedEmpty) fake::putFile(MenuPath, "");
        ASSERT_TRUE(readBack());
        app.entries = entriesOf({{u"A", u"a.exe"}});
        ASSERT_EQ(saveMenuFile(), SaveResult::Saved) << r.name;
        EXPECT_EQ(hex(fileBytes()), hex(r.expectedStart + "A=a.exe\r\n")) << r.name;
    }
}

TEST_F(MenuRoundTrip, AnsiFileWithForeignCharactersStaysUtf8WithMarkAfterwards) {
    fake::putFile(MenuPath, "A=\xE4.exe\r\n");
    ASSERT_TRUE(readBack());
    ASSERT_EQ(app.menuEncoding, MenuEncoding::Ansi);
    app.entries.push_back(MenuEntry{u"\u4e2d\u6587", u"\u20ac.exe", 0});

    ASSERT_EQ(saveMenuFile(), SaveResult::Saved);
    EXPECT_EQ(app.menuEncoding, MenuEncoding::Utf8);
    EXPECT_TRUE(app.menuHasBom);
    const std::string first = fileBytes();
    ASSERT_TRUE(readBack());
    ASSERT_EQ(app.entries.size(), 2u);
    EXPECT_EQ(app.entries[1].label, u"\u4e2d\u6587");
    EXPECT_EQ(app.entries[1].definition, u"\u20ac.exe");
    EXPECT_EQ(app.entries[0].definition, u"\u00e4.exe");

    // Removing the foreign entry again does not turn the file back into ANSI.
    app.entries.pop_back();
    ASSERT_EQ(saveMenuFile(), SaveResult::Saved);
    EXPECT_EQ(hex(fileBytes()), hex("\xEF\xBB\xBF" "A=\xC3\xA4.exe\r\n"));
    EXPECT_NE(first, fileBytes());
}
