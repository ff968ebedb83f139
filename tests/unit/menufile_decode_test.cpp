#include <gtest/gtest.h>

#include "core/app_state.h"
#include "core/text.h"
#include "menufile/decode_entry.h"
#include "test_support.h"

using namespace vorlix;

namespace {

class EntryDecoding : public ::testing::Test {
protected:
    void SetUp() override { testing_support::resetAll(); }

    static const EntryFields& decode(std::u16string label, std::u16string definition) {
        decodeEntry(MenuEntry{std::move(label), std::move(definition), 0});
        return app.currentEntry;
    }
};

} // namespace

TEST_F(EntryDecoding, FieldsAreSplitNotStrippedOneByOne) {
    const EntryFields& e = decode(u"Name", u"notepad.exe ; ; C:\\Temp");
    EXPECT_EQ(e.label, u"Name");
    EXPECT_EQ(e.command, u"notepad.exe ");
    EXPECT_EQ(e.parameters, u" ");
    EXPECT_EQ(e.directory, u" C:\\Temp");
    EXPECT_EQ(e.runMode, u"");
    EXPECT_EQ(e.iconSpec, u"");
    EXPECT_EQ(e.kind, 0u);
}

TEST_F(EntryDecoding, DelStandsForSemicolonInParametersOnly) {
    const std::u16string definition = u"cmd.exe;/c a\x7F" u"b;C:\\x;max;shell32.dll,3;ignored;too";
    const EntryFields& e = decode(u"A", definition);
    EXPECT_EQ(e.command, u"cmd.exe");
    EXPECT_EQ(e.parameters, u"/c a;b");
    EXPECT_EQ(e.expandedParameters, u"/c a;b");
    EXPECT_EQ(e.directory, u"C:\\x");
    EXPECT_EQ(e.runMode, u"max");
    EXPECT_EQ(e.iconSpec, u"shell32.dll,3");
}

TEST_F(EntryDecoding, VariablesAreExpandedInTheFirstThreeFields) {
    fake::environment().variables[u"HOME"] = u"C:\\Users\\x";
    const EntryFields& e = decode(u"%HOME%", u"%HOME%\\a.exe;%HOME%\\b.txt;%HOME%;min;%HOME%\\i.ico");
    EXPECT_EQ(e.label, u"%HOME%");
    EXPECT_EQ(e.command, u"%HOME%\\a.exe");
    EXPECT_EQ(e.expandedCommand, u"C:\\Users\\x\\a.exe");
    EXPECT_EQ(e.expandedParameters, u"C:\\Users\\x\\b.txt");
    EXPECT_EQ(e.expandedDirectory, u"C:\\Users\\x");
    EXPECT_EQ(e.iconSpec, u"%HOME%\\i.ico"); // the icon loader expands it itself
}

TEST_F(EntryDecoding, KindFollowsTheCommand) {
    fake::environment().variables[u"WINDIR"] = u"C:\\Windows";
    struct Row {
        const char16_t* command;
        std::uint32_t kind;
    };
    const Row rows[] = {
        {u"notepad.exe", 0},
        {u"", 0},
        {u"configuration", EntryKind::Configuration},
        {u"Setup", EntryKind::Configuration},
        {u"setup.exe", 0},
        {u"configuration2", 0},
        {u"VORLIX", EntryKind::Vorlix},
        {u"files", EntryKind::Files},
        {u"files C:\\Tools\\viewer.exe", EntryKind::Files},
        {u"filesx", 0},
        {u"rem", EntryKind::Remark},
        {u"REMARK some words", EntryKind::Remark},
        {u"cancel", EntryKind::Cancel},
        {u"Submenu", EntryKind::Submenu},
        {u"explorer.exe", EntryKind::Explorer},
        {u"C:\\Windows\\EXPLORER.EXE", EntryKind::Explorer},
        {u"\"C:\\Windows\\explorer.exe\"", EntryKind::Explorer},
        {u"\"C:\\Program Files\\x\\explorer.exe\" /e,C:\\Data", EntryKind::Explorer},
        {u"%WINDIR%\\explorer.exe", EntryKind::Explorer},
        {u"explorer.exe /e,C:\\", 0},
        {u"C:/Windows/explorer.exe", EntryKind::Explorer},
        {u"HTTPS://example.org", EntryKind::WebLink},
        {u"httpd.exe", EntryKind::WebLink},
        {u"mailto:someone@example.org", EntryKind::WebLink},
        {u"MAILTO:x", EntryKind::WebLink},
        {u"mailto", 0},
        {u"http", EntryKind::WebLink},
        {u"htt", 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(decode(u"A", std::u16string(r.command) + u";p;d").kind, r.kind) << toUtf8(r.command);
    }
}

TEST_F(EntryDecoding, AnUnsetKeywordListMatchesNothing) {
    app.keywordList.clear();
    EXPECT_EQ(decode(u"A", u"").kind, 0u);
    EXPECT_EQ(decode(u"A", u"rem").kind, 0u);
    EXPECT_EQ(decode(u"A", u"http://x").kind, EntryKind::WebLink);
}

TEST(LabelForms, PlacementAndItemText) {
    struct Row {
        const char16_t* label;
        int placement;
        const char16_t* itemText;
    };
    const Row rows[] = {
        {u"Notepad", 0, u"Notepad"},
        {u"", 0, u""},
        {u"Tools/Edit", 1, u"Edit"},
        {u"Tools/Edit/ignored", 1, u"Edit"},
        {u"Tools/", -1, u""},
        {u"Tools/   ", -1, u"   "},
        {u"Tools/Edit/", -1, u"Edit"},
        {u"/Edit", 1, u"Edit"},
        {u"-", 0, u"-"},
        {u"Tools/-", 1, u"-"},
        {u"Tools/|", 1, u"|"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(labelPlacement(r.label), r.placement) << toUtf8(r.label);
        EXPECT_EQ(itemTextOf(r.label), r.itemText) << toUtf8(r.label);
    }
}
