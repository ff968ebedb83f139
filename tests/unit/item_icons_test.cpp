#include <gtest/gtest.h>

#include "core/app_state.h"
#include "core/text.h"
#include "platform/icons.h"
#include "popup/item_icons.h"
#include "library_file.h"
#include "popup_test_support.h"

using namespace vorlix;

namespace {

void putLittleEndian(std::string& bytes, std::size_t at, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// An ".ico" file whose count entries each point at a 40-byte image of their own after the directory.
std::string icoFile(int count = 1) {
    const std::size_t directory = 6 + 16 * static_cast<std::size_t>(count);
    std::string bytes(directory + 40 * static_cast<std::size_t>(count), '\0');
    putLittleEndian(bytes, 2, 1, 2);
    putLittleEndian(bytes, 4, static_cast<std::uint32_t>(count), 2);
    for (int i = 0; i < count; ++i) {
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        putLittleEndian(bytes, entry + 8, 40, 4);
        putLittleEndian(bytes, entry + 12, static_cast<std::uint32_t>(directory + 40 * static_cast<std::size_t>(i)), 4);
    }
    return bytes;
}

std::string withValue(std::string bytes, std::size_t at, std::uint32_t value, int count = 4) {
    putLittleEndian(bytes, at, value, count);
    return bytes;
}

TEST(IcoDirectory, OnlyImagesInsideTheFileAreSound) {
    const std::string one = icoFile();
    struct Row {
        const char* name;
        std::string bytes;
        std::int64_t size; // -1: the bytes' own size
        bool sound;
    };
    const Row rows[] = {
        {"one image", one, -1, true},
        {"two images", icoFile(2), -1, true},
        {"65,535 images claimed in six bytes", std::string("\0\0\1\0\xff\xff", 6), -1, false},
        {"shorter than the header", std::string("\0\0\1", 3), -1, false},
        {"no image", withValue(one, 4, 0, 2), -1, false},
        {"cursor file", withValue(one, 2, 2, 2), -1, false},
        {"reserved word set", withValue(one, 0, 1, 2), -1, false},
        {"directory longer than the file", withValue(one, 4, 3, 2), -1, false},
        {"image cut off", one, static_cast<std::int64_t>(one.size()) - 1, false},
        {"image inside the directory", withValue(one, 18, 6), -1, false},
        {"image too small to be one", withValue(one, 14, 8), -1, false},
        {"offset near 4 GiB", withValue(one, 18, 0xFFFFFFF0u), -1, false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(icoDirectoryIsSound(r.bytes, r.size < 0 ? static_cast<std::int64_t>(r.bytes.size()) : r.size), r.sound)
            << r.name;
}

class ItemIcons : public ::testing::Test {
protected:
    void SetUp() override {
        popup_testing::resetPopupFakes();
        app.programPath = u"C:\\Tools\\Vorlix.exe";
        fake::putFile(u"C:\\Tools\\Vorlix.exe", testing_support::libraryFile());
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

TEST_F(ItemIcons, ExplicitIconText) {
    fake::putFile(u"C:\\a,b\\tools.dll", testing_support::libraryFile());
    fake::putFile(u"C:\\Icons\\app.ico", icoFile());
    fake::putFile(u"C:\\Icons\\empty.ico", "");
    fake::putFile(u"C:\\Work\\icons\\rel.ico", icoFile());
    fake::putFile(u"C:\\Windows\\system32\\shell32.dll", testing_support::libraryFile());
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
    fake::putFile(u"C:\\Icons\\app.ico", icoFile());
    fake::putFileIcon(u"C:\\Icons\\app.ico", 5);
    struct Row {
        std::uint32_t kind;
        const char16_t* iconText;
        const char16_t* shows;
    };
    const Row rows[] = {
        {EntryKind::Vorlix, u"", u"C:\\TOOLS\\VORLIX.EXE,0"},
        {EntryKind::Submenu, u"", u"C:\\TOOLS\\VORLIX.EXE,1"},
        {EntryKind::Files, u"", u"C:\\TOOLS\\VORLIX.EXE,2"}, // the open folder, not the folder's own icon
        {EntryKind::Configuration, u"", u"C:\\TOOLS\\VORLIX.EXE,3"},
        {EntryKind::Remark, u"", u"C:\\TOOLS\\VORLIX.EXE,4"},
        {EntryKind::Cancel, u"", u"C:\\TOOLS\\VORLIX.EXE,5"},
        {EntryKind::Submenu, u"C:\\Icons\\app.ico,5", u"C:\\ICONS\\APP.ICO,5"}, // an explicit icon source wins
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
        {EntryKind::WebLink, u"https://example.org", u"", u"dummy.htm", u"shell:dummy.htm"},
        {EntryKind::Explorer, u"explorer.exe", u"D:\\Docs\\", u"D:\\Docs\\", u"shell:D:\\Docs\\"},
        {EntryKind::Explorer, u"explorer.exe", u"", nullptr, u""},               // no folder, no icon
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

TEST_F(ItemIcons, BatchAsksEachSourceOnceAndLeavesCopiesToDrawing) {
    std::vector<std::u16string> programs;
    for (int p = 0; p < 20; ++p) {
        programs.push_back(u"C:\\Apps\\app" + toDecimal(p) + u".exe");
        fake::icons().shellNames.insert(programs.back());
    }
    std::vector<platform::ItemIcon> icons;
    {
        IconBatchScope batch;
        for (int i = 0; i < 200; ++i) {
            entry(0, u"", programs[static_cast<std::size_t>(i % 20)].c_str());
            icons.push_back(loadMenuItemIcon());
        }
        entry(0, u"C:\\missing.ico,1");
        EXPECT_EQ(loadMenuItemIcon().icon, 0u);
        EXPECT_FALSE(loadMenuItemIcon().copyWhenDrawn) << "nothing to copy from a source without an icon";
    }

    EXPECT_EQ(fake::icons().shellRequests.size(), 20u);
    EXPECT_EQ(fake::icons().extractRequests.size(), 0u) << "a missing file is looked at once, not asked";
    EXPECT_EQ(fake::icons().copies, 0) << "no copy is made before an item is drawn";
    EXPECT_EQ(fake::icons().live.size(), 20u);
    for (int i = 0; i < 200; ++i) {
        const platform::ItemIcon& icon = icons[static_cast<std::size_t>(i)];
        EXPECT_EQ(fake::iconSource(icon.icon), u"shell:" + programs[static_cast<std::size_t>(i % 20)]);
        // The first item of each source owns the icon as loaded; later ones copy that very icon.
        EXPECT_EQ(icon.copyWhenDrawn, i >= 20) << i;
        if (i >= 20) {
            EXPECT_EQ(icon.icon, icons[static_cast<std::size_t>(i % 20)].icon) << i;
        }
    }
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(platform::destroyIcon(icons[static_cast<std::size_t>(i)].icon));
    EXPECT_TRUE(fake::icons().live.empty());
}

TEST_F(ItemIcons, BatchChangesNoIconOnlyTheQuestions) {
    struct Item {
        std::uint32_t kind;
        const char16_t* iconText;
        const char16_t* command;
    };
    const Item a{0, u"", u"a.exe"}, b{0, u"", u"b.exe"}, none{0, u"", u"none.exe"}, submenu{EntryKind::Submenu, u"", u""},
        named{0, u"C:\\Icons\\app.ico,2", u"a.exe"}, renamed{0, u"C:\\Icons\\app.ico, 2", u"a.exe"};
    struct Row {
        const char* name;
        std::vector<Item> items;
        int asked;  // shell and file requests together
        int copied; // items that copy an earlier item's icon
    };
    const Row rows[] = {
        {"every source once: nothing to copy", {a, b, submenu, named}, 4, 0},
        {"a source again", {a, b, a}, 2, 1},
        {"the same file written differently is another source", {named, renamed, named}, 2, 1},
        {"program's own icons are sources too", {submenu, submenu}, 1, 1},
        {"a source without an icon is asked once and copied by none", {none, none, a}, 2, 0},
    };
    auto prepare = [this] {
        SetUp();
        fake::icons().shellNames = {u"a.exe", u"b.exe"};
        fake::putFile(u"C:\\Icons\\app.ico", icoFile());
        fake::putFileIcon(u"C:\\Icons\\app.ico", 2);
    };
    for (const Row& r : rows) {
        // What each item shows without a batch.
        prepare();
        std::vector<std::u16string> expected;
        for (const Item& item : r.items) {
            entry(item.kind, item.iconText, item.command);
            platform::ItemIcon alone = loadMenuItemIcon();
            EXPECT_FALSE(alone.copyWhenDrawn) << r.name;
            expected.push_back(fake::iconSource(alone.icon));
            if (alone.icon) platform::destroyIcon(alone.icon);
        }

        prepare();
        std::vector<std::u16string> got;
        std::vector<platform::IconHandle> owned;
        int copied = 0;
        {
            IconBatchScope batch;
            for (const Item& item : r.items) {
                entry(item.kind, item.iconText, item.command);
                platform::ItemIcon icon = loadMenuItemIcon();
                got.push_back(fake::iconSource(icon.icon));
                copied += icon.copyWhenDrawn;
                if (!icon.copyWhenDrawn && icon.icon) owned.push_back(icon.icon);
            }
        }
        EXPECT_EQ(got, expected) << r.name << ": the batch changes no icon";
        const int asked = static_cast<int>(fake::icons().shellRequests.size() + fake::icons().extractRequests.size());
        EXPECT_EQ(asked, r.asked) << r.name;
        EXPECT_EQ(copied, r.copied) << r.name;
        for (platform::IconHandle h : owned) EXPECT_TRUE(platform::destroyIcon(h)) << r.name;
        EXPECT_TRUE(fake::icons().live.empty()) << r.name << ": every loaded icon has one owner";
    }
}

TEST_F(ItemIcons, ATruncatedLibraryIsNeverHandedToTheIconReader) {
    const std::string library = testing_support::libraryFile();
    fake::putFile(u"C:\\Tools\\half.dll", library.substr(0, library.size() / 2));
    fake::putFile(u"C:\\Tools\\whole.dll", library);
    for (const char16_t* file : {u"C:\\Tools\\half.dll", u"C:\\Tools\\whole.dll"})
        for (int i = 0; i < 3; ++i) fake::putFileIcon(file, i);
    entry(0, u"C:\\Tools\\half.dll,2");
    EXPECT_EQ(loadedSource(), u"");
    EXPECT_TRUE(fake::icons().extractRequests.empty());
    entry(0, u"C:\\Tools\\whole.dll,2");
    EXPECT_EQ(loadedSource(), u"C:\\TOOLS\\WHOLE.DLL,2");
}

TEST_F(ItemIcons, ADamagedIcoFileIsNeverHandedToTheIconReader) {
    fake::putFile(u"C:\\Icons\\cut.ico", icoFile().substr(0, 30));
    fake::putFileIcon(u"C:\\Icons\\cut.ico", 0);
    fake::icons().shellNames = {u"C:\\Icons\\cut.ico"};
    entry(0, u"C:\\Icons\\cut.ico");
    EXPECT_EQ(loadedSource(), u"");
    entry(0, u"", u"C:\\Icons\\cut.ico");
    EXPECT_EQ(loadedSource(), u"");
    EXPECT_TRUE(fake::icons().extractRequests.empty() && fake::icons().shellRequests.empty());
}

TEST_F(ItemIcons, WithoutBatchEveryCallAsksAgain) {
    fake::icons().shellNames = {u"notepad.exe"};
    entry(0, u"", u"notepad.exe");
    platform::ItemIcon a = loadMenuItemIcon();
    platform::ItemIcon b = loadMenuItemIcon();
    EXPECT_NE(a.icon, b.icon);
    EXPECT_FALSE(a.copyWhenDrawn || b.copyWhenDrawn);
    EXPECT_EQ(fake::icons().shellRequests.size(), 2u);
    platform::destroyIcon(a.icon);
    platform::destroyIcon(b.icon);
}

} // namespace
