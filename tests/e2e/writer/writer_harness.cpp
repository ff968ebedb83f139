// writer_harness.exe: drives the menu file writer through the real Win32 file services.
//
//   writer_harness save MENU [--add LABEL=DEFINITION]... [--ignore-read-only] [--report]
//       Reads MENU as the popup cycle does (missing-file defaults UTF-8 with a mark, read-only from the
//       file's attribute), appends the given entries ("\uXXXX" stands for a character), saves, and prints
//       Saved, ReadOnly or Failed. --ignore-read-only leaves the read-only flag clear, so that the writer
//       itself meets the attribute. --report shows the failure message when the save failed.
//   writer_harness loop MENU COUNT
//       Writes the bytes of two large menus (COUNT and COUNT * 3 / 2 entries) to MENU.a and MENU.b, saves
//       the first, creates MENU.ready and then saves the two in turn until it is killed.
//   writer_harness attributes PATH           prints the file's attributes in hexadecimal
//   writer_harness set-attributes PATH HEX   sets them
//   writer_harness codepage                  prints the ANSI code page (GetACP)
//
// Exit codes: 0 saved (or done), 1 read-only, 2 failed, 3 bad usage or an unexpected state.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/text.h"
#include "app/message_boxes.h"
#include "menufile/menu_bytes.h"
#include "menufile/reader.h"
#include "menufile/writer.h"
#include "platform/file_write.h"
#include "platform/files.h"

#include "../harness_output.h"

using namespace vorlix;

namespace {

std::u16string argument(const wchar_t* text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// "\uXXXX" escapes, so that the test scripts need not care how Wine converts command-line bytes.
std::u16string unescape(const std::u16string& text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        int value = 0;
        bool escape = text[i] == u'\\' && text.size() - i >= 6 && text[i + 1] == u'u';
        for (std::size_t k = 2; escape && k < 6; ++k) {
            int d = hexDigit(text[i + k]);
            escape = d >= 0;
            value = value * 16 + d;
        }
        if (escape) {
            out.push_back(static_cast<char16_t>(value));
            i += 5;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

bool writeWhole(const std::u16string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// The popup cycle's view of a menu file before the editor opens it.
bool readMenu(const std::u16string& path, bool ignoreReadOnly) {
    app.menuFilePath = path;
    app.menuEncoding = MenuEncoding::Utf8;
    app.menuHasBom = true;
    app.keywordList = u"configuration;vorlix;files;rem;cancel;submenu";
    if (!loadMenuFile()) return false;
    completeSubmenuHeaders();
    std::uint32_t attributes = 0;
    app.readOnlyMenu = !ignoreReadOnly && ((platform::fileAttributes(path, attributes) &&
                                            (attributes & platform::AttributeReadOnly)) ||
                                           platform::volumeIsReadOnly(path));
    return true;
}

int save(int argc, wchar_t** argv) {
    if (argc < 3) return 3;
    std::vector<MenuEntry> added;
    bool ignoreReadOnly = false;
    bool report = false;
    for (int i = 3; i < argc; ++i) {
        std::u16string option = argument(argv[i]);
        if (option == u"--ignore-read-only") {
            ignoreReadOnly = true;
        } else if (option == u"--report") {
            report = true;
        } else if (option == u"--add" && i + 1 < argc) {
            std::u16string line = unescape(argument(argv[++i]));
            std::size_t equals = line.find(u'=');
            if (equals == std::u16string::npos) return 3;
            added.push_back(MenuEntry{line.substr(0, equals), line.substr(equals + 1), 0});
        } else {
            return 3;
        }
    }
    if (!readMenu(argument(argv[2]), ignoreReadOnly)) {
        say("syntax error\n");
        return 3;
    }
    app.entries.insert(app.entries.end(), added.begin(), added.end());
    switch (saveMenuFile()) {
    case SaveResult::Saved: say("Saved\n"); return 0;
    case SaveResult::ReadOnly: say("ReadOnly\n"); return 1;
    case SaveResult::Failed: break;
    }
    say("Failed\n");
    if (report) reportSaveFailure(app.mainWindow);
    return 2;
}

std::vector<MenuEntry> largeMenu(int count, const std::u16string& tag) {
    std::vector<MenuEntry> entries;
    for (int i = 0; i < count; ++i) {
        std::u16string n = toDecimal(i);
        std::u16string label = (i % 50 == 0 ? u"" : u"Group " + toDecimal(i / 50) + u"/") + tag + u" item " + n;
        entries.push_back(MenuEntry{label, u"C:\\Program Files\\Tool " + n + u"\\tool.exe;--" + tag + u" " + n +
                                               u";C:\\Work\\" + n + u";;",
                                    0});
    }
    return entries;
}

int loop(int argc, wchar_t** argv) {
    if (argc < 4) return 3;
    std::u16string path = argument(argv[2]);
    int count = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
    if (count <= 0) return 3;
    app.menuFilePath = path;
    app.menuEncoding = MenuEncoding::Utf8;
    app.menuHasBom = true;
    const std::vector<MenuEntry> menus[2] = {largeMenu(count, u"a"), largeMenu(count * 3 / 2, u"b")};
    if (!writeWhole(path + u".a", encodeMenuFile(menus[0], MenuEncoding::Utf8, true)) ||
        !writeWhole(path + u".b", encodeMenuFile(menus[1], MenuEncoding::Utf8, true)))
        return 3;
    app.entries = menus[0];
    if (saveMenuFile() != SaveResult::Saved) return 2;
    if (!writeWhole(path + u".ready", "")) return 3;
    for (unsigned long long round = 1;; ++round) {
        app.entries = menus[round % 2];
        if (saveMenuFile() != SaveResult::Saved) {
            say("save failed in round " + std::to_string(round) + "\n");
            return 2;
        }
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && argument(argv[1]) == u"codepage") {
        say(std::to_string(GetACP()) + "\n");
        return 0;
    }
    if (argc < 3) return 3;
    std::u16string command = argument(argv[1]);
    if (command == u"save") return save(argc, argv);
    if (command == u"loop") return loop(argc, argv);
    if (command == u"attributes") {
        std::uint32_t attributes = 0;
        if (!platform::fileAttributes(argument(argv[2]), attributes)) return 2;
        char text[16];
        std::snprintf(text, sizeof text, "%x\n", static_cast<unsigned>(attributes));
        say(text);
        return 0;
    }
    if (command == u"set-attributes" && argc >= 4) {
        std::uint32_t attributes = static_cast<std::uint32_t>(std::wcstoul(argv[3], nullptr, 16));
        return platform::setFileAttributes(argument(argv[2]), attributes) ? 0 : 2;
    }
    return 3;
}
