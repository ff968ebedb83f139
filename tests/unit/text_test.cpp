#include <gtest/gtest.h>

#include "core/text.h"

using namespace vorlix;

TEST(TextRules, StripRemovesSpacesOnlyNeverTabs) {
    EXPECT_EQ(strip(u"  a b  "), u"a b");
    EXPECT_EQ(strip(u"\ta\t"), u"\ta\t");
    EXPECT_EQ(strip(u"   "), u"");
}

TEST(TextRules, IntegerReadingFollowsTheSharedRule) {
    struct Row { const char16_t* text; std::int32_t value; };
    const Row rows[] = {
        {u"42", 42}, {u"  \t-7x", -7}, {u"+3", 3}, {u"$1F", 31}, {u"$1g", 1}, {u"%101", 5}, {u"%102", 2},
        {u"abc", 0}, {u"", 0}, {u"-", 0}, {u"4294967297", 1}, {u"12,34", 12},
    };
    for (const Row& r : rows) EXPECT_EQ(parseInteger(r.text), r.value) << toUtf8(r.text);
}

TEST(TextRules, FieldsAndDirectoryParts) {
    EXPECT_EQ(fieldAt(u"a;b;;d", u';', 1), u"b");
    EXPECT_EQ(fieldAt(u"a;b;;d", u';', 2), u"");
    EXPECT_EQ(fieldAt(u"a;b;;d", u';', 3), u"d");
    EXPECT_EQ(fieldAt(u"a;b;;d", u';', 4), u"");
    EXPECT_EQ(directoryPart(u"D:\\data\\x.txt"), u"D:\\data\\");
    EXPECT_EQ(directoryPart(u"a/b"), u"a/");
    EXPECT_EQ(directoryPart(u"x"), u"");
    EXPECT_EQ(toDecimal(-120), u"-120");
    EXPECT_EQ(toDecimal(0), u"0");
}

TEST(TextRules, Utf8RoundTripKeepsSupplementaryCharacters) {
    std::u16string s = u"a\u00e4\u20ac\U0001F600";
    EXPECT_EQ(fromUtf8(toUtf8(s)), s);
}
