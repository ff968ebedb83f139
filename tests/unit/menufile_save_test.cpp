// Saving the menu file: replaced in one step, links written in place, a failure at any step leaves the old
// file, and a failed save is reported as such.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/text.h"
#include "app/message_boxes.h"
#include "menufile/menu_bytes.h"
#include "menufile/writer.h"
#include "platform/dialogs.h"
#include "platform/fake/fake_environment.h"
#include "platform/file_write.h"
#include "platform/files.h"
#include "menufile_test_support.h"
#include "test_support.h"

using namespace vorlix;
using namespace menufile_testing;

namespace {

const std::u16string SharedMenu = u"D:\\Shared\\Menu.lst"; // where a symbolic link leads

const std::string OldBytes = "\xEF\xBB\xBF" "Old=old.exe\r\nLonger=line that the new content does not have\r\n";

class MenuSave : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::resetAll();
        app.menuFilePath = MenuPath;
        app.menuEncoding = MenuEncoding::Utf8;
        app.menuHasBom = true;
        app.entries = {MenuEntry{u"New", u"new.exe;;;", 0}};
    }

    static std::string newBytes() { return encodeMenuFile(app.entries, app.menuEncoding, app.menuHasBom); }

    // Temporaries of the menu file and of the file that a symbolic link leads to.
    static std::vector<std::u16string> temporaries() {
        std::vector<std::u16string> out;
        for (auto& [key, f] : fake::files().files) {
            if (key.find(u"\\VORLIX.LST.~VORLIX") != std::u16string::npos ||
                key.find(u"\\MENU.LST.~VORLIX") != std::u16string::npos)
                out.push_back(key);
        }
        return out;
    }

    static std::uint64_t menuId() { return fake::findFile(MenuPath)->id; }

    // Many entries, so that the file is written in several pieces.
    static void useLargeMenu() {
        app.entries.clear();
        for (int i = 0; i < 2500; ++i) {
            app.entries.push_back(MenuEntry{u"Item " + toDecimal(i), u"C:\\Programs\\tool" + toDecimal(i) + u".exe;-x;;", 0});
        }
    }
};

} // namespace

// Flushed before the rename (which needs it closed): a power cut just after the save leaves the new bytes.
TEST_F(MenuSave, ReplacesThroughAFlushedTemporaryRenamedInOneStep) {
    fake::putFile(MenuPath, OldBytes);
    std::uint64_t old = menuId();
    ASSERT_EQ(saveMenuFile(), SaveResult::Saved);
    EXPECT_EQ(fileBytes(), "\xEF\xBB\xBF" "New=new.exe\r\n") << "a shorter list leaves no trace";
    EXPECT_NE(menuId(), old) << "replaced, not rewritten";
    EXPECT_TRUE(temporaries().empty());
    EXPECT_TRUE(fake::files().openFiles.empty());
    fake::powerCut();
    EXPECT_EQ(fileBytes(), newBytes());
}

TEST_F(MenuSave, KeepsTheAttributesOfTheFileItReplaces) {
    using namespace platform;
    struct Row {
        std::uint32_t before;
        std::uint32_t after;
    };
    const Row rows[] = {
        {AttributeArchive, AttributeArchive},
        {AttributeHidden | AttributeArchive, AttributeHidden | AttributeArchive},
        {AttributeHidden | AttributeSystem, AttributeHidden | AttributeSystem | AttributeArchive},
        {0, AttributeArchive},
        {0x2000 | AttributeArchive, 0x2000 | AttributeArchive}, // not content-indexed
    };
    for (const Row& r : rows) {
        SetUp();
        fake::putFile(MenuPath, OldBytes, r.before);
        ASSERT_EQ(saveMenuFile(), SaveResult::Saved) << r.before;
        EXPECT_EQ(fake::findFile(MenuPath)->attributes, r.after) << r.before;
    }
    SetUp();
    ASSERT_EQ(saveMenuFile(), SaveResult::Saved) << "a missing file is created";
    EXPECT_EQ(fake::findFile(MenuPath)->attributes, AttributeArchive);
}

TEST_F(MenuSave, ReadOnlyMenusAndFilesAreNeverTouched) {
    struct Row {
        const char* name;
        bool readOnlyMenu;
        std::uint32_t attributes;
        SaveResult result;
    };
    const Row rows[] = {
        {"read-only menu", true, platform::AttributeReadOnly | platform::AttributeArchive, SaveResult::ReadOnly},
        {"read-only volume", true, platform::AttributeArchive, SaveResult::ReadOnly},
        // The attribute was set after the menu was read: a failure the user must hear of.
        {"became read-only", false, platform::AttributeReadOnly, SaveResult::Failed},
    };
    for (const Row& r : rows) {
        SetUp();
        fake::putFile(MenuPath, OldBytes, r.attributes);
        app.readOnlyMenu = r.readOnlyMenu;
        EXPECT_EQ(saveMenuFile(), r.result) << r.name;
        EXPECT_EQ(fileBytes(), OldBytes) << r.name;
        EXPECT_EQ(fake::findFile(MenuPath)->attributes, r.attributes) << r.name;
        EXPECT_TRUE(temporaries().empty()) << r.name;
        if (r.readOnlyMenu) {
            EXPECT_EQ(fake::files().writeSteps, 0) << r.name;
        }
    }
}

// A hard link is written in place: its other names see the new bytes. A symbolic link stays a link, and the
// file it finally leads to is replaced in one step beside itself, unless that file has several names.
TEST_F(MenuSave, LinksSurviveASave) {
    struct Row {
        const char* name;
        std::uint32_t links; // of the file that holds the bytes
        int hops;            // symbolic links in front of it
        bool reparsePoint;   // the link says it is one (Wine does not for a Unix link)
        std::uint32_t targetAttributes;
        SaveResult result;
        bool inPlace;
    };
    const Row rows[] = {
        {"hard link", 2, 0, false, platform::AttributeArchive, SaveResult::Saved, true},
        {"symbolic link", 1, 1, true, platform::AttributeArchive, SaveResult::Saved, false},
        {"link that is no reparse point", 1, 1, false, platform::AttributeArchive, SaveResult::Saved, false},
        {"link to a link", 1, 2, true, platform::AttributeHidden, SaveResult::Saved, false},
        {"link to a hard link", 2, 1, true, platform::AttributeArchive, SaveResult::Saved, true},
        {"link to a read-only file", 1, 1, true, platform::AttributeReadOnly, SaveResult::Failed, true},
    };
    for (const Row& r : rows) {
        SetUp();
        const std::u16string holder = r.hops == 0 ? MenuPath : SharedMenu;
        fake::putFile(holder, OldBytes, r.targetAttributes);
        fake::findFile(holder)->links = r.links;
        if (r.hops == 2) fake::putSymbolicLink(u"C:\\Menus\\Second.lst", SharedMenu);
        if (r.hops > 0) fake::putSymbolicLink(MenuPath, r.hops == 2 ? u"C:\\Menus\\Second.lst" : SharedMenu);
        if (r.hops > 0 && !r.reparsePoint) fake::findFile(MenuPath)->attributes = platform::AttributeArchive;
        const fake::FakeFile link = *fake::findFile(MenuPath);
        std::uint64_t old = fake::findFile(holder)->id;

        ASSERT_EQ(saveMenuFile(), r.result) << r.name;
        const fake::FakeFile* after = fake::findFile(holder);
        const std::string expected = r.result == SaveResult::Saved ? newBytes() : OldBytes;
        EXPECT_EQ(after->bytes, expected) << r.name;
        EXPECT_EQ(after->durable, expected) << r.name << ": flushed";
        EXPECT_EQ(after->id == old, r.inPlace) << r.name << ": the same file, or one that replaced it";
        EXPECT_EQ(after->links, r.links) << r.name;
        std::uint32_t kept = r.targetAttributes | (r.inPlace ? 0 : platform::AttributeArchive);
        EXPECT_EQ(after->attributes, kept) << r.name;
        if (r.hops > 0) {
            EXPECT_EQ(fake::findFile(MenuPath)->id, link.id) << r.name << ": the link itself is untouched";
            EXPECT_EQ(fake::findFile(MenuPath)->linkTarget, link.linkTarget) << r.name;
            EXPECT_EQ(fake::findFile(MenuPath)->attributes, link.attributes) << r.name;
        }
        EXPECT_TRUE(temporaries().empty()) << r.name;
        EXPECT_TRUE(fake::files().openFiles.empty()) << r.name;
    }
}

TEST_F(MenuSave, RenameIsRetriedBrieflyWhileAScannerHoldsTheFile) {
    struct Row {
        int busy;
        SaveResult result;
    };
    const Row rows[] = {{1, SaveResult::Saved}, {5, SaveResult::Saved}, {6, SaveResult::Failed}};
    for (const Row& r : rows) {
        SetUp();
        fake::putFile(MenuPath, OldBytes);
        fake::files().moveBusyCount = r.busy;
        std::uint64_t start = fake::environment().ticks;
        EXPECT_EQ(saveMenuFile(), r.result) << r.busy;
        EXPECT_EQ(fileBytes(), r.result == SaveResult::Saved ? newBytes() : OldBytes) << r.busy;
        EXPECT_TRUE(temporaries().empty()) << r.busy;
        EXPECT_LT(fake::environment().ticks - start, 500u) << "retries stay brief";
    }
}

TEST_F(MenuSave, FileHeldOpenByAnotherProcessIsAFailure) {
    fake::putFile(MenuPath, OldBytes);
    fake::findFile(MenuPath)->lockedByOtherProcess = true;
    EXPECT_EQ(saveMenuFile(), SaveResult::Failed);
    EXPECT_EQ(fileBytes(), OldBytes);
    EXPECT_TRUE(temporaries().empty());
}

TEST_F(MenuSave, StaleTemporariesOfThisMenuAreRemovedOthersStay) {
    fake::putFile(MenuPath, OldBytes);
    fake::putFile(u"C:\\Menus\\Vorlix.lst.~vorlix0.tmp", "half");
    fake::putFile(u"C:\\Menus\\vorlix.LST.~VORLIX12.TMP", "half");
    fake::putFile(u"C:\\Menus\\Vorlix.lst.~vorlixA.tmp", "not ours");
    fake::putFile(u"C:\\Menus\\Other.lst.~vorlix0.tmp", "another menu's");
    fake::putFile(u"C:\\Menus\\Vorlix.lst.~vorlix3.tmp", "held by another save");
    fake::findFile(u"C:\\Menus\\Vorlix.lst.~vorlix3.tmp")->lockedByOtherProcess = true;

    ASSERT_EQ(saveMenuFile(), SaveResult::Saved);
    EXPECT_EQ(fileBytes(), newBytes());
    const std::vector<std::u16string> left = {u"C:\\MENUS\\VORLIX.LST.~VORLIX3.TMP", u"C:\\MENUS\\VORLIX.LST.~VORLIXA.TMP"};
    EXPECT_EQ(temporaries(), left);
    EXPECT_NE(fake::findFile(u"C:\\Menus\\Other.lst.~vorlix0.tmp"), nullptr);
}

TEST_F(MenuSave, TakenTemporaryNamesAreSkipped) {
    fake::putFile(MenuPath, OldBytes);
    // Names held by another save cannot be removed; the next free one is used.
    for (int n = 0; n < 3; ++n) {
        std::u16string name = MenuPath + u".~vorlix" + toDecimal(n) + u".tmp";
        fake::putFile(name, "busy");
        fake::findFile(name)->lockedByOtherProcess = true;
    }
    ASSERT_EQ(saveMenuFile(), SaveResult::Saved);
    EXPECT_EQ(fileBytes(), newBytes());
    ASSERT_EQ(temporaries().size(), 3u);
    for (const std::u16string& t : temporaries()) EXPECT_EQ(fake::findFile(t)->bytes, "busy");
}

TEST_F(MenuSave, FolderThatRefusesNewFilesFallsBackToWritingInPlace) {
    fake::putFile(MenuPath, OldBytes);
    std::uint64_t old = menuId();
    fake::files().failCall = "createNewFile";
    fake::files().failError = platform::ErrorAccessDenied;
    ASSERT_EQ(saveMenuFile(), SaveResult::Saved);
    EXPECT_EQ(fileBytes(), newBytes());
    EXPECT_EQ(menuId(), old);
}

// A failure injected at each step in turn: the save either succeeds with the new bytes or fails with the
// old bytes intact; no temporary file and no open file is left behind.
TEST_F(MenuSave, AFailureAtAnyStepLeavesTheOldFileIntact) {
    struct Row {
        const char* name;
        std::uint32_t links;
        bool large;
    };
    const Row rows[] = {
        {"replaced", 1, false}, {"replaced, several pieces", 1, true}, {"hard link", 3, false},
        {"hard link, several pieces", 3, true},
    };
    for (const Row& r : rows) {
        int failures = 0;
        for (int step = 1; step <= 24; ++step) {
            SetUp();
            if (r.large) useLargeMenu();
            fake::putFile(MenuPath, OldBytes);
            fake::findFile(MenuPath)->links = r.links;
            fake::putFile(u"C:\\Menus\\Vorlix.lst.~vorlix5.tmp", "stale");
            fake::files().failStep = step;
            SaveResult result = saveMenuFile();
            ASSERT_NE(result, SaveResult::ReadOnly);
            if (result == SaveResult::Failed) ++failures;
            EXPECT_EQ(fileBytes(), result == SaveResult::Saved ? newBytes() : OldBytes) << r.name << " step " << step;
            // Steps 1 and 2 ask for the link count. Unanswered, the file is replaced: its data is safe, only
            // the other names keep the old content.
            if (step > 2) {
                EXPECT_EQ(fake::findFile(MenuPath)->links, r.links) << r.name << " step " << step;
            }
            EXPECT_TRUE(fake::files().openFiles.empty()) << r.name << " step " << step;
            // The stale one may survive a failed listing or delete; the save's own never does.
            for (const std::u16string& t : temporaries()) {
                EXPECT_EQ(t, u"C:\\MENUS\\VORLIX.LST.~VORLIX5.TMP") << r.name << " step " << step;
            }
        }
        EXPECT_GT(failures, 2) << r.name << ": the table reaches the steps that matter";
    }
}

// The process dies at a step: nothing after it happens. The menu file is the old or the new one, also after
// a power cut at that moment, and the next save cleans up what the dead one left.
TEST_F(MenuSave, AProcessKilledAtAnyStepLeavesOldOrNewBytes) {
    for (bool linked : {false, true}) {
        for (bool large : {false, true}) {
            for (int step = 1; step <= 24; ++step) {
                SetUp();
                if (large) useLargeMenu();
                const std::u16string holder = linked ? SharedMenu : MenuPath;
                fake::putFile(holder, OldBytes);
                if (linked) fake::putSymbolicLink(MenuPath, SharedMenu);
                fake::files().crashFromStep = step;
                saveMenuFile();
                const std::string where =
                    " step " + std::to_string(step) + (large ? " large" : "") + (linked ? " link" : "");
                const std::string after = fileBytes(holder);
                EXPECT_TRUE(after == OldBytes || after == newBytes()) << where;
                EXPECT_EQ(fake::findFile(holder)->durable, after) << where;
                if (linked) {
                    EXPECT_EQ(fake::findFile(MenuPath)->linkTarget, SharedMenu) << where;
                }

                fake::closeAllWriteFiles();
                fake::files().crashFromStep = 0;
                ASSERT_EQ(saveMenuFile(), SaveResult::Saved) << where;
                EXPECT_EQ(fileBytes(holder), newBytes()) << where;
                EXPECT_TRUE(temporaries().empty()) << where;
            }
        }
    }
}

TEST_F(MenuSave, FailedAnsiFallbackKeepsTheFormForTheNextAttempt) {
    fake::putFile(MenuPath, "A=\xE4\r\n");
    app.menuEncoding = MenuEncoding::Ansi;
    app.menuHasBom = false;
    app.entries = {MenuEntry{u"\u4e2d", u"x.exe", 0}};
    fake::findFile(MenuPath)->lockedByOtherProcess = true;
    ASSERT_EQ(saveMenuFile(), SaveResult::Failed);
    EXPECT_EQ(app.menuEncoding, MenuEncoding::Ansi) << "the file on disk is still ANSI";
    EXPECT_FALSE(app.menuHasBom);
}

TEST_F(MenuSave, FailureMessageNamesTheFile) {
    app.mainWindow = 0x4711;
    reportSaveFailure(app.mainWindow);
    ASSERT_EQ(fake::dialogs().boxes.size(), 1u);
    const fake::ShownBox& box = fake::dialogs().boxes[0];
    EXPECT_EQ(box.owner, 0x4711u);
    EXPECT_EQ(box.caption, u"Vorlix");
    EXPECT_EQ(box.text, u"Cannot save menu file:\rC:\\Menus\\Vorlix.lst");
    EXPECT_EQ(box.style, platform::BoxOk);
}
