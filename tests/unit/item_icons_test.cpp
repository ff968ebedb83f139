#include <gtest/gtest.h>

#include <set>

#include "app/app_state.h"
#include "app/text.h"
#include "platform/icons.h"
#include "popup/item_icons.h"
#include "popup_test_support.h"

using namespace vorlix;

namespace {

class ItemIcons : public ::testing::Test {
protected:
    void SetUp() override {
        popup_testing::resetPopupFakes();
        app.programPath = u"C:\\Tools\\Vorlix.exe";
        fake::putFile(u"C:\\Tools\\Vorlix.exe", "MZ");
        for (int i = 0; i < 9; ++i) fake::putFileIcon(u"C:\\Tools\\Vorlix.exe", i);
    }
    void TearDown() override { endIconBatch(); }

    // Decoded fields as decodeEntry would leave them.
    static void entry(std::uint32_t kind, const char16_t* iconSpec, const char16_t* command = u"",
                      const char16_t* directory = u"") {
        app.currentEntry = EntryFields{};
        app.currentEntry.kind = kind;
        app.currentEntry.iconSpec = iconSpec;
        app.currentEntry.expandedCommand = command;
        app.currentEntry.expandedDirectory = directory;
    }

    // What the loaded icon shows; "" for none. The handle is destroyed again.
    static std::u16string loadedSource() {
        platform::IconHandle icon = loadItemIcon();
        std::u16string source = fake::iconSource(icon);
        if (icon) {
            EXPECT_TRUE(platform::destroyIcon(icon));
        }
        return source;
    }
};

TEST_F(ItemIcons, ExplicitSpecification) {
    fake::putFile(u"C:\\a,b\\tools.dll", "MZ");
    fake::putFile(u"C:\\Icons\\app.ico", "icon");
    fake::putFile(u"C:\\Icons\\empty.ico", "");
    fake::putFile(u"C:\\Work\\icons\\rel.ico", "icon");
    fake::putFile(u"C:\\Windows\\system32\\shell32.dll", "MZ");
    fake::putFolder(u"C:\\Icons\\folder");
    fake::environment().variables[u"SYSTEMROOT"] = u"C:\\Windows";
    for (int i : {-3, 0, 2, 3, 7, 10}) fake::putFileIcon(u"C:\\Icons\\app.ico", i);
    fake::putFileIcon(u"C:\\a,b\\tools.dll", 3);
    fake::putFileIcon(u"C:\\Icons\\empty.ico", 0);
    fake::putFileIcon(u"C:\\Work\\icons\\rel.ico", 1);
    fake::putFileIcon(u"C:\\Windows\\system32\\shell32.dll", 4);
    fake::putFileIcon(u"C:\\Icons\\folder", 0);

    struct Row {
        const char16_t* iconText;
        const char16_t* shows; // "" for no icon
    };
    const Row rows[] = {
        {u"C:\\a,b\\tools.dll,3", u"C:\\A,B\\TOOLS.DLL,3"}, // the last comma separates
        {u"C:\\a,b\\tools.dll", u""},                       // file C:\a, number text b\tools.dll
        {u"C:\\Icons\\app.ico", u"C:\\ICONS\\APP.ICO,0"},    // no comma: icon 0
        {u"C:\\Icons\\app.ico, 7", u"C:\\ICONS\\APP.ICO,7"}, // blanks skipped
        {u"C:\\Icons\\app.ico,\t 2", u"C:\\ICONS\\APP.ICO,2"},
        {u"C:\\Icons\\app.ico,-3", u"C:\\ICONS\\APP.ICO,-3"}, // by resource id
        {u"C:\\Icons\\app.ico,x7", u"C:\\ICONS\\APP.ICO,0"},  // no number
        {u"C:\\Icons\\app.ico,$A", u"C:\\ICONS\\APP.ICO,10"},
        {u"C:\\Icons\\app.ico,%11", u"C:\\ICONS\\APP.ICO,3"},
        {u"C:\\Icons\\app.ico,99", u""},     // beyond the icons of the file
        {u"C:\\Icons\\missing.ico,0", u""},
        {u"C:\\Icons\\empty.ico,0", u""},    // an empty file holds no icon
        {u"C:\\Icons\\folder,0", u""},
        {u"icons\\rel.ico,1", u"C:\\WORK\\ICONS\\REL.ICO,1"}, // relative to the working directory
        {u"%SystemRoot%\\system32\\shell32.dll,4", u"C:\\WINDOWS\\SYSTEM32\\SHELL32.DLL,4"},
        {u",3", u""},
    };
    for (const Row& r : rows) {
        entry(0, r.iconText, u"notepad.exe");
        EXPECT_EQ(toUtf8(loadedSource()), toUtf8(r.shows)) << toUtf8(r.iconText);
    }
    EXPECT_TRUE(fake::icons().shellRequests.empty()) << "an explicit icon source never asks the shell";
}

TEST_F(ItemIcons, KeywordEntriesShowTheProgramsOwnIcons) {
    fake::putFile(u"C:\\Icons\\app.ico", "icon");
    fake::putFileIcon(u"C:\\Icons\\app.ico", 5);
    struct Row {
        std::uint32_t kind;
        const char16_t* iconText;
        const char16_t* shows;
    };
    const Row rows[] = {
        {Vorlix, u"", u"C:\\TOOLS\\VORLIX.EXE,0"},
        {Submenu, u"", u"C:\\TOOLS\\VORLIX.EXE,1"},
        {Files, u"", u"C:\\TOOLS\\VORLIX.EXE,2"}, // the open folder, not the folder's own icon
        {Configuration, u"", u"C:\\TOOLS\\VORLIX.EXE,3"},
        {Remark, u"", u"C:\\TOOLS\\VORLIX.EXE,4"},
        {Cancel, u"", u"C:\\TOOLS\\VORLIX.EXE,5"},
        {Submenu, u"C:\\Icons\\app.ico,5", u"C:\\ICONS\\APP.ICO,5"}, // an explicit icon source wins
    };
    for (const Row& r : rows) {
        entry(r.kind, r.iconText, u"files", u"D:\\Docs\\");
        EXPECT_EQ(toUtf8(loadedSource()), toUtf8(r.shows)) << r.kind;
    }
    EXPECT_TRUE(fake::icons().shellRequests.empty());
}

TEST_F(ItemIcons, ShellIconsByKind) {
    fake::icons().shellNames = {u"dummy.htm", u"D:\\Docs\\", u"notepad.exe", u"C:\\x\\report.pdf"};
    struct Row {
        std::uint32_t kind;
        const char16_t* command;
        const char16_t* directory;
        const char16_t* asked; // nullptr: the shell is not asked
        const char16_t* shows;
    };
    const Row rows[] = {
        {WebLink, u"https://example.org", u"", u"dummy.htm", u"shell:dummy.htm"},
        {Explorer, u"explorer.exe", u"D:\\Docs\\", u"D:\\Docs\\", u"shell:D:\\Docs\\"},
        {Explorer, u"explorer.exe", u"", nullptr, u""},               // no folder, no icon
        {0, u"notepad.exe", u"C:\\Work", u"notepad.exe", u"shell:notepad.exe"}, // as written, no search
        {0, u"C:\\x\\report.pdf", u"", u"C:\\x\\report.pdf", u"shell:C:\\x\\report.pdf"},
        {0, u"C:\\x\\unknown.zzz", u"", u"C:\\x\\unknown.zzz", u""},
        {0, u"", u"", nullptr, u""},
    };
    for (const Row& r : rows) {
        fake::icons().shellRequests.clear();
        entry(r.kind, u"", r.command, r.directory);
        EXPECT_EQ(toUtf8(loadedSource()), toUtf8(r.shows)) << toUtf8(r.command);
        if (r.asked) {
            ASSERT_EQ(fake::icons().shellRequests.size(), 1u) << toUtf8(r.command);
            EXPECT_EQ(fake::icons().shellRequests[0], r.asked);
        } else {
            EXPECT_TRUE(fake::icons().shellRequests.empty()) << toUtf8(r.command);
        }
    }
}

TEST_F(ItemIcons, BatchAsksEachSourceOnceAndHandsOutOwnIcons) {
    std::vector<std::u16string> programs;
    for (int p = 0; p < 20; ++p) {
        programs.push_back(u"C:\\Apps\\app" + toDecimal(p) + u".exe");
        fake::icons().shellNames.insert(programs.back());
    }
    std::vector<platform::IconHandle> handles;
    {
        IconBatchScope batch;
        for (int i = 0; i < 200; ++i) {
            entry(0, u"", programs[static_cast<std::size_t>(i % 20)].c_str());
            handles.push_back(loadItemIcon());
        }
        entry(0, u"C:\\missing.ico,1");
        EXPECT_EQ(loadItemIcon(), 0u);
        EXPECT_EQ(loadItemIcon(), 0u);
    }

    EXPECT_EQ(fake::icons().shellRequests.size(), 20u);
    EXPECT_EQ(fake::icons().extractRequests.size(), 0u) << "a missing file is looked at once, not asked";
    std::set<platform::IconHandle> distinct(handles.begin(), handles.end());
    EXPECT_EQ(distinct.size(), handles.size()) << "no icon is shared between items";
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(fake::iconSource(handles[static_cast<std::size_t>(i)]),
                  u"shell:" + programs[static_cast<std::size_t>(i % 20)]);
    // The first item of each source keeps the icon as loaded; the other 180 are made from its image.
    // The icons are the items' to destroy.
    EXPECT_EQ(fake::icons().copies, 180);
    EXPECT_EQ(fake::icons().imagesTaken, 20);
    EXPECT_EQ(fake::icons().live.size(), 200u);
    for (platform::IconHandle h : handles) EXPECT_TRUE(platform::destroyIcon(h));
    EXPECT_TRUE(fake::icons().live.empty());
    EXPECT_EQ(fake::icons().badDestroys, 0);
}

TEST_F(ItemIcons, BatchCostsAndFallbacks) {
    struct Item {
        std::uint32_t kind;
        const char16_t* iconText;
        const char16_t* command;
    };
    const Item a{0, u"", u"a.exe"}, b{0, u"", u"b.exe"}, submenu{Submenu, u"", u""},
        named{0, u"C:\\Icons\\app.ico,2", u"a.exe"}, renamed{0, u"C:\\Icons\\app.ico, 2", u"a.exe"};
    struct Row {
        const char* name;
        std::vector<Item> items;
        bool failImages;
        bool failIconFromImage;
        int asked; // shell and file requests together
        int copies;
        int imagesTaken;
    };
    const Row rows[] = {
        {"every source once: nothing to copy", {a, b, submenu, named}, false, false, 4, 0, 0},
        {"a source again: one copy from its image", {a, b, a}, false, false, 2, 1, 1},
        {"the image is read once per source", {a, a, a, a, b, b}, false, false, 2, 4, 2},
        {"the same file written differently is another source", {named, renamed, named}, false, false, 2, 1, 1},
        {"program's own icons are sources too", {submenu, submenu}, false, false, 1, 1, 1},
        {"no image: the source is asked again", {a, a, a}, true, false, 3, 0, 0},
        {"no icon from the image: the source is asked again", {a, a, a}, false, true, 3, 0, 1},
    };
    auto prepare = [this](const Row& r) {
        SetUp();
        fake::icons().shellNames = {u"a.exe", u"b.exe"};
        fake::putFile(u"C:\\Icons\\app.ico", "icon");
        fake::putFileIcon(u"C:\\Icons\\app.ico", 2);
        fake::icons().failImages = r.failImages;
        fake::icons().failIconFromImage = r.failIconFromImage;
    };
    for (const Row& r : rows) {
        // What each item shows without a batch.
        prepare(r);
        std::vector<std::u16string> expected;
        for (const Item& item : r.items) {
            entry(item.kind, item.iconText, item.command);
            platform::IconHandle alone = loadItemIcon();
            expected.push_back(fake::iconSource(alone));
            platform::destroyIcon(alone);
        }

        prepare(r);
        std::vector<platform::IconHandle> handles;
        {
            IconBatchScope batch;
            for (const Item& item : r.items) {
                entry(item.kind, item.iconText, item.command);
                handles.push_back(loadItemIcon());
            }
        }
        std::vector<std::u16string> got;
        for (platform::IconHandle h : handles) got.push_back(fake::iconSource(h));
        EXPECT_EQ(got, expected) << r.name << ": the batch changes no icon";
        const int asked = static_cast<int>(fake::icons().shellRequests.size() + fake::icons().extractRequests.size());
        EXPECT_EQ(asked, r.asked) << r.name;
        EXPECT_EQ(fake::icons().copies, r.copies) << r.name;
        EXPECT_EQ(fake::icons().imagesTaken, r.imagesTaken) << r.name;
        std::set<platform::IconHandle> distinct(handles.begin(), handles.end());
        EXPECT_EQ(distinct.size(), handles.size()) << r.name << ": no icon is shared";
        for (platform::IconHandle h : handles) EXPECT_TRUE(platform::destroyIcon(h)) << r.name;
    }
}

TEST_F(ItemIcons, WithoutBatchEveryCallAsksAgain) {
    fake::icons().shellNames = {u"notepad.exe"};
    entry(0, u"", u"notepad.exe");
    platform::IconHandle a = loadItemIcon();
    platform::IconHandle b = loadItemIcon();
    EXPECT_NE(a, b);
    EXPECT_EQ(fake::icons().shellRequests.size(), 2u);
    EXPECT_EQ(fake::icons().copies, 0);
    platform::destroyIcon(a);
    platform::destroyIcon(b);
}

} // namespace
