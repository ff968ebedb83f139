#include <gtest/gtest.h>

#include "core/app_state.h"
#include "core/text.h"
#include "menufile/encoding.h"
#include "menufile/reader.h"
#include "menufile_test_support.h"
#include "test_support.h"

using namespace vorlix;
using testing_support::bytesOf;
using menufile_testing::hex;
using menufile_testing::nameOf;

TEST(MenuEncoding, DetectedFromMarkOrContent) {
    struct Row {
        std::string bytes;
        MenuEncoding encoding;
        bool hasBom;
        std::size_t textStart;
    };
    const Row rows[] = {
        {"", MenuEncoding::Utf8, false, 0},
        {"A=notepad.exe\r\n", MenuEncoding::Utf8, false, 0},
        {bytesOf({0xFF, 0xFE}), MenuEncoding::Utf16Le, true, 2},
        {bytesOf({0xFF, 0xFE, 'A', 0}), MenuEncoding::Utf16Le, true, 2},
        {bytesOf({0xEF, 0xBB, 0xBF, 'A'}), MenuEncoding::Utf8, true, 3},
        {bytesOf({0xEF, 0xBB, 0xBF, 0xC4, 'A'}), MenuEncoding::Utf8, true, 3}, // a mark wins over content
        {bytesOf({0xEF, 0xBB}), MenuEncoding::Ansi, false, 0},                // half a mark is content
        {bytesOf({0xFE, 0xFF, 0, 'A'}), MenuEncoding::Utf16Le, false, 0},     // big-endian mark: by content
        {bytesOf({0xFF}), MenuEncoding::Ansi, false, 0},
        {bytesOf({0xC3, 0xA4}), MenuEncoding::Utf8, false, 0},
        {bytesOf({0xE2, 0x82, 0xAC}), MenuEncoding::Utf8, false, 0},
        {bytesOf({0xF0, 0x9F, 0x98, 0x80}), MenuEncoding::Utf8, false, 0},
        {bytesOf({'a', 0xC3}), MenuEncoding::Ansi, false, 0},          // lead byte with nothing after it
        {bytesOf({0xE2, 0x82}), MenuEncoding::Ansi, false, 0},         // lead byte with too few bytes left
        {bytesOf({0xC4, 'A'}), MenuEncoding::Ansi, false, 0},          // continuation below 80
        {bytesOf({0x80, 'A'}), MenuEncoding::Ansi, false, 0},          // stray continuation byte
        {bytesOf({0xF8, 0x88, 0x80, 0x80}), MenuEncoding::Ansi, false, 0}, // no such lead byte
        {bytesOf({'A', 0, '=', 0}), MenuEncoding::Utf16Le, false, 0},
        {bytesOf({0xC3, 0xA4, 'x', 0}), MenuEncoding::Utf16Le, false, 0},
        {bytesOf({0xC4, 'A', 0}), MenuEncoding::Utf16Le, false, 0},    // a zero wins even after invalid bytes
        {bytesOf({0xC3, 0}), MenuEncoding::Ansi, false, 0},            // a zero as continuation is just invalid
        {bytesOf({0xE2, 0, 0}), MenuEncoding::Ansi, false, 0},
    };
    for (const Row& r : rows) {
        DetectedEncoding found = detectEncoding(r.bytes);
        EXPECT_STREQ(nameOf(found.encoding), nameOf(r.encoding)) << hex(r.bytes);
        EXPECT_EQ(found.hasBom, r.hasBom) << hex(r.bytes);
        EXPECT_EQ(found.textStart, r.textStart) << hex(r.bytes);
    }
}

TEST(MenuEncoding, Utf8DecodingReplacesEachBrokenPart) {
    struct Row {
        std::string bytes;
        std::u16string text;
    };
    const Row rows[] = {
        {"", u""},
        {"a\xC3\xA4\xE2\x82\xAC", u"a\u00e4\u20ac"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"\xEF\xBF\xBD", u"\uFFFD"},
        {"\xC3", u"\uFFFD"},
        {"\xC3" "A", u"\uFFFDA"},
        {"\xE2\x82", u"\uFFFD"},               // a truncated sequence is one replacement
        {"\xE2\x82" "A", u"\uFFFDA"},
        {"\xF0\x9F\x98" "A", u"\uFFFDA"},
        {"\x80\xBF", u"\uFFFD\uFFFD"},
        {"\xC0\x80", u"\uFFFD\uFFFD"},         // overlong zero
        {"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"}, // overlong three-byte form
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // above U+10FFFF
        {"\xFF" "A\xFE", u"\uFFFDA\uFFFD"},
    };
    for (const Row& r : rows) EXPECT_EQ(decodeUtf8(r.bytes), r.text) << hex(r.bytes);
}

TEST(MenuEncoding, Utf16DecodingKeepsAnOddLastByteVisible) {
    EXPECT_EQ(decodeUtf16Le(bytesOf({'A', 0, 0xAC, 0x20})), u"A\u20ac");
    EXPECT_EQ(decodeUtf16Le(bytesOf({'A', 0, 'B'})), u"A\uFFFD");
    EXPECT_EQ(decodeUtf16Le(bytesOf({'A'})), u"\uFFFD");
    EXPECT_EQ(decodeUtf16Le(""), u"");
}

// The same menu in each form the reader accepts gives the same entries and records how it was stored.
TEST(MenuEncoding, EveryFormReadsToTheSameEntries) {
    const std::u16string label = u"K\u00e4se";
    struct Row {
        const char* name;
        std::string bytes;
        MenuEncoding encoding;
        bool hasBom;
    };
    using menufile_testing::utf16LeBytes;
    const std::u16string menu = u"K\u00e4se=notepad.exe\r\n";
    const Row rows[] = {
        {"UTF-8", toUtf8(menu), MenuEncoding::Utf8, false},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + toUtf8(menu), MenuEncoding::Utf8, true},
        {"UTF-16LE", utf16LeBytes(menu), MenuEncoding::Utf16Le, false},
        {"UTF-16LE with mark", "\xFF\xFE" + utf16LeBytes(menu), MenuEncoding::Utf16Le, true},
        {"ANSI", "K\xE4se=notepad.exe\r\n", MenuEncoding::Ansi, false},
    };
    for (const Row& r : rows) {
        testing_support::resetAll();
        app.menuFilePath = u"C:\\Menus\\a.lst";
        fake::putFile(app.menuFilePath, r.bytes);
        EXPECT_TRUE(loadMenuFile()) << r.name;
        ASSERT_EQ(app.entries.size(), 1u) << r.name;
        EXPECT_EQ(app.entries[0].label, label) << r.name;
        EXPECT_EQ(app.entries[0].definition, u"notepad.exe") << r.name;
        EXPECT_STREQ(nameOf(app.menuEncoding), nameOf(r.encoding)) << r.name;
        EXPECT_EQ(app.menuHasBom, r.hasBom) << r.name;
    }
}
