#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "app/drive_relocation.h"
#include "core/text.h"
#include "platform/fake/fake_environment.h"

using namespace vorlix;

namespace {

struct Row {
    const char* name;
    std::u16string programPath;
    std::u16string windir;    // empty: unset
    std::u16string homeDrive; // empty: unset
    std::vector<std::u16string> before;
    std::vector<std::u16string> after;
};

std::vector<std::u16string> relocate(const Row& row) {
    resetAppState();
    fake::resetEnvironment();
    app.programPath = row.programPath;
    if (!row.windir.empty()) fake::environment().variables[u"WINDIR"] = row.windir;
    if (!row.homeDrive.empty()) fake::environment().variables[u"HOMEDRIVE"] = row.homeDrive;
    for (const std::u16string& definition : row.before) app.entries.push_back({u"label", definition, 0});
    relocateDriveLetters();
    std::vector<std::u16string> out;
    for (const MenuEntry& entry : app.entries) out.push_back(entry.definition);
    return out;
}

} // namespace

TEST(DriveRelocation, ReplacesTheMenusDriveLetterByTheProgramsOwn) {
    const Row rows[] = {
        {"letter after each separator, none after an ordinary character", u"F:\\Vorlix.exe", u"C:\\Windows", u"C:",
         {u"C:\\Windows\\notepad.exe", u"E:\\tools\\x.exe;/in=E:\\data", u"xE:\\a"},
         {u"C:\\Windows\\notepad.exe", u"F:\\tools\\x.exe;/in=F:\\data", u"xE:\\a"}},
        {"all seven separators", u"F:\\Vorlix.exe", u"C:\\Windows", u"C:",
         {u"E:\\a;E:\\b,E:\\c E:\\d/E:\\e=E:\\f+E:\\g\"E:\\h"},
         {u"F:\\a;F:\\b,F:\\c F:\\d/F:\\e=F:\\f+F:\\g\"F:\\h"}},
        {"lower-case letters are found and replaced", u"f:\\Vorlix.exe", u"c:\\windows", u"c:",
         {u"e:\\tools\\x.exe;e:\\data"},
         {u"F:\\tools\\x.exe;F:\\data"}},
        {"other letters stay", u"F:\\Vorlix.exe", u"C:\\Windows", u"C:",
         {u"E:\\x.exe;D:\\y;C:\\z"},
         {u"F:\\x.exe;D:\\y;C:\\z"}},
        {"the windows drive is never taken as the old letter", u"F:\\Vorlix.exe", u"C:\\Windows", u"H:",
         {u"C:\\Windows\\x.exe", u"H:\\home.exe", u"D:\\y.exe", u"C:\\a;D:\\b"},
         {u"C:\\Windows\\x.exe", u"H:\\home.exe", u"F:\\y.exe", u"C:\\a;F:\\b"}},
        {"the old letter equals the program's: nothing changes", u"E:\\Vorlix.exe", u"C:\\Windows", u"C:",
         {u"E:\\a.exe", u"e:\\b.exe"},
         {u"E:\\a.exe", u"e:\\b.exe"}},
        {"no definition starts with a drive", u"F:\\Vorlix.exe", u"C:\\Windows", u"C:",
         {u"notepad.exe;E:\\x", u"http://e:80/"},
         {u"notepad.exe;E:\\x", u"http://e:80/"}},
        {"unset variables exclude nothing", u"F:\\Vorlix.exe", u"", u"",
         {u"C:\\x.exe"},
         {u"F:\\x.exe"}},
        {"a shell path names no drive", u"F:\\Vorlix.exe", u"C:\\Windows", u"C:",
         {u"::{645FF040-5081-101B-9F08-00AA002F954E}", u"E:\\x.exe"},
         {u"::{645FF040-5081-101B-9F08-00AA002F954E}", u"F:\\x.exe"}},
        {"a program on a network path gives no letter", u"\\\\server\\share\\Vorlix.exe", u"C:\\Windows", u"C:",
         {u"E:\\x.exe"},
         {u"E:\\x.exe"}},
        {"a colon at the very start is no drive", u"F:\\Vorlix.exe", u"C:\\Windows", u"C:",
         {u"E:\\x.exe", u":E:\\y"},
         {u"F:\\x.exe", u":E:\\y"}},
    };
    for (const Row& row : rows) EXPECT_EQ(relocate(row), row.after) << row.name;
}

TEST(DriveRelocation, LeavesLabelsAlone) {
    resetAppState();
    fake::resetEnvironment();
    app.programPath = u"F:\\Vorlix.exe";
    app.entries.push_back({u"E:\\label", u"E:\\x.exe", 0});
    relocateDriveLetters();
    EXPECT_EQ(app.entries.front().label, u"E:\\label");
    EXPECT_EQ(app.entries.front().definition, u"F:\\x.exe");
}
