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

    static std::vector<std::u16string> temporaries() {
        std::vector<std::u16string> out;
        for (auto& [key, f] : fake::files().files) {
            if (key.find(u"VORLIX.LST.~VORLIX") != std::u16string::npos) out.push_back(key);
        }
        return out;
    }

    static bool logged(const std::string& prefix) {
        for (const std::string& line : fake::files().log) {
            if (line.rfind(prefix, 0) == 0) return true;
        }
        return false;
    }

    // Many entries, so that the file is written in several pieces.
    static void useLargeMenu() {
        app.entries.clear();
        for (int i = 0; i < 2500; ++i) {
            app.entries.push_back(MenuEntry{u"Item " + toDecimal(i), u"C:\\Programs\\tool" + toDecimal(i) + u".exe;-x;;", 0});
        }
    }
};

} // namespace

TEST_F(MenuSave, ReplacesThroughAFlushedTemporaryRenamedInOneStep) {
    fake::putFile(MenuPath, OldBytes);
    ASSERT_EQ(saveMenuFile(), SaveResult::Saved);
    EXPECT_EQ(fileBytes(), "\xEF\xBB\xBF" "New=new.exe\r\n") << "a shorter list leaves no trace";
    EXPECT_TRUE(temporaries().empty());
    const std::vector<std::string> expected = {
        "query Vorlix.lst", "query folder C:\\Menus\\", "close C:\\Menus\\", "close Vorlix.lst", "create Vorlix.lst.~vorlix0.tmp", "write Vorlix.lst.~vorlix0.tmp 16", "flush Vorlix.lst.~vorlix0.tmp",
        "close Vorlix.lst.~vorlix0.tmp", "attributes Vorlix.lst.~vorlix0.tmp 32",
        "move Vorlix.lst.~vorlix0.tmp Vorlix.lst",
    };
    EXPECT_EQ(fake::files().log, expected);
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

TEST_F(MenuSave, LinksAreWrittenInPlaceSoThatTheySurvive) {
    struct Row {
        const char* name;
        std::uint32_t links;
        std::uint32_t attributes;
    };
    const Row rows[] = {
        {"hard link", 2, platform::AttributeArchive},
        {"symbolic link", 1, platform::AttributeArchive | platform::AttributeReparsePoint},
        {"link that is no reparse point", 1, platform::AttributeArchive},
    };
    for (const Row& r : rows) {
        SetUp();
        fake::putFile(MenuPath, OldBytes, r.attributes);
        fake::findFile(MenuPath)->links = r.links;
        if (r.links == 1) fake::findFile(MenuPath)->finalPath = u"D:\\Shared\\Vorlix.lst";
        ASSERT_EQ(saveMenuFile(), SaveResult::Saved) << r.name;
        EXPECT_EQ(fileBytes(), newBytes()) << r.name;
        EXPECT_EQ(fake::findFile(MenuPath)->links, r.links) << r.name << ": the same file, not a new one";
        EXPECT_EQ(fake::findFile(MenuPath)->attributes, r.attributes) << r.name;
        EXPECT_FALSE(logged("move")) << r.name;
        EXPECT_FALSE(logged("create")) << r.name;
        EXPECT_TRUE(logged("flush Vorlix.lst")) << r.name;
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
    EXPECT_TRUE(logged("move Vorlix.lst.~vorlix3.tmp Vorlix.lst"));
}

TEST_F(MenuSave, FolderThatRefusesNewFilesFallsBackToWritingInPlace) {
    fake::putFile(MenuPath, OldBytes);
    fake::files().failCall = "createNewFile";
    fake::files().failError = platform::ErrorAccessDenied;
    ASSERT_EQ(saveMenuFile(), SaveResult::Saved);
    EXPECT_EQ(fileBytes(), newBytes());
    EXPECT_TRUE(logged("open Vorlix.lst"));
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

// The process dies at a step: nothing after it happens. The menu file is the old or the new one, and the
// next save cleans up what the dead one left.
TEST_F(MenuSave, AProcessKilledAtAnyStepLeavesOldOrNewBytes) {
    for (bool large : {false, true}) {
        for (int step = 1; step <= 24; ++step) {
            SetUp();
            if (large) useLargeMenu();
            fake::putFile(MenuPath, OldBytes);
            fake::files().crashFromStep = step;
            saveMenuFile();
            const std::string after = fileBytes();
            EXPECT_TRUE(after == OldBytes || after == newBytes()) << "step " << step << " large " << large;

            fake::closeAllWriteFiles();
            fake::files().crashFromStep = 0;
            ASSERT_EQ(saveMenuFile(), SaveResult::Saved) << "step " << step;
            EXPECT_EQ(fileBytes(), newBytes());
            EXPECT_TRUE(temporaries().empty()) << "step " << step << " large " << large;
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
