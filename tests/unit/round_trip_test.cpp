// What the editor saves reads back as it was shown: entries typed or imported from hostile pieces go
// through the editor's Ok and Apply into the file and back through the reader. A field the file cannot
// hold must be refused (or, imported, made storable), never saved as something else.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/editor_phase.h"
#include "core/app_state.h"
#include "core/text.h"
#include "editor/editor.h"
#include "menufile/decode_entry.h"
#include "menufile/expansion.h"
#include "menufile/file_stamp.h"
#include "menufile/reader.h"
#include "menufile/writer.h"
#include "platform/fake/fake_shell_links.h"
#include "test_support.h"

using namespace vorlix;

namespace {

const std::u16string MenuPath = u"C:\\Menus\\Vorlix.lst";
const EditorHost& Host = programEditorHost();

const std::u16string Pieces[] = {
    u"=", u";", u"\x7f", u"\r", u"\n", u"\r\n", std::u16string(1, u'\0'), u"\t", u"%", u"%TEMP%", u" ", u"  ",
    u"a", u"Name", u"/", u"Tools/", u"-", u"|", u"\U0001F600", u"\xD800", u"http://x.example/a;b;c;max",
    std::u16string(1022, u'L'), std::u16string(1023, u'L'), std::u16string(30000, u'L')};

struct Fields {
    std::u16string label, command, parameters, directory;
    int runMode = 0;
    bool operator==(const Fields&) const = default;
};

struct Case {
    Fields typed;
    int import = 0; // 0 typed, 1 a shortcut dropped on the command field, 2 an Internet shortcut
    std::u16string target, arguments, workingDirectory, address;
    MenuEncoding encoding = MenuEncoding::Utf8;
    bool bom = false;
};

std::u16string describe(const Case& c) {
    std::u16string out = u"label[" + c.typed.label.substr(0, 40) + u"] command[" + c.typed.command.substr(0, 40) +
                         u"] parameters[" + c.typed.parameters + u"] directory[" + c.typed.directory + u"] import " +
                         static_cast<char16_t>(u'0' + c.import) + u" args[" + c.arguments + u"] address[" + c.address + u"]";
    for (char16_t& ch : out)
        if (ch < 32) ch = u'^';
    return out;
}

class RoundTrip : public ::testing::Test {
protected:
    std::mt19937 random{20261208};

    std::u16string field(int most) {
        std::u16string text;
        const int count = static_cast<int>(random() % static_cast<unsigned>(most + 1));
        for (int i = 0; i < count; ++i) {
            const std::u16string& piece = Pieces[random() % std::size(Pieces)];
            if (piece.size() < 1000 || random() % 4 == 0) text += piece;
        }
        return text;
    }
    Case generate() {
        Case c;
        c.typed = {field(3), u"run.exe" + field(2), field(3), random() % 2 ? u"" : u"C:\\D" + field(2),
                   static_cast<int>(random() % 4)};
        if (c.typed.label.empty()) c.typed.label = u"x";
        c.import = static_cast<int>(random() % 3);
        c.target = u"C:\\T" + field(2) + u".exe";
        c.arguments = field(4);
        c.workingDirectory = random() % 2 ? u"" : u"C:\\W" + field(2);
        c.address = field(4);
        const MenuEncoding encodings[] = {MenuEncoding::Utf8, MenuEncoding::Utf16Le, MenuEncoding::Ansi};
        c.encoding = encodings[random() % 3];
        c.bom = random() % 2;
        return c;
    }

    void prepare(const Case& c) {
        testing_support::resetAll();
        fake::resetShellLinks();
        app.menuFilePath = MenuPath;
        app.runModeList = u",min,max,admin";
        app.editorTitle = u"Vorlix - " + MenuPath;
        app.menuEncoding = c.encoding;
        app.menuHasBom = c.bom;
        fake::environment().variables[u"TEMP"] = u"C:\\Temp";
        fake::putFile(MenuPath, "");
        app.menuFileStamp = stampOf("");
        // Every folder the case names exists, so that only what the file can hold decides.
        for (const std::u16string& folder : {c.typed.directory, c.workingDirectory}) {
            const std::u16string expanded = expandVariables(strip(folder));
            if (!expanded.empty()) fake::putFolder(expanded);
        }
        fake::putShortcut(u"C:\\Links\\Tool.lnk", c.target, c.arguments, c.workingDirectory);
        fake::putFile(u"C:\\Links\\Tool.lnk", "L");
        fake::putFile(u"C:\\Links\\Site.url", "[InternetShortcut]\r\nURL=" + toUtf8(c.address) + "\r\n");
        app.entries = {{u"Old", u"old.exe", 0}};
    }

    // The user's steps up to the moment before Ok.
    void script(const Case& c) {
        fake::scriptCommand(NewItemButton);
        if (c.import == 1) fake::scriptDrop(CommandField, u"C:\\Links\\Tool.lnk");
        if (c.import == 2) fake::scriptDrop(CommandField, u"C:\\Links\\Site.url");
        fake::typeText(LabelField, c.typed.label);
        if (c.import == 0) {
            fake::typeText(CommandField, c.typed.command);
            fake::typeText(ParametersField, c.typed.parameters);
            fake::typeText(DirectoryField, c.typed.directory);
        }
        fake::chooseChoice(RunModeBox, c.typed.runMode);
    }

    static std::u16string shownText(int number) {
        const fake::FakeWindow* found = nullptr;
        for (const fake::FakeWindow& w : fake::ui().windows)
            if (w.controlId == number && w.parent != 0) found = &w;
        return found ? found->text : u"";
    }

    // What the fields show before Ok, as the file keeps it: spaces around a field are not kept, and a
    // header or a separator keeps its label only.
    Fields shownBeforeOk(const Case& c) {
        prepare(c);
        script(c);
        fake::scriptClose();
        runEditor(0, Host);
        Fields f{strip(shownText(LabelField)), strip(shownText(CommandField)), strip(shownText(ParametersField)),
                 strip(shownText(DirectoryField)), 0};
        for (const fake::FakeWindow& w : fake::ui().windows)
            if (w.controlId == RunModeBox && w.parent != 0) f.runMode = w.selectedChoice;
        if (!f.label.empty() && f.label.front() == u'/') f.label = u"???" + f.label;
        const std::u16string item = itemTextOf(f.label);
        if (f.label.back() == u'/' || item == u"-" || item == u"|") f = Fields{f.label, {}, {}, {}, 0};
        return f;
    }

    enum class Outcome { Stored, Refused, Broken };
    // Ok and Apply on the case: the saved file must read, hold every entry as the editor holds it, and the
    // new entry as its fields were shown.
    Outcome check(const Case& c) {
        const Fields shown = shownBeforeOk(c);
        prepare(c);
        script(c);
        fake::scriptCommand(OkButton);
        fake::scriptCommand(CancelButton); // drops a refused entry
        fake::scriptCommand(ApplyButton);
        fake::scriptCommand(QuitButton);
        runEditor(0, Host);
        const bool committed = app.entries.size() == 2;
        const std::vector<MenuEntry> inEditor = app.entries;
        if (!loadMenuFile() || app.entries.size() != inEditor.size()) return Outcome::Broken;
        for (std::size_t i = 0; i < inEditor.size(); ++i)
            if (fieldsOf(app.entries[i]) != fieldsOf(inEditor[i])) return Outcome::Broken;
        if (!committed) return Outcome::Refused;
        return fieldsOf(app.entries[1]) == shown ? Outcome::Stored : Outcome::Broken;
    }

    static std::string saved() {
        if (saveMenuFile() == SaveResult::Failed) return "(failed)";
        return fake::findFile(MenuPath)->bytes;
    }

    static Fields fieldsOf(const MenuEntry& entry) {
        decodeEntry(entry);
        const EntryFields& e = app.currentEntry;
        const std::u16string item = itemTextOf(e.label);
        if (e.label.back() == u'/' || item == u"-" || item == u"|") return {e.label, {}, {}, {}, 0};
        const int mode = e.runMode == u"min" ? 1 : e.runMode == u"max" ? 2 : e.runMode == u"admin" ? 3 : 0;
        return {e.label, e.command, e.parameters, e.directory, mode};
    }
};

TEST_F(RoundTrip, WhatTheEditorSavesReadsBackAsShown) {
    int outcomes[3] = {};
    for (int round = 0; round < 1500; ++round) {
        const Case c = generate();
        const Outcome outcome = check(c);
        ASSERT_NE(outcome, Outcome::Broken) << toUtf8(describe(c));
        ++outcomes[static_cast<int>(outcome)];
    }
    // Both outcomes are common enough to mean something.
    EXPECT_GT(outcomes[static_cast<int>(Outcome::Stored)], 300);
    EXPECT_GT(outcomes[static_cast<int>(Outcome::Refused)], 300);
}

TEST_F(RoundTrip, EveryHostilePieceInEveryFieldIsStoredAsShownOrRefused) {
    for (const std::u16string& piece : Pieces) {
        const std::u16string text = u"a" + piece + u"b";
        Case base;
        base.typed = {u"Name", u"run.exe", u"", u"", 0};
        base.target = u"C:\\T\\t.exe";
        std::vector<Case> cases(8, base);
        cases[0].typed.label = text;
        cases[1].typed.command = text;
        cases[2].typed.parameters = text;
        cases[3].typed.directory = u"C:\\" + text;
        cases[4].import = 1, cases[4].target = u"C:\\" + text;
        cases[5].import = 1, cases[5].arguments = text;
        cases[6].import = 1, cases[6].workingDirectory = u"C:\\" + text;
        cases[7].import = 2, cases[7].address = text;
        for (std::size_t i = 0; i < cases.size(); ++i)
            EXPECT_NE(check(cases[i]), Outcome::Broken) << "field " << i << ": " << toUtf8(describe(cases[i]));
    }
}

TEST_F(RoundTrip, ALabelLongerThanTheReaderTakesCannotBeTypedOrMadeByARename) {
    prepare(Case{});
    app.entries = {{u"Tools/", u"submenu", 0}, {u"Tools/" + std::u16string(1000, u'm'), u"m.exe", 0}};
    fake::typeText(LabelField, std::u16string(40, u'T') + u"/"); // the member would grow past the limit
    fake::scriptCommand(OkButton);
    fake::scriptCommand(CancelButton);
    fake::scriptCommand(NewItemButton);
    fake::typeText(LabelField, std::u16string(30000, u'L'));
    fake::typeText(CommandField, u"run.exe");
    fake::scriptCommand(OkButton);
    fake::scriptCommand(ApplyButton);
    fake::scriptCommand(QuitButton);
    runEditor(0, Host);
    EXPECT_EQ(fake::dialogs().beeps, 1) << "the rename is refused";
    ASSERT_EQ(app.entries.size(), 3u);
    EXPECT_EQ(app.entries[1].label, std::u16string(1022, u'L')) << "the field takes no more";
    EXPECT_EQ(app.entries[2].label.size(), 1006u);
    EXPECT_TRUE(loadMenuFile());
    EXPECT_EQ(app.entries.size(), 3u);
}

TEST_F(RoundTrip, AShortcutWithLineBreaksAddsNoLineAndADropStopsAtAFileItCannotStore) {
    prepare(Case{});
    fake::putFile(u"C:\\T\\a.exe", "MZ");
    fake::putShortcut(u"C:\\Links\\Evil.lnk", u"C:\\T\\a.exe", u"-x\r\nINJECTED=calc.exe\r\n", u"");
    fake::putFile(u"C:\\Links\\Evil.lnk", "L");
    fake::putFile(u"C:\\T\\semi;colon.exe", "MZ");
    fake::putFile(u"C:\\T\\after.exe", "MZ");
    fake::scriptDrop(EntryList, u"C:\\Links\\Evil.lnk\nC:\\T\\semi;colon.exe\nC:\\T\\after.exe");
    fake::scriptCommand(CancelButton);
    fake::scriptCommand(ApplyButton);
    fake::scriptCommand(QuitButton);
    runEditor(0, Host);
    ASSERT_EQ(app.entries.size(), 2u) << "the file with \";\" is refused and cancelled, the one after it not taken";
    EXPECT_EQ(app.entries[1].definition, u"C:\\T\\a.exe;-x INJECTED=calc.exe;;;");
    EXPECT_EQ(fake::dialogs().beeps, 1);
    EXPECT_TRUE(loadMenuFile());
    EXPECT_EQ(app.entries.size(), 2u);
}

TEST_F(RoundTrip, TheWriterRefusesALineBreakAndSkipsAnEntryNeverCommitted) {
    prepare(Case{});
    app.entries = {{u"A", u"a.exe", 0}, {u"Tools/?", u"", 0}};
    EXPECT_EQ(saved(), "A=a.exe\r\n");
    app.entries = {{u"A", u"a.exe\r\nB=b.exe", 0}};
    EXPECT_EQ(saved(), "(failed)");
}

} // namespace
