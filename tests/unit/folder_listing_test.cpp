#include <gtest/gtest.h>

#include <random>

#include "core/app_state.h"
#include "core/text.h"
#include "popup/folder_listing.h"
#include "popup_test_support.h"

using namespace vorlix;

namespace {

using Names = std::vector<std::u16string>;

std::string joined(const Names& names) {
    std::string out;
    for (const auto& n : names) out += toUtf8(n) + "|";
    return out;
}

class FolderListing : public ::testing::Test {
protected:
    void SetUp() override { popup_testing::resetPopupFakes(); }
};

struct ListingRow {
    const char* name;
    Names files;      // in the order the file system returns them
    Names subfolders;
    const char16_t* patterns;
    Names expected;
    bool noExtension;
};

TEST_F(FolderListing, PatternsFilterMergeAndOrder) {
    const ListingRow rows[] = {
        {"two patterns merge into one list", {u"z.log", u"b.txt", u"a.log", u"c.doc"}, {}, u"*.txt, *.log",
         {u"a.log", u"b.txt", u"z.log"}, false},
        {"a file matched twice is listed twice, adjacent", {u"b.txt", u"a.txt", u"c.doc"}, {}, u"*.txt,*.*",
         {u"a.txt", u"a.txt", u"b.txt", u"b.txt", u"c.doc"}, false},
        {"order ignores letter case", {u"b.txt", u"A.txt", u"C.txt"}, {}, u"*.txt", {u"A.txt", u"b.txt", u"C.txt"},
         false},
        {"empty patterns list nothing", {u"a.txt"}, {}, u"", {}, false},
        {"a leading comma lists nothing", {u"a.txt"}, {}, u",*.txt", {}, false},
        {"an empty field ends the listing", {u"a.txt", u"b.log"}, {}, u"*.txt,,*.log", {u"a.txt"}, false},
        {"/noext after the pattern", {u"Report.doc"}, {}, u"*.doc /noext", {u"Report.doc"}, true},
        {"/noext in any case before the pattern", {u"Report.doc"}, {}, u"/NoExt *.doc", {u"Report.doc"}, true},
        {"/noext with a comma leaves an empty first field", {u"Report.doc"}, {}, u"/noext,*.doc", {}, true},
        {"folders whose names match are not listed", {u"x.txt", u"hidden.txt"}, {u"dir.txt"}, u"*.txt",
         {u"hidden.txt", u"x.txt"}, false},
        {"patterns that match nothing", {u"a.txt"}, {}, u"*.bmp", {}, false},
        {"question marks match one character", {u"a1.txt", u"a12.txt"}, {}, u"a?.txt", {u"a1.txt"}, false},
    };
    for (const ListingRow& r : rows) {
        popup_testing::resetPopupFakes();
        fake::putFolderNames(u"D:\\Docs", r.files, r.subfolders);
        bool noExt = listFolder(u"D:\\Docs\\", r.patterns);
        EXPECT_EQ(joined(app.folderItems), joined(r.expected)) << r.name;
        EXPECT_EQ(noExt, r.noExtension) << r.name;
    }
}

TEST_F(FolderListing, FolderIsResolvedAndJoinedToEachPattern) {
    struct Row {
        const char16_t* folder;
        std::u16string expectedSearch;
    };
    fake::environment().variables[u"DATA"] = u"D:\\Data";
    const Row rows[] = {
        {u"D:\\Docs\\", u"D:\\Docs\\*.txt"},
        {u"D:\\Docs", u"D:\\Docs\\*.txt"},
        {u"%DATA%\\sub\\", u"D:\\Data\\sub\\*.txt"},
        {u"sub\\", u"C:\\Work\\sub\\*.txt"}, // relative to the working directory
        {u"", u"*.txt"},                     // empty: the working directory itself
    };
    for (const Row& r : rows) {
        fake::folders().searches.clear();
        listFolder(r.folder, u" *.txt ");
        ASSERT_EQ(fake::folders().searches.size(), 1u) << toUtf8(r.folder);
        EXPECT_EQ(fake::folders().searches[0], r.expectedSearch) << toUtf8(r.folder);
    }
}

TEST_F(FolderListing, EmptyFolderFieldListsTheWorkingDirectory) {
    fake::putFolderNames(u"C:\\Work", {u"notes.txt"});
    listFolder(u"", u"*.txt");
    EXPECT_EQ(joined(app.folderItems), "notes.txt|");
}

TEST_F(FolderListing, FailuresGiveAnEmptyListAndReplaceTheOldOne) {
    fake::putFolderNames(u"D:\\Docs", {u"a.txt"});
    listFolder(u"D:\\Docs", u"*.txt");
    ASSERT_EQ(app.folderItems.size(), 1u);
    listFolder(u"D:\\Missing", u"*.txt");
    EXPECT_TRUE(app.folderItems.empty());
    listFolder(u"D:\\Docs", u"*.txt");
    fake::folders().failAll = true;
    listFolder(u"D:\\Docs", u"*.txt");
    EXPECT_TRUE(app.folderItems.empty());
}

TEST(FolderNames, SortIsOrdinalOnLowerCasedCodeUnitsAndStable) {
    struct Row {
        const char* name;
        Names input;
        Names expected;
    };
    const Row rows[] = {
        {"equal names keep their order", {u"B", u"a", u"A", u"b"}, {u"a", u"A", u"B", u"b"}},
        {"punctuation sorts by code unit after lower-casing", {u"Zeta", u"_under", u"[br", u"alpha"},
         {u"[br", u"_under", u"alpha", u"Zeta"}},
        {"a prefix comes first", {u"ab", u"a", u"A"}, {u"a", u"A", u"ab"}},
        {"UTF-16 order, not code point order", {u"\uE000", u"\U0001F600"}, {u"\U0001F600", u"\uE000"}},
        {"nothing to sort", {}, {}},
    };
    for (const Row& r : rows) {
        Names names = r.input;
        sortFolderNames(names);
        EXPECT_EQ(joined(names), joined(r.expected)) << r.name;
    }
}

// The order must be exactly that of inserting each name after the last name that is not greater.
TEST(FolderNames, SortMatchesOrderedInsertion) {
    std::mt19937 random(7);
    const char16_t letters[] = u"aAbB._ 1";
    for (int round = 0; round < 200; ++round) {
        Names names;
        int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) {
            std::u16string n;
            int length = 1 + static_cast<int>(random() % 3);
            for (int j = 0; j < length; ++j) n += letters[random() % 8];
            names.push_back(n);
        }
        Names inserted;
        for (const auto& n : names) {
            std::size_t at = inserted.size();
            while (at > 0 && lowerCase(inserted[at - 1]) > lowerCase(n)) --at;
            inserted.insert(inserted.begin() + static_cast<std::ptrdiff_t>(at), n);
        }
        Names sorted = names;
        sortFolderNames(sorted);
        ASSERT_EQ(sorted, inserted) << joined(names);
    }
}

TEST(FolderNames, NameWithoutExtension) {
    struct Row {
        const char16_t* name;
        const char16_t* shown;
    };
    const Row rows[] = {
        {u"Report.doc", u"Report"},
        {u"archive.tar.gz", u"archive.tar"},
        {u"my file.txt", u"my file"},
        {u"version 1.2 final", u"version 1.2 final"}, // a space after the last dot
        {u".profile", u".profile"},
        {u"ends with dot.", u"ends with dot."},
        {u"plain", u"plain"},
        {u"a.b", u"a"},
        {u"", u""},
    };
    for (const Row& r : rows) EXPECT_EQ(nameWithoutExtension(r.name), r.shown) << toUtf8(r.name);
}

} // namespace
