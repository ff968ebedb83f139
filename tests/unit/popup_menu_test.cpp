#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "core/app_state.h"
#include "core/text.h"
#include "platform/events.h"
#include "platform/menus.h"
#include "popup/popup_menu.h"
#include "popup_test_support.h"

using namespace vorlix;

namespace {

struct Line {
    const char16_t* label;
    const char16_t* definition;
};

void setEntries(const std::vector<Line>& lines) {
    app.entries.clear();
    for (const Line& l : lines) app.entries.push_back({l.label, l.definition, 0});
    app.lineNumber = static_cast<std::int64_t>(lines.size());
}

// A menu as text: "text#command", "~" for greyed, "-" a separator, "|#command" a column break,
// "text[...]" a submenu.
std::string describe(platform::MenuHandle handle) {
    const fake::FakeMenu* m = fake::menu(handle);
    if (!m) return "<gone>";
    std::string out;
    for (const fake::FakeMenuItem& item : m->items) {
        if (!out.empty()) out += " ";
        switch (item.type) {
        case fake::ItemType::Item:
            out += toUtf8(item.text) + "#" + std::to_string(item.commandId) + (item.greyed ? "~" : "");
            break;
        case fake::ItemType::Separator: out += "-"; break;
        case fake::ItemType::ColumnBreak: out += "|#" + std::to_string(item.commandId); break;
        case fake::ItemType::Submenu: out += toUtf8(item.text) + "[" + describe(item.submenu) + "]"; break;
        }
    }
    return out;
}

std::vector<int> postedMenuIds() {
    std::vector<int> ids;
    for (const fake::ScriptedEvent& e : fake::ui().events)
        if (e.event.kind == platform::EventKind::Menu) ids.push_back(e.event.id);
    return ids;
}

// What the window system sends the owner when the submenu at position of its parent opens.
bool openSubmenu(platform::MenuHandle submenu, int position) {
    return popupMenuNotice(platform::MenuNotice::Opening, submenu, position);
}

class PopupMenu : public ::testing::Test {
protected:
    void SetUp() override {
        popup_testing::resetPopupFakes();
        app.mainWindow = 0x77;
        app.programPath = u"C:\\Tools\\Vorlix.exe";
    }
};

TEST_F(PopupMenu, StructureAndIdentifiers) {
    struct Row {
        const char* name;
        std::vector<Line> lines;
        const char* expected;
    };
    const Row rows[] = {
        {"submenu between items",
         {{u"A", u"a.exe"}, {u"Tools/", u"submenu"}, {u"Tools/x", u"x.exe"}, {u"Tools/y", u"y.exe"}, {u"B", u"b.exe"}},
         "A#1 Tools[x#3 y#4] B#5"},
        {"separator inside a submenu, and one that closes it",
         {{u"Tools/", u"submenu"}, {u"Tools/x", u"x.exe"}, {u"Tools/-", u""}, {u"Tools/y", u"y.exe"}, {u"-", u""},
          {u"B", u"b.exe"}},
         "Tools[x#2 - y#4] - B#6"},
        {"column break takes an identifier", {{u"A", u"a.exe"}, {u"|", u""}, {u"B", u"b.exe"}}, "A#1 |#2 B#3"},
        {"remark is greyed", {{u"Note", u"rem"}, {u"A", u"a.exe"}}, "Note#1~ A#2"},
        {"remark inside a submenu is greyed", {{u"S/", u"submenu"}, {u"S/Note", u"remark"}}, "S[Note#2~]"},
        {"submenu names match regardless of case",
         {{u"Tools/", u"submenu"}, {u"tools/x", u"x.exe"}, {u"A", u"a.exe"}}, "Tools[x#2] A#3"},
        {"a second header closes the first submenu",
         {{u"S/", u"submenu"}, {u"S/x", u"x.exe"}, {u"T/", u"submenu"}, {u"T/y", u"y.exe"}}, "S[x#2] T[y#4]"},
        {"a header without a slash does not swallow later items",
         {{u"Tools", u"submenu"}, {u"A", u"a.exe"}}, "Tools[] A#2"},
        {"files entry gets an empty submenu", {{u"Docs", u"files;*.txt;D:\\Docs"}, {u"A", u"a.exe"}},
         "Docs[] A#2"},
        {"keyword entries are ordinary items", {{u"C", u"cancel"}, {u"W", u"https://x.org"}}, "C#1 W#2"},
        {"empty list", {}, ""},
    };
    for (const Row& r : rows) {
        popup_testing::resetPopupFakes();
        setEntries(r.lines);
        buildPopupMenu();
        EXPECT_EQ(describe(app.rootMenu), r.expected) << r.name;
        EXPECT_EQ(app.firstFolderItemId, static_cast<std::int64_t>(r.lines.size())) << r.name;
        EXPECT_EQ(fake::menus().badHandleCalls, 0) << r.name;
    }
}

TEST_F(PopupMenu, LabelsAreExpanded) {
    fake::environment().variables[u"USERNAME"] = u"alice";
    setEntries({{u"Hello %USERNAME%", u"notepad.exe"}});
    buildPopupMenu();
    EXPECT_EQ(describe(app.rootMenu), "Hello alice#1");
}

TEST_F(PopupMenu, ConfigurationEntrySetsNoButton) {
    struct Row {
        std::vector<Line> lines;
        std::uint32_t optionsBefore;
        bool noButton;
    };
    const Row rows[] = {
        {{{u"Setup", u"Configuration"}}, 0, true},
        {{{u"S/", u"submenu"}, {u"S/Setup", u"setup"}}, 0, true},
        {{{u"A", u"a.exe"}}, 0, false},
        {{{u"A", u"a.exe"}}, NoButton, true},
    };
    for (const Row& r : rows) {
        popup_testing::resetPopupFakes();
        app.options = r.optionsBefore;
        setEntries(r.lines);
        buildPopupMenu();
        EXPECT_EQ((app.options & NoButton) != 0, r.noButton) << toUtf8(r.lines.back().definition);
    }
}

TEST_F(PopupMenu, FilesEntriesAreRecorded) {
    setEntries({{u"S/", u"submenu"}, {u"S/Docs", u"files notepad.exe;*.txt /noext;D:\\Docs"}, {u"Here", u"files;*.*;"}});
    buildPopupMenu();
    ASSERT_EQ(app.folderSubmenus.size(), 2u);
    const FolderSubmenu& inSub = app.folderSubmenus[0];
    EXPECT_EQ(inSub.id, 1);
    EXPECT_EQ(inSub.folder, u"D:\\Docs\\");
    EXPECT_EQ(inSub.patterns, u"*.txt /noext");
    EXPECT_EQ(inSub.opener, u"notepad.exe");
    EXPECT_EQ(inSub.parentMenu, fake::menu(app.rootMenu)->items[0].submenu);
    EXPECT_EQ(fake::menu(inSub.parentMenu)->items[0].submenu, inSub.submenu);
    const FolderSubmenu& top = app.folderSubmenus[1];
    EXPECT_EQ(top.parentMenu, app.rootMenu);
    EXPECT_EQ(top.folder, u"");
    EXPECT_EQ(top.opener, u"");
}

TEST_F(PopupMenu, PlacementAndOwner) {
    struct Row {
        std::uint32_t options;
        platform::Point cursor;
        platform::Point expected;
    };
    const Row rows[] = {
        {0, {400, 300}, {399, 299}},
        {0, {0, 0}, {-1, -1}},
        {FixedPosition, {400, 300}, {120, 45}},
    };
    for (const Row& r : rows) {
        popup_testing::resetPopupFakes();
        app.options = r.options;
        app.positionX = 120;
        app.positionY = 45;
        fake::ui().cursor = r.cursor;
        setEntries({{u"A", u"a.exe"}});
        buildPopupMenu();
        ASSERT_EQ(fake::menus().tracks.size(), 1u);
        const fake::TrackRequest& t = fake::menus().tracks[0];
        EXPECT_EQ(t.menu, app.rootMenu);
        EXPECT_EQ(t.owner, app.mainWindow);
        EXPECT_EQ(t.x, r.expected.x);
        EXPECT_EQ(t.y, r.expected.y);
        ASSERT_EQ(fake::ui().foregroundRequests.size(), 1u);
        EXPECT_EQ(fake::ui().foregroundRequests[0], app.mainWindow);
    }
}

TEST_F(PopupMenu, ChoiceArrivesAsMenuEventWithTheEntryPosition) {
    setEntries({{u"A", u"a.exe"}, {u"B", u"b.exe"}});
    fake::menus().onTrack = [](const fake::TrackRequest&) { return 2u; }; // the item of entry 1
    buildPopupMenu();
    EXPECT_EQ(postedMenuIds(), std::vector<int>{1});

    popup_testing::resetPopupFakes();
    setEntries({{u"A", u"a.exe"}});
    buildPopupMenu(); // dismissed
    EXPECT_TRUE(postedMenuIds().empty());
}

// Menu command messages carry 16 bits; identifiers past 65535 must still reach the right entry.
TEST_F(PopupMenu, IdentifiersBeyondSixteenBits) {
    std::vector<Line> lines;
    std::vector<std::u16string> labels;
    for (int i = 0; i < 70000; ++i) labels.push_back(u"E" + toDecimal(i));
    for (const auto& l : labels) lines.push_back({l.c_str(), u"a.exe"});
    setEntries(lines);
    for (int chosen : {0, 3, 65535, 65536, 65539, 69999}) {
        fake::ui().events.clear();
        fake::menus().onTrack = [&](const fake::TrackRequest& t) {
            // The user picks the item that shows the chosen entry's label.
            for (const auto& item : fake::menu(t.menu)->items)
                if (item.text == labels[static_cast<std::size_t>(chosen)]) return item.commandId;
            return 0u;
        };
        buildPopupMenu();
        EXPECT_EQ(postedMenuIds(), std::vector<int>{chosen});
    }
    std::set<std::uint32_t> commands;
    for (const auto& item : fake::menu(app.rootMenu)->items) commands.insert(item.commandId);
    EXPECT_EQ(commands.size(), 70000u);
}

TEST_F(PopupMenu, SingleFilesLineShowsTheFolderDirectly) {
    fake::putFolderNames(u"D:\\Docs", {u"b.txt", u"a.txt", u"c.log"});
    setEntries({{u"Docs", u"files;*.txt;D:\\Docs"}});
    ASSERT_EQ(app.lineNumber, 1);
    std::string shown;
    fake::menus().onTrack = [&](const fake::TrackRequest& t) {
        shown = describe(t.menu);
        EXPECT_NE(t.menu, app.rootMenu);
        return 3u; // b.txt: firstFolderItemId 1 + position 1, plus 1
    };
    buildPopupMenu();
    EXPECT_EQ(shown, "a.txt#2 b.txt#3");
    EXPECT_EQ(postedMenuIds(), std::vector<int>{2});
    EXPECT_EQ(app.folderItems[static_cast<std::size_t>(2 - app.firstFolderItemId)], u"b.txt");
}

TEST_F(PopupMenu, FolderSubmenusAreFilledWhenOpenedAndAlwaysCurrent) {
    fake::putFolderNames(u"D:\\One", {u"b.txt", u"a.txt"});
    fake::putFolderNames(u"D:\\Two", {u"Report.doc"});
    setEntries({{u"A", u"a.exe"}, {u"One", u"files;*.txt;D:\\One"}, {u"Two", u"files;*.doc /noext;D:\\Two"}});
    std::vector<std::string> seen;
    fake::menus().onTrack = [&](const fake::TrackRequest&) {
        const platform::MenuHandle one = app.folderSubmenus[0].submenu;
        const platform::MenuHandle two = app.folderSubmenus[1].submenu;
        EXPECT_TRUE(openSubmenu(one, 1));
        seen.push_back(describe(one) + " / " + toUtf8(app.folderItems[0]));
        EXPECT_TRUE(openSubmenu(two, 2));
        seen.push_back(describe(two) + " / " + toUtf8(app.folderItems[0]));
        EXPECT_EQ(app.currentFolderSubmenu, 1u);
        // The folder changes while the popup is open; opening the first submenu again lists it anew,
        // into the same menu, which is never destroyed while it may be on screen.
        fake::putFolderNames(u"D:\\One", {u"c.txt"});
        EXPECT_TRUE(openSubmenu(one, 1));
        seen.push_back(describe(one) + " / " + toUtf8(app.folderItems[0]));
        EXPECT_EQ(app.currentFolderSubmenu, 0u);
        EXPECT_NE(fake::menu(two), nullptr);
        return 4u; // the first item of the listing made last
    };
    buildPopupMenu();
    const std::vector<std::string> expected = {"a.txt#4 b.txt#5 / a.txt", "Report#4 / Report.doc", "c.txt#4 / c.txt"};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(postedMenuIds(), std::vector<int>{3});
    EXPECT_EQ(fake::menus().badHandleCalls, 0);
}

TEST_F(PopupMenu, MenuNotices) {
    setEntries({{u"Docs", u"files;*.txt;D:\\Docs"}, {u"S/", u"submenu"}, {u"S/x", u"x.exe"}});
    app.options = CheckOnly;
    buildPopupMenu();
    const platform::MenuHandle plainSubmenu = fake::menu(app.rootMenu)->items[1].submenu;
    struct Row {
        const char* name;
        platform::MenuNotice notice;
        platform::MenuHandle menu;
        bool handled;
        bool loopEnded;
    };
    const Row rows[] = {
        {"the root menu opening", platform::MenuNotice::Opening, app.rootMenu, false, false},
        {"an ordinary submenu opening", platform::MenuNotice::Opening, plainSubmenu, false, false},
        {"an unknown menu opening", platform::MenuNotice::Opening, 0xDEAD, false, false},
        {"a folder submenu opening", platform::MenuNotice::Opening, app.folderSubmenus[0].submenu, true, false},
        {"the menu loop ending", platform::MenuNotice::LoopEnded, 0, false, true},
    };
    for (const Row& r : rows) {
        app.menuLoopEnded = false;
        EXPECT_EQ(popupMenuNotice(r.notice, r.menu, 0), r.handled) << r.name;
        EXPECT_EQ(app.menuLoopEnded, r.loopEnded) << r.name;
    }
}

TEST_F(PopupMenu, IconMenusInBothLooks) {
    struct Row {
        std::uint32_t options;
        bool iconMenu;
        platform::IconMenuLook look;
    };
    const Row rows[] = {
        {0, false, {}},
        {ShowIcons, true, platform::IconMenuLook::Classic},
        {ShowIcons | AltIconLook, true, platform::IconMenuLook::Alternative},
    };
    for (const Row& r : rows) {
        popup_testing::resetPopupFakes();
        fake::icons().shellNames = {u"a.exe"};
        fake::putFile(u"C:\\Tools\\Vorlix.exe", "MZ");
        for (int i = 0; i < 9; ++i) fake::putFileIcon(u"C:\\Tools\\Vorlix.exe", i);
        app.programPath = u"C:\\Tools\\Vorlix.exe";
        app.options = r.options;
        setEntries({{u"A", u"a.exe"}, {u"-", u""}, {u"A2", u"a.exe"}, {u"S/", u"submenu"}, {u"S/x", u"a.exe"},
                    {u"Docs", u"files;*.txt;D:\\"}});
        std::vector<std::u16string> sources;
        std::set<platform::IconHandle> handles;
        fake::menus().onTrack = [&](const fake::TrackRequest& t) {
            const fake::FakeMenu* root = fake::menu(t.menu);
            EXPECT_EQ(root->iconMenu, r.iconMenu);
            EXPECT_EQ(root->look, r.look);
            const fake::FakeMenu* sub = fake::menu(root->items[3].submenu);
            EXPECT_EQ(sub->iconMenu, r.iconMenu) << "submenus can show icons too";
            EXPECT_FALSE(fake::menu(root->items[4].submenu)->iconMenu) << "folder content is plain";
            for (platform::MenuHandle m : {t.menu, root->items[3].submenu}) {
                for (const std::u16string& shown : fake::drawMenu(m))
                    if (!shown.empty()) sources.push_back(shown);
                for (const fake::FakeMenuItem& item : fake::menu(m)->items)
                    if (platform::IconHandle drawn = item.copyWhenDrawn ? item.drawnCopy : item.icon) handles.insert(drawn);
            }
            return 0u;
        };
        buildPopupMenu();
        if (r.iconMenu) {
            const std::vector<std::u16string> expected = {u"shell:a.exe", u"shell:a.exe", u"C:\\TOOLS\\VORLIX.EXE,1",
                                                          u"C:\\TOOLS\\VORLIX.EXE,2", u"shell:a.exe"};
            EXPECT_EQ(sources, expected);
            EXPECT_EQ(handles.size(), sources.size()) << "each item drawn has its own icon";
            EXPECT_EQ(fake::icons().shellRequests.size(), 1u) << "one question per source";
            EXPECT_EQ(fake::icons().copies, 2) << "the two items that repeat a source copy its icon";
        } else {
            EXPECT_TRUE(sources.empty());
            EXPECT_TRUE(fake::icons().shellRequests.empty());
        }
        EXPECT_TRUE(fake::icons().live.empty()) << "icons and copies are destroyed after the popup has closed";
        EXPECT_EQ(fake::icons().badDestroys, 0);
        EXPECT_EQ(fake::menus().itemIconsReleased, 1);
        for (const MenuEntry& e : app.entries) EXPECT_EQ(e.icon, 0u);
    }
}

TEST_F(PopupMenu, IconsAreInPlaceBeforeTheMenuIsShown) {
    // Whatever the user does first, every item already has its icon when the popup appears, and every
    // icon lives until the popup has closed.
    struct Row {
        const char* name;
        std::function<std::uint32_t()> whileShown;
        std::vector<int> posted;
    };
    const Row rows[] = {
        {"chosen at once", [] { return 1u; }, {0}},
        {"dismissed", [] { return 0u; }, {}},
        {"a submenu opened, then an item of it chosen",
         [] {
             openSubmenu(fake::menu(app.rootMenu)->items[1].submenu, 1);
             return 3u;
         },
         {2}},
        {"the menu loop ending", [] {
             popupMenuNotice(platform::MenuNotice::LoopEnded, 0, 0);
             return 0u;
         }, {}},
    };
    for (const Row& r : rows) {
        popup_testing::resetPopupFakes();
        fake::icons().shellNames = {u"a.exe", u"b.exe"};
        fake::putFile(u"C:\\Tools\\Vorlix.exe", "MZ");
        fake::putFileIcon(u"C:\\Tools\\Vorlix.exe", 1);
        app.programPath = u"C:\\Tools\\Vorlix.exe";
        app.options = ShowIcons;
        setEntries(
            {{u"A", u"a.exe"}, {u"S/", u"submenu"}, {u"S/b", u"b.exe"}, {u"S/a", u"a.exe"}, {u"Last", u"a.exe"}});
        std::vector<std::u16string> shown;
        fake::menus().onTrack = [&](const fake::TrackRequest& t) {
            const fake::FakeMenu* root = fake::menu(t.menu);
            for (platform::MenuHandle m : {t.menu, root->items[1].submenu})
                for (const std::u16string& icon : fake::drawMenu(m)) shown.push_back(icon);
            const std::uint32_t chosen = r.whileShown();
            // Opening the submenu or ending the loop loads nothing more.
            EXPECT_EQ(fake::icons().shellRequests.size(), 2u) << r.name;
            EXPECT_EQ(fake::icons().live.size(), 5u) << r.name << ": icons live while the popup shows";
            return chosen;
        };
        buildPopupMenu();
        const std::vector<std::u16string> expected = {u"shell:a.exe", u"C:\\TOOLS\\VORLIX.EXE,1", u"shell:a.exe",
                                                      u"shell:b.exe", u"shell:a.exe"};
        EXPECT_EQ(shown, expected) << r.name;
        EXPECT_TRUE(fake::icons().live.empty()) << r.name;
        EXPECT_EQ(fake::icons().badDestroys, 0) << r.name;
        EXPECT_EQ(app.currentEntry.label, u"Last") << r.name;
        EXPECT_EQ(postedMenuIds(), r.posted) << r.name;
    }
}

TEST_F(PopupMenu, CheckOnlyBuildsLoadsAndDestroysButDoesNotShow) {
    fake::icons().shellNames = {u"a.exe"};
    app.options = CheckOnly | ShowIcons;
    setEntries({{u"A", u"a.exe"}, {u"B", u"a.exe"}});
    buildPopupMenu();
    EXPECT_TRUE(fake::menus().tracks.empty());
    EXPECT_TRUE(fake::ui().foregroundRequests.empty());
    EXPECT_EQ(describe(app.rootMenu), "A#1 B#2");
    EXPECT_EQ(fake::icons().shellRequests.size(), 1u);
    EXPECT_EQ(fake::icons().destroyed, 1) << "the icon as loaded; the second item is never drawn, so never copies it";
    EXPECT_TRUE(fake::icons().live.empty());
}

TEST_F(PopupMenu, RebuildReplacesThePreviousMenus) {
    fake::putFolderNames(u"D:\\Docs", {u"a.txt"});
    setEntries({{u"Docs", u"files;*.txt;D:\\Docs"}});
    app.options = CheckOnly;
    buildPopupMenu();
    const platform::MenuHandle firstRoot = app.rootMenu;
    const int live = fake::liveMenuCount();
    for (int i = 0; i < 3; ++i) buildPopupMenu();
    EXPECT_EQ(fake::menu(firstRoot), nullptr);
    EXPECT_EQ(fake::liveMenuCount(), live);
    EXPECT_EQ(fake::menus().badHandleCalls, 0);
    EXPECT_EQ(fake::menus().iconMenuItemsForgotten, 4);
}

} // namespace
