#include <gtest/gtest.h>

#include "core/text.h"
#include "menufile/expansion.h"
#include "platform/environment.h"
#include "test_support.h"

using namespace vorlix;

namespace {

class Expansion : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetAll();
        fake::environment().variables[u"VDRIVE"] = u"E:";
        fake::environment().currentDirectory = u"C:\\A\\B";
    }
};

} // namespace

TEST_F(Expansion, VariablesAndLeftoverPercentPairs) {
    struct Row {
        const char16_t* text;
        const char16_t* expanded;
    };
    fake::environment().variables[u"HOME"] = u"C:\\Users\\x";
    fake::environment().variables[u"PCT"] = u"a%b%c"; // a value may bring its own pairs
    const Row rows[] = {
        {u"", u""},
        {u"notepad.exe", u"notepad.exe"},
        {u"%HOME%\\a.txt", u"C:\\Users\\x\\a.txt"},
        {u"%home%\\a.txt", u"C:\\Users\\x\\a.txt"},
        {u"%NOPE%\\a.txt", u"\\a.txt"},
        {u"%A%%B%x", u"x"},
        {u"50%", u"50%"},
        {u"a%b%c%d", u"ac%d"},
        {u"%%", u""},
        {u"%", u"%"},
        {u"http://x/a%20b%20c", u"http://x/a20c"},
        {u"%VDRIVE%\\Tools\\x.exe", u"E:\\Tools\\x.exe"},
        {u"%Vdrive%\\Tools\\x.exe", u"E:\\Tools\\x.exe"},
        {u"%PCT%", u"ac"},
    };
    for (const Row& r : rows) EXPECT_EQ(expandVariables(r.text), r.expanded) << toUtf8(r.text);
}

// The variables are expanded first; the system then completes what they gave (here as scripted answers).
TEST_F(Expansion, PathsAreExpandedThenCompletedByTheSystem) {
    struct Row {
        const char16_t* text;
        const char16_t* handedOver; // what the system is asked to complete, or nullptr: nothing
        const char16_t* resolved;
    };
    const Row rows[] = {
        {u"", nullptr, u""},
        {u"..\\x.txt", u"..\\x.txt", u"C:\\A\\x.txt"},
        {u"%VDRIVE%\\q\\.\\r", u"E:\\q\\.\\r", u"E:\\q\\r"},
        {u"%NOPE%\\x", u"%NOPE%\\x", u"C:\\A\\B\\%NOPE%\\x"}, // undefined variables stay
    };
    for (const Row& r : rows) {
        if (r.handedOver) fake::environment().fullPaths[r.handedOver] = r.resolved;
        EXPECT_EQ(resolvePath(r.text), r.resolved) << toUtf8(r.text);
    }
}

TEST_F(Expansion, RefusalsLeaveTheTextUsable) {
    fake::environment().fullPathFails = true;
    EXPECT_EQ(resolvePath(u"%VDRIVE%\\x"), u"E:\\x");
    fake::environment().expandFails = true;
    EXPECT_EQ(resolvePath(u"%VDRIVE%\\x"), u"%VDRIVE%\\x");
    EXPECT_EQ(expandVariables(u"%VDRIVE%\\x 50%"), u"\\x 50%");
}

TEST_F(Expansion, ResultsPastTheSystemsLimitAreRefusals) {
    fake::environment().variables[u"HALF"] = std::u16string(platform::MaxExpansionChars / 2, u'x');
    EXPECT_EQ(expandVariables(u"%HALF%%HALF%a.exe"), u"a.exe");
    EXPECT_EQ(resolvePath(u"%HALF%%HALF%\\a.exe"), u"%HALF%%HALF%\\a.exe");
    EXPECT_EQ(expandVariables(u"%HALF%a.exe"), std::u16string(platform::MaxExpansionChars / 2, u'x') + u"a.exe");
}

TEST_F(Expansion, LongResultsStayWhole) {
    const std::u16string tail(300, u'y');
    fake::environment().variables[u"LONG"] = std::u16string(300, u'x');
    EXPECT_EQ(expandVariables(u"%LONG%\\" + tail), std::u16string(300, u'x') + u"\\" + tail);
    EXPECT_EQ(resolvePath(u"%LONG%\\" + tail), u"C:\\A\\B\\" + std::u16string(300, u'x') + u"\\" + tail);
    const std::u16string deep = u"D:\\" + std::u16string(5000, u'z');
    EXPECT_EQ(resolvePath(deep), deep);
}
