// driver.exe: drives and inspects the windows of another program for the end-to-end tests under Wine.
//
//   driver <command> [window filter] [options]
//
// Window filter (top-level windows): --class C  --title T  --title-prefix P  --all (include hidden ones)
//                                    --timeout MS (how long to wait for the window; default 10000)
// Commands:
//   list                          every top-level window: handle, visible flag, class, title, rectangle
//   wait-window FILTER            wait until a matching window exists; print "handle left top right bottom"
//   wait-gone FILTER              wait until no matching window exists
//   exists FILTER                 exit 0 when a matching window exists now (no waiting), else 1
//   rect FILTER [--id N]          print "left top right bottom" (of control N with --id)
//   text FILTER [--child ID] [--escape]
//                                 print the window's text, or that of its child control ID (a message box's
//                                 text is child 0xFFFF); --escape writes CR, LF and TAB as \r, \n, \t
//   click FILTER (--button TEXT | --id ID)
//                                 BM_CLICK a child button found by its text ("&" ignored) or control id
//   close FILTER                  post WM_CLOSE
//   activate FILTER               bring the window to the foreground
//   keys [--delay MS] KEY...      type keys with SendInput: DOWN, RETURN, ESCAPE, F1, A, 5, CTRL+RETURN, ...
//   key-down KEY / key-up KEY     press or release one key (to hold a modifier across other commands)
//   mouse-move X Y                move the cursor
//   mouse-click [X Y] [--right] [--double]
//                                 click (or double-click) at the cursor or at (X, Y)
//   mouse-down / mouse-up         press or release the left button alone, where the cursor is
//   cursor                        print the cursor position "x y"
//   launch FILE [--params TEXT] [--cwd DIR] [--show N] [--verb V] [--wait]
//                                 start FILE through ShellExecuteExW, as Vorlix starts items; --wait waits
//                                 (up to --timeout) and prints the exit code
//   resources FILE                describe FILE's icon groups, ExtractIconExW's view, version and manifest
//   pixels X Y W H                print a hash of the screen's pixels in that rectangle, and " uniform"
//                                 when they are all one colour (so two drawings can be compared)
//
// Controls of a window, found by their number among all its descendants (controls sit inside panels):
//   control-text FILTER --id N    print the control's text (WM_GETTEXT)
//   control-state FILTER --id N   print "enabled|disabled visible|hidden checked|unchecked"
//   control-click FILTER --id N   post BM_CLICK (so a modal box it opens does not block the driver); fails
//                                 on a disabled or hidden control, which a user could not click
//   set-text FILTER --id N TEXT   WM_SETTEXT (an edit then reports EN_CHANGE, as for typing)
//   combo-selection FILTER --id N print CB_GETCURSEL (-1: none)
//   rows FILTER --id N [--icon]   print the list view's rows, one a line; with --icon each row's image
//                                 index after a tab (-2: none)
//   selected-row FILTER --id N    print the index of the selected row (-1: none)
//   column-fit FILTER --id N      print the width of the list view's first column and of its client area
//   row-click FILTER --id N ROW [--double] [--right] [--icon]
//                                 click the middle of the row with the mouse (SendInput); --icon: the
//                                 middle of its icon (in an icon list the row's bounds reach past its
//                                 label, and a click there clears the selection)
//   drop FILTER [--id N] PATH...  post WM_DROPFILES with the paths to the control (or to the window)
//        [--from FILE] [--rows K] the paths also from FILE (UTF-8, one a line: more than a command line
//                                 holds); with --rows, wait until the window is visible and list N has K
//                                 rows and print "ms T" from the drop
//   focus FILTER                  print the number of the control with the keyboard focus in the window's
//                                 thread (GetGUIThreadInfo; 0: none or a window without a number)
//   client-size FILTER            print the window's client size "WxH"
//   window-state FILTER           print "enabled|disabled foreground|background" of the window itself
//   owner FILTER                  print the title of the window's owner (an empty line: none)
//   topmost FILTER                print "topmost" or "not topmost": the WS_EX_TOPMOST bit of the window's
//                                 extended style (GetWindowLongPtrW), its real state, not a control's
//   end-session FILTER            ask the window whether a log-off may go on (WM_QUERYENDSESSION); print
//                                 "yes" or "no"
//   hold-file PATH [--timeout MS] open PATH for writing without sharing, print "held", keep it open for
//                                 MS (default 10000) or until killed: a menu file nobody else may replace
//   timed-start FILTER [--id N --rows K] COMMANDLINE
//                                 start the command line, wait until the filter's window is visible (and
//                                 its list view N has K rows), print "ms T" from the start, post WM_CLOSE
//                                 and wait for the program to end (killed, exit 1, when it does not)
//
// Exit codes: 0 success, 1 the window never appeared / a check failed, 2 bad usage.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "screen_pixels.h"

namespace {

constexpr DWORD defaultTimeoutMs = 10000;
constexpr DWORD pollMs = 50;
constexpr UINT sendTimeoutMs = 5000;

// ---- output: UTF-8 bytes, whatever stdout is (pipe, file or console) ----

void writeUtf8(HANDLE out, const std::wstring& text) {
    if (text.empty()) return;
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
    std::string buffer(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), buffer.data(), bytes, nullptr,
                        nullptr);
    DWORD written = 0;
    WriteFile(out, buffer.data(), static_cast<DWORD>(buffer.size()), &written, nullptr);
}

void say(const std::wstring& text) { writeUtf8(GetStdHandle(STD_OUTPUT_HANDLE), text); }
void complain(const std::wstring& text) { writeUtf8(GetStdHandle(STD_ERROR_HANDLE), L"driver: " + text + L"\n"); }

std::wstring hex(unsigned long long value) {
    wchar_t buf[32];
    swprintf(buf, 32, L"0x%llx", value);
    return buf;
}

std::wstring rectText(const RECT& r) {
    return std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right) + L" " +
           std::to_wstring(r.bottom);
}

std::wstring escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\r') out += L"\\r";
        else if (c == L'\n') out += L"\\n";
        else if (c == L'\t') out += L"\\t";
        else if (c == L'\\') out += L"\\\\";
        else out += c;
    }
    return out;
}

// ---- arguments ----

struct Args {
    std::vector<std::wstring> items;
    size_t next = 0;
    bool done() const { return next >= items.size(); }
};

bool parseNumber(const std::wstring& text, long long& value) {
    if (text.empty()) return false;
    wchar_t* end = nullptr;
    value = std::wcstoll(text.c_str(), &end, 0); // accepts 0x... for control ids
    return end && *end == 0;
}

struct Filter {
    std::wstring className, title, titlePrefix;
    bool hasClass = false, hasTitle = false, hasPrefix = false;
    bool includeHidden = false;
    DWORD timeoutMs = defaultTimeoutMs;

    std::wstring describe() const {
        std::wstring d = includeHidden ? L"window" : L"visible window";
        if (hasClass) d += L" of class \"" + className + L"\"";
        if (hasTitle) d += L" titled \"" + escaped(title) + L"\"";
        if (hasPrefix) d += L" with a title beginning \"" + escaped(titlePrefix) + L"\"";
        return d;
    }
};

struct Options {
    Filter filter;
    bool filterGiven = false;
    long long childId = -1;
    std::wstring buttonText;
    bool hasButtonText = false;
    bool escape = false;
    bool right = false;
    bool twice = false;
    bool onIcon = false;
    long long rowCount = -1;
    std::wstring fromFile; // drop --from: the paths, one a line
    DWORD delayMs = 0;
    std::wstring params, cwd, verb;
    int show = SW_SHOWNORMAL;
    bool wait = false;
    std::vector<std::wstring> positional;
};

bool parseOptions(Args& args, Options& o) {
    while (!args.done()) {
        std::wstring a = args.items[args.next++];
        auto value = [&](std::wstring& into) {
            if (args.done()) {
                complain(L"option " + a + L" needs a value");
                return false;
            }
            into = args.items[args.next++];
            return true;
        };
        auto number = [&](long long& into) {
            std::wstring text;
            if (!value(text)) return false;
            if (!parseNumber(text, into)) {
                complain(L"option " + a + L" needs a number, not \"" + text + L"\"");
                return false;
            }
            return true;
        };
        long long n = 0;
        if (a == L"--class") {
            if (!value(o.filter.className)) return false;
            o.filter.hasClass = o.filterGiven = true;
        } else if (a == L"--title") {
            if (!value(o.filter.title)) return false;
            o.filter.hasTitle = o.filterGiven = true;
        } else if (a == L"--title-prefix") {
            if (!value(o.filter.titlePrefix)) return false;
            o.filter.hasPrefix = o.filterGiven = true;
        } else if (a == L"--all") {
            o.filter.includeHidden = true;
        } else if (a == L"--timeout") {
            if (!number(n)) return false;
            o.filter.timeoutMs = static_cast<DWORD>(n < 0 ? 0 : n);
        } else if (a == L"--child" || a == L"--id") {
            if (!number(o.childId)) return false;
        } else if (a == L"--button") {
            if (!value(o.buttonText)) return false;
            o.hasButtonText = true;
        } else if (a == L"--params") {
            if (!value(o.params)) return false;
        } else if (a == L"--cwd") {
            if (!value(o.cwd)) return false;
        } else if (a == L"--verb") {
            if (!value(o.verb)) return false;
        } else if (a == L"--show") {
            if (!number(n)) return false;
            o.show = static_cast<int>(n);
        } else if (a == L"--wait") {
            o.wait = true;
        } else if (a == L"--escape") {
            o.escape = true;
        } else if (a == L"--right") {
            o.right = true;
        } else if (a == L"--double") {
            o.twice = true;
        } else if (a == L"--icon") {
            o.onIcon = true;
        } else if (a == L"--rows") {
            if (!number(o.rowCount)) return false;
        } else if (a == L"--from") {
            if (!value(o.fromFile)) return false;
        } else if (a == L"--delay") {
            if (!number(n)) return false;
            o.delayMs = static_cast<DWORD>(n < 0 ? 0 : n);
        } else if (a.size() > 2 && a[0] == L'-' && a[1] == L'-') {
            complain(L"unknown option " + a);
            return false;
        } else {
            o.positional.push_back(a);
        }
    }
    return true;
}

// ---- finding windows ----

std::wstring classOf(HWND w) {
    wchar_t buf[256] = {};
    GetClassNameW(w, buf, 256);
    return buf;
}

std::wstring titleOf(HWND w) {
    int length = GetWindowTextLengthW(w);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(w, text.data(), length + 1);
    text.resize(static_cast<size_t>(got < 0 ? 0 : got));
    return text;
}

bool matches(HWND w, const Filter& f) {
    if (!f.includeHidden && !IsWindowVisible(w)) return false;
    if (f.hasClass && classOf(w) != f.className) return false;
    if (f.hasTitle || f.hasPrefix) {
        std::wstring t = titleOf(w);
        if (f.hasTitle && t != f.title) return false;
        if (f.hasPrefix && t.compare(0, f.titlePrefix.size(), f.titlePrefix) != 0) return false;
    }
    return true;
}

struct Search {
    const Filter* filter;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    if (!s->filter || matches(w, *s->filter)) s->found.push_back(w);
    return TRUE;
}

std::vector<HWND> findNow(const Filter* f) {
    Search s{f, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

void listWindows(bool toStderr) {
    for (HWND w : findNow(nullptr)) {
        RECT r{};
        GetWindowRect(w, &r);
        std::wstring line = hex(reinterpret_cast<uintptr_t>(w)) + (IsWindowVisible(w) ? L" visible " : L" hidden  ") +
                            L"\"" + classOf(w) + L"\" \"" + escaped(titleOf(w)) + L"\" " + rectText(r) + L"\n";
        if (toStderr) writeUtf8(GetStdHandle(STD_ERROR_HANDLE), L"  " + line);
        else say(line);
    }
}

// Waits for the first matching window; on time-out says what was looked for and what is on screen instead.
HWND waitFor(const Options& o, const wchar_t* command) {
    DWORD start = GetTickCount();
    for (;;) {
        auto found = findNow(&o.filter);
        if (!found.empty()) return found.front();
        if (GetTickCount() - start >= o.filter.timeoutMs) break;
        Sleep(pollMs);
    }
    complain(std::wstring(command) + L": no " + o.filter.describe() + L" appeared within " +
             std::to_wstring(o.filter.timeoutMs) + L" ms. Top-level windows now:");
    listWindows(true);
    return nullptr;
}

// ---- children ----

struct ChildSearch {
    std::wstring text;
    long long id;
    HWND found = nullptr;
};

std::wstring withoutAmpersands(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i; // "&&" stands for one "&"
        out += text[i];
    }
    return out;
}

BOOL CALLBACK findButton(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<ChildSearch*>(p);
    if (s->id >= 0) {
        if (GetDlgCtrlID(w) == s->id) {
            s->found = w;
            return FALSE;
        }
        return TRUE;
    }
    if (_wcsicmp(classOf(w).c_str(), L"Button") == 0 && withoutAmpersands(titleOf(w)) == withoutAmpersands(s->text)) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

bool sendGetText(HWND w, std::wstring& text) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, sendTimeoutMs, &length)) return false;
    std::wstring buffer(length + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(w, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                             sendTimeoutMs, &got))
        return false;
    buffer.resize(got);
    text = buffer;
    return true;
}

// ---- keyboard and mouse ----

struct KeyName {
    const wchar_t* name;
    WORD vk;
};

constexpr KeyName keyNames[] = {
    {L"RETURN", VK_RETURN}, {L"ENTER", VK_RETURN}, {L"ESCAPE", VK_ESCAPE}, {L"ESC", VK_ESCAPE},
    {L"TAB", VK_TAB},       {L"SPACE", VK_SPACE},  {L"BACK", VK_BACK},     {L"BACKSPACE", VK_BACK},
    {L"UP", VK_UP},         {L"DOWN", VK_DOWN},    {L"LEFT", VK_LEFT},     {L"RIGHT", VK_RIGHT},
    {L"HOME", VK_HOME},     {L"END", VK_END},      {L"PRIOR", VK_PRIOR},   {L"PAGEUP", VK_PRIOR},
    {L"NEXT", VK_NEXT},     {L"PAGEDOWN", VK_NEXT}, {L"INSERT", VK_INSERT}, {L"DELETE", VK_DELETE},
    {L"SHIFT", VK_SHIFT},   {L"CTRL", VK_CONTROL}, {L"CONTROL", VK_CONTROL}, {L"ALT", VK_MENU},
    {L"MENU", VK_MENU},     {L"APPS", VK_APPS},    {L"LWIN", VK_LWIN},
};

bool isExtended(WORD vk) {
    switch (vk) {
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE: case VK_APPS: case VK_LWIN:
        return true;
    default:
        return false;
    }
}

bool keyCode(const std::wstring& name, WORD& vk) {
    std::wstring upper = name;
    for (auto& c : upper) c = static_cast<wchar_t>(towupper(c));
    for (const auto& k : keyNames) {
        if (upper == k.name) {
            vk = k.vk;
            return true;
        }
    }
    if (upper.size() == 1 && ((upper[0] >= L'A' && upper[0] <= L'Z') || (upper[0] >= L'0' && upper[0] <= L'9'))) {
        vk = upper[0];
        return true;
    }
    if (upper.size() >= 2 && upper[0] == L'F') {
        long long n = 0;
        if (parseNumber(upper.substr(1), n) && n >= 1 && n <= 24) {
            vk = static_cast<WORD>(VK_F1 + n - 1);
            return true;
        }
    }
    long long n = 0;
    if (upper.size() > 2 && upper[0] == L'0' && upper[1] == L'X' && parseNumber(name, n) && n > 0 && n < 256) {
        vk = static_cast<WORD>(n);
        return true;
    }
    complain(L"unknown key \"" + name + L"\"");
    return false;
}

INPUT keyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (isExtended(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

bool send(std::vector<INPUT> inputs) {
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) {
        complain(L"SendInput delivered " + std::to_wstring(sent) + L" of " + std::to_wstring(inputs.size()) +
                 L" events");
        return false;
    }
    return true;
}

// "CTRL+SHIFT+RETURN": modifiers pressed in order, the last key tapped, modifiers released in reverse.
bool chord(const std::wstring& text) {
    std::vector<WORD> keys;
    size_t start = 0;
    for (;;) {
        size_t plus = text.find(L'+', start);
        std::wstring part = text.substr(start, plus == std::wstring::npos ? std::wstring::npos : plus - start);
        WORD vk = 0;
        if (!keyCode(part, vk)) return false;
        keys.push_back(vk);
        if (plus == std::wstring::npos) break;
        start = plus + 1;
    }
    std::vector<INPUT> inputs;
    for (WORD vk : keys) inputs.push_back(keyInput(vk, false));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) inputs.push_back(keyInput(*it, true));
    return send(inputs);
}

// A double click is both clicks in one SendInput, well inside the double-click time.
bool mouseButton(bool right, bool twice = false) {
    INPUT down{}, up{};
    down.type = up.type = INPUT_MOUSE;
    down.mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    up.mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    if (twice) return send({down, up, down, up});
    return send({down, up});
}

// ---- resources of a program file ----

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

BOOL CALLBACK describeIconGroup(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR) {
    std::wstring line = L"icon-group ";
    line += IS_INTRESOURCE(name) ? std::to_wstring(reinterpret_cast<uintptr_t>(name)) : std::wstring(name);
    HRSRC found = FindResourceW(module, name, RT_GROUP_ICON);
    const BYTE* data = found ? static_cast<const BYTE*>(LockResource(LoadResource(module, found))) : nullptr;
    DWORD size = found ? SizeofResource(module, found) : 0;
    if (data && size >= 6) {
        WORD count = *reinterpret_cast<const WORD*>(data + 4);
        for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(GroupIconEntry) <= size; ++i) {
            const auto* e = reinterpret_cast<const GroupIconEntry*>(data + 6 + i * sizeof(GroupIconEntry));
            int w = e->width ? e->width : 256, h = e->height ? e->height : 256;
            line += L" " + std::to_wstring(w) + L"x" + std::to_wstring(h) + L"x" + std::to_wstring(e->bitCount);
        }
    }
    say(line + L"\n");
    return TRUE;
}

std::wstring iconSize(HICON icon) {
    if (!icon) return L"none";
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return L"?";
    BITMAP bm{};
    GetObjectW(info.hbmMask, sizeof bm, &bm);
    int height = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return std::to_wstring(bm.bmWidth) + L"x" + std::to_wstring(height);
}

int describeResources(const std::wstring& file) {
    HMODULE module = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) {
        complain(L"resources: cannot load " + file + L" (error " + std::to_wstring(GetLastError()) + L")");
        return 1;
    }
    EnumResourceNamesW(module, RT_GROUP_ICON, describeIconGroup, 0);

    UINT count = ExtractIconExW(file.c_str(), -1, nullptr, nullptr, 0);
    say(L"icon-count " + std::to_wstring(count) + L"\n");
    for (UINT i = 0; i < count; ++i) {
        HICON large = nullptr, small = nullptr;
        ExtractIconExW(file.c_str(), static_cast<int>(i), &large, &small, 1);
        say(L"icon-index " + std::to_wstring(i) + L" large " + iconSize(large) + L" small " + iconSize(small) + L"\n");
        if (large) DestroyIcon(large);
        if (small) DestroyIcon(small);
    }

    DWORD ignored = 0;
    DWORD versionSize = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    std::vector<BYTE> version(versionSize);
    if (versionSize && GetFileVersionInfoW(file.c_str(), 0, versionSize, version.data())) {
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        if (VerQueryValueW(version.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
            say(L"file-version " + std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
                std::to_wstring(LOWORD(fixed->dwFileVersionLS)) + L"\n");
        }
        for (const wchar_t* key : {L"FileDescription", L"FileVersion", L"ProductName", L"ProductVersion"}) {
            wchar_t* value = nullptr;
            std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
            if (VerQueryValueW(version.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) && value)
                say(std::wstring(L"version ") + key + L"=" + value + L"\n");
        }
    }

    HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
    if (manifest) {
        const char* text = static_cast<const char*>(LockResource(LoadResource(module, manifest)));
        DWORD size = SizeofResource(module, manifest);
        say(L"manifest\n");
        std::string bytes(text, size);
        int wide = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring w(static_cast<size_t>(wide), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), w.data(), wide);
        say(w + L"\n");
    }
    FreeLibrary(module);
    return 0;
}

// ---- screen pixels ----

// FNV-1a over the rectangle's pixels as RGB bytes.
int describePixels(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return 2;
    const std::vector<DWORD> pixels = screenPixels(x, y, width, height);
    if (pixels.empty()) {
        complain(L"pixels: the screen could not be read");
        return 1;
    }
    std::uint32_t hash = 2166136261u;
    for (DWORD rgb : pixels)
        for (int b = 0; b < 3; ++b) hash = (hash ^ ((rgb >> (8 * b)) & 0xFFu)) * 16777619u;
    const bool uniform = std::all_of(pixels.begin(), pixels.end(), [&](DWORD p) { return p == pixels[0]; });
    say(hex(hash) + (uniform ? L" uniform\n" : L"\n"));
    return 0;
}

int usage();

bool isControlCommand(const std::wstring& c) {
    for (const wchar_t* name : {L"control-text", L"control-state", L"control-click", L"set-text", L"combo-selection",
                                L"rows", L"selected-row", L"row-click", L"drop", L"column-fit"})
        if (c == name) return true;
    return false;
}

// ---- controls of another process's window ----

// Memory inside the window's process, for messages whose arguments point to more than a string (list-view
// items, a drop's file list). Freed at the end unless handed over to the process.
class RemoteMemory {
public:
    RemoteMemory(HWND w, SIZE_T size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!address_) complain(L"cannot allocate memory in the window's process (error " +
                                std::to_wstring(GetLastError()) + L")");
    }
    ~RemoteMemory() {
        if (address_ && !handedOver_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool ok() const { return address_ != nullptr; }
    char* at(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
    bool write(SIZE_T offset, const void* data, SIZE_T size) const {
        SIZE_T done = 0;
        return WriteProcessMemory(process_, at(offset), data, size, &done) && done == size;
    }
    bool read(SIZE_T offset, void* data, SIZE_T size) const {
        SIZE_T done = 0;
        return ReadProcessMemory(process_, at(offset), data, size, &done) && done == size;
    }
    void handOver() { handedOver_ = true; }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    bool handedOver_ = false;
};

bool sendTo(HWND w, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(w, message, wParam, lParam, SMTO_ABORTIFHUNG, sendTimeoutMs, &answer)) {
        complain(L"message " + hex(message) + L" got no answer");
        return false;
    }
    result = static_cast<LRESULT>(answer);
    return true;
}

constexpr int rowTextChars = 4096;

// Row texts of a list view: LVM_GETITEMTEXTW with the item and its text buffer in the list's process.
bool listRows(HWND list, std::vector<std::wstring>& rows) {
    LRESULT count = 0;
    if (!sendTo(list, LVM_GETITEMCOUNT, 0, 0, count)) return false;
    RemoteMemory memory(list, sizeof(LVITEMW) + rowTextChars * sizeof(wchar_t));
    if (!memory.ok()) return false;
    std::vector<wchar_t> text(rowTextChars);
    for (LRESULT i = 0; i < count; ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = reinterpret_cast<LPWSTR>(memory.at(sizeof(LVITEMW)));
        item.cchTextMax = rowTextChars;
        LRESULT length = 0;
        if (!memory.write(0, &item, sizeof item) ||
            !sendTo(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(memory.at(0)), length) ||
            !memory.read(sizeof(LVITEMW), text.data(), static_cast<SIZE_T>(length) * sizeof(wchar_t))) {
            complain(L"cannot read row " + std::to_wstring(i));
            return false;
        }
        rows.emplace_back(text.data(), static_cast<size_t>(length));
    }
    return true;
}

// The image index of row (LVM_GETITEMW with LVIF_IMAGE in the list's process); I_IMAGENONE for none.
bool rowImage(HWND list, int row, int& image) {
    RemoteMemory memory(list, sizeof(LVITEMW));
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    LRESULT ok = 0;
    if (!memory.ok() || !memory.write(0, &item, sizeof item) ||
        !sendTo(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory.at(0)), ok) || !ok ||
        !memory.read(0, &item, sizeof item))
        return false;
    image = item.iImage;
    return true;
}

// The row's rectangle on the screen (LVM_GETITEMRECT writes it into the list's process).
bool rowRect(HWND list, int row, RECT& r, int part = LVIR_BOUNDS) {
    RemoteMemory memory(list, sizeof(RECT));
    r = RECT{part, 0, 0, 0};
    LRESULT ok = 0;
    if (!memory.ok() || !memory.write(0, &r, sizeof r) ||
        !sendTo(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.at(0)), ok) || !ok ||
        !memory.read(0, &r, sizeof r))
        return false;
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return true;
}

// WM_DROPFILES as a drop from the desktop delivers it: a DROPFILES block, then the NUL-separated wide
// paths and a final NUL. The block stays in the target, which reads it when it gets to the message.
// Appends the lines of a UTF-8 file (CR LF or LF) to lines.
bool readLines(const std::wstring& path, std::vector<std::wstring>& lines) {
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return false;
    std::string bytes;
    char chunk[65536];
    for (size_t got; (got = fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.append(chunk, got);
    fclose(f);
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find('\n', at);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) {
            const int n = MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0);
            std::wstring wide(static_cast<size_t>(n), L'\0');
            MultiByteToWideChar(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), wide.data(), n);
            lines.push_back(wide);
        }
        at = end + 1;
    }
    return true;
}

bool dropFiles(HWND target, const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const auto& p : paths) list += p + L'\0';
    list += L'\0';
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    const SIZE_T listBytes = list.size() * sizeof(wchar_t);
    RemoteMemory memory(target, sizeof header + listBytes);
    if (!memory.ok() || !memory.write(0, &header, sizeof header) || !memory.write(sizeof header, list.data(), listBytes))
        return false;
    if (!PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(memory.at(0)), 0)) return false;
    memory.handOver();
    return true;
}

std::wstring stateOf(HWND control) {
    LRESULT check = 0;
    SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, sendTimeoutMs,
                        reinterpret_cast<DWORD_PTR*>(&check));
    return std::wstring(IsWindowEnabled(control) ? L"enabled" : L"disabled") +
           (IsWindowVisible(control) ? L" visible" : L" hidden") + (check == BST_CHECKED ? L" checked" : L" unchecked");
}

HWND controlOf(HWND top, long long id) {
    ChildSearch s{L"", id};
    EnumChildWindows(top, findButton, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// One command on control N of the window: writes its one line (or rows) and returns the exit code.
int controlCommand(const std::wstring& command, HWND control, const Options& o) {
    LRESULT result = 0;
    if (command == L"control-text") {
        std::wstring text;
        if (!sendGetText(control, text)) return 1;
        say((o.escape ? escaped(text) : text) + L"\n");
        return 0;
    }
    if (command == L"control-state") {
        say(stateOf(control) + L"\n");
        return 0;
    }
    if (command == L"column-fit") {
        RECT client{};
        if (!sendTo(control, LVM_GETCOLUMNWIDTH, 0, 0, result) || !GetClientRect(control, &client)) return 1;
        say(std::to_wstring(result) + L" " + std::to_wstring(client.right) + L"\n");
        return 0;
    }
    if (command == L"control-click") {
        if (!IsWindowEnabled(control) || !IsWindowVisible(control)) {
            complain(L"control-click: control " + std::to_wstring(o.childId) + L" is " + stateOf(control));
            return 1;
        }
        return PostMessageW(control, BM_CLICK, 0, 0) ? 0 : 1;
    }
    if (command == L"set-text") {
        if (o.positional.size() != 1) return usage();
        return sendTo(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(o.positional[0].c_str()), result) && result
                   ? 0
                   : 1;
    }
    if (command == L"combo-selection") {
        if (!sendTo(control, CB_GETCURSEL, 0, 0, result)) return 1;
        say(std::to_wstring(result) + L"\n");
        return 0;
    }
    if (command == L"selected-row") {
        if (!sendTo(control, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED, result)) return 1;
        say(std::to_wstring(result) + L"\n");
        return 0;
    }
    if (command == L"rows") {
        std::vector<std::wstring> rows;
        if (!listRows(control, rows)) return 1;
        std::wstring all;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            all += o.escape ? escaped(rows[i]) : rows[i];
            int image = I_IMAGENONE;
            if (o.onIcon && !rowImage(control, static_cast<int>(i), image)) return 1;
            if (o.onIcon) all += L"\t" + std::to_wstring(image);
            all += L"\n";
        }
        say(all);
        return 0;
    }
    if (command == L"row-click") {
        long long row = 0;
        RECT r{};
        if (o.positional.size() != 1 || !parseNumber(o.positional[0], row)) return usage();
        if (!rowRect(control, static_cast<int>(row), r, o.onIcon ? LVIR_ICON : LVIR_BOUNDS)) {
            complain(L"row-click: the list has no row " + std::to_wstring(row));
            return 1;
        }
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        return mouseButton(o.right, o.twice) ? 0 : 1;
    }
    if (command == L"drop") {
        std::vector<std::wstring> paths = o.positional;
        if (!o.fromFile.empty() && !readLines(o.fromFile, paths)) {
            complain(L"drop: cannot read " + o.fromFile);
            return 1;
        }
        if (paths.empty()) return usage();
        LARGE_INTEGER start{}, now{}, frequency{};
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        if (!dropFiles(control, paths)) return 1;
        if (o.rowCount < 0) return 0;
        const HWND top = GetAncestor(control, GA_ROOT);
        for (;;) {
            QueryPerformanceCounter(&now);
            const double ms =
                1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
            DWORD_PTR rows = 0;
            if (IsWindowVisible(top) && SendMessageTimeoutW(control, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG,
                                                            sendTimeoutMs, &rows) &&
                static_cast<long long>(rows) >= o.rowCount) {
                wchar_t buf[32];
                swprintf(buf, 32, L"ms %.1f\n", ms);
                say(buf);
                return 0;
            }
            if (ms > o.filter.timeoutMs) {
                complain(L"drop: the list has " + std::to_wstring(rows) + L" rows, not " + std::to_wstring(o.rowCount));
                return 1;
            }
            Sleep(2);
        }
    }
    return usage();
}

// timed-start: the time from CreateProcess until the window (and its rows) can be seen, measured like
// bench/win32/popup_timer.cpp measures a popup.
int timedStart(const Options& o) {
    if (o.positional.size() != 1) return usage();
    std::wstring line = o.positional[0];
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start{}, now{}, frequency{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        complain(L"timed-start: cannot start " + line + L" (error " + std::to_wstring(GetLastError()) + L")");
        return 1;
    }
    auto elapsedMs = [&] {
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    };
    // The watching must not slow the program watched: under Wine every window query is a round trip to
    // the one wineserver, which the program needs for each window it makes. Enumerating all windows and
    // their children every millisecond made a program with thirty controls wait in line behind the driver
    // (a tenth of the time for a window with one). So the window and its list are looked up until found,
    // then kept, and the driver looks every 2 ms.
    HWND shown = nullptr;
    HWND list = nullptr;
    double took = -1;
    while (took < 0 && elapsedMs() < o.filter.timeoutMs) {
        if (!shown) {
            auto found = findNow(&o.filter);
            if (!found.empty()) shown = found.front();
        }
        if (shown && o.childId >= 0 && !list) list = controlOf(shown, o.childId);
        LRESULT rows = 0;
        if (shown && IsWindowVisible(shown) &&
            (o.childId < 0 || (list && SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG,
                                                           sendTimeoutMs, reinterpret_cast<DWORD_PTR*>(&rows)) &&
                               rows >= o.rowCount)))
            took = elapsedMs();
        if (took < 0) Sleep(2);
    }
    int rc = 0;
    if (took < 0) {
        complain(L"timed-start: no " + o.filter.describe() + (o.childId >= 0 ? L" with its rows" : L"") +
                 L" within " + std::to_wstring(o.filter.timeoutMs) + L" ms");
        rc = 1;
    } else {
        wchar_t buf[32];
        swprintf(buf, 32, L"ms %.1f\n", took);
        say(buf);
        PostMessageW(shown, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, rc ? 0 : o.filter.timeoutMs) != WAIT_OBJECT_0) {
        if (!rc) complain(L"timed-start: the program did not end after WM_CLOSE; killed");
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, o.filter.timeoutMs);
        rc = 1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return rc;
}

// ---- commands ----

int usage() {
    complain(L"usage: driver list | wait-window | wait-gone | exists | rect | text | click | close | activate "
             L"[--class C] [--title T] [--title-prefix P] [--all] [--timeout MS] ... | keys KEY... | key-down KEY | "
             L"key-up KEY | mouse-move X Y | mouse-click [X Y] [--right] | mouse-down | mouse-up | cursor | launch FILE [--params P] [--cwd D] "
             L"[--show N] [--verb V] [--wait] | resources FILE | pixels X Y W H | control-text | control-state | "
             L"control-click | set-text TEXT | combo-selection | rows | selected-row | column-fit | "
             L"row-click ROW [--double] | "
             L"drop PATH... FILTER --id N | focus | client-size | window-state | owner | topmost | end-session | hold-file PATH | timed-start FILTER [--id N --rows K] COMMANDLINE");
    return 2;
}

int run(const std::wstring& command, Options& o) {
    const bool needsFilter = command == L"wait-window" || command == L"wait-gone" || command == L"exists" ||
                             command == L"rect" || command == L"text" || command == L"click" ||
                             command == L"close" || command == L"activate" || command == L"focus" ||
                             command == L"client-size" || command == L"timed-start" || command == L"window-state" ||
                             command == L"owner" || command == L"topmost" || command == L"end-session" ||
                             isControlCommand(command);
    if (needsFilter && !o.filterGiven) {
        complain(command + L": give --class, --title or --title-prefix");
        return 2;
    }

    if (command == L"timed-start") return timedStart(o);
    if (command == L"hold-file") {
        if (o.positional.size() != 1) return usage();
        HANDLE held = CreateFileW(o.positional[0].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (held == INVALID_HANDLE_VALUE) {
            complain(L"hold-file: cannot open " + o.positional[0] + L" (error " + std::to_wstring(GetLastError()) +
                     L")");
            return 1;
        }
        say(L"held\n");
        Sleep(o.filter.timeoutMs);
        CloseHandle(held);
        return 0;
    }
    if (command == L"list") {
        listWindows(false);
        return 0;
    }
    if (command == L"exists") {
        auto found = findNow(&o.filter);
        if (found.empty()) return 1;
        say(hex(reinterpret_cast<uintptr_t>(found.front())) + L"\n");
        return 0;
    }
    if (command == L"wait-gone") {
        DWORD start = GetTickCount();
        for (;;) {
            if (findNow(&o.filter).empty()) return 0;
            if (GetTickCount() - start >= o.filter.timeoutMs) break;
            Sleep(pollMs);
        }
        complain(L"wait-gone: a " + o.filter.describe() + L" is still there after " +
                 std::to_wstring(o.filter.timeoutMs) + L" ms");
        return 1;
    }
    if (needsFilter) {
        HWND w = waitFor(o, command.c_str());
        if (!w) return 1;
        RECT r{};
        GetWindowRect(w, &r);
        if (command == L"wait-window") {
            say(hex(reinterpret_cast<uintptr_t>(w)) + L" " + rectText(r) + L"\n");
            return 0;
        }
        if (command == L"rect") {
            if (o.childId >= 0) {
                HWND child = controlOf(w, o.childId);
                if (!child) return 1;
                GetWindowRect(child, &r);
            }
            say(rectText(r) + L"\n");
            return 0;
        }
        if (command == L"close") return PostMessageW(w, WM_CLOSE, 0, 0) ? 0 : 1;
        if (command == L"activate") return SetForegroundWindow(w) ? 0 : 1;
        if (command == L"client-size") {
            RECT c{};
            GetClientRect(w, &c);
            say(std::to_wstring(c.right - c.left) + L"x" + std::to_wstring(c.bottom - c.top) + L"\n");
            return 0;
        }
        if (command == L"window-state") {
            say(std::wstring(IsWindowEnabled(w) ? L"enabled" : L"disabled") +
                (GetForegroundWindow() == w ? L" foreground\n" : L" background\n"));
            return 0;
        }
        if (command == L"end-session") {
            DWORD_PTR answer = 0;
            // With a time-out: a program that answers only after a box of its own must not hang the driver.
            if (!SendMessageTimeoutW(w, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer)) {
                complain(L"end-session: no answer");
                return 1;
            }
            say(answer ? L"yes\n" : L"no\n");
            return 0;
        }
        if (command == L"topmost") {
            say(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST ? L"topmost\n" : L"not topmost\n");
            return 0;
        }
        if (command == L"owner") {
            HWND owner = GetWindow(w, GW_OWNER);
            std::wstring title;
            if (owner && !sendGetText(owner, title)) return 1;
            say(title + L"\n");
            return 0;
        }
        if (command == L"focus") {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            if (!GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info)) {
                complain(L"focus: GetGUIThreadInfo failed");
                return 1;
            }
            say(std::to_wstring(info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0) + L"\n");
            return 0;
        }
        if (isControlCommand(command)) {
            HWND target = w;
            if (o.childId >= 0) target = controlOf(w, o.childId);
            else if (command != L"drop") {
                complain(command + L": give --id N");
                return 2;
            }
            if (!target) {
                complain(command + L": the " + o.filter.describe() + L" has no control " + std::to_wstring(o.childId));
                return 1;
            }
            return controlCommand(command, target, o);
        }
        if (command == L"text") {
            HWND target = w;
            if (o.childId >= 0) {
                target = GetDlgItem(w, static_cast<int>(o.childId));
                if (!target) {
                    complain(L"text: the " + o.filter.describe() + L" has no child with id " + hex(o.childId));
                    return 1;
                }
            }
            std::wstring text;
            if (!sendGetText(target, text)) {
                complain(L"text: WM_GETTEXT got no answer");
                return 1;
            }
            say((o.escape ? escaped(text) : text) + L"\n");
            return 0;
        }
        if (command == L"click") {
            if (!o.hasButtonText && o.childId < 0) {
                complain(L"click: give --button TEXT or --id ID");
                return 2;
            }
            ChildSearch s{o.buttonText, o.hasButtonText ? -1 : o.childId};
            EnumChildWindows(w, findButton, reinterpret_cast<LPARAM>(&s));
            if (!s.found) {
                complain(L"click: the " + o.filter.describe() + L" has no button " +
                         (o.hasButtonText ? L"\"" + o.buttonText + L"\"" : L"with id " + hex(o.childId)));
                return 1;
            }
            // Posted, not sent: the click may end a modal loop in the other process, and the driver must
            // not wait for that.
            return PostMessageW(s.found, BM_CLICK, 0, 0) ? 0 : 1;
        }
    }
    if (command == L"keys") {
        if (o.positional.empty()) return usage();
        for (size_t i = 0; i < o.positional.size(); ++i) {
            if (i > 0 && o.delayMs) Sleep(o.delayMs);
            if (!chord(o.positional[i])) return 1;
        }
        return 0;
    }
    if (command == L"key-down" || command == L"key-up") {
        WORD vk = 0;
        if (o.positional.size() != 1) return usage();
        if (!keyCode(o.positional[0], vk)) return 2;
        return send({keyInput(vk, command == L"key-up")}) ? 0 : 1;
    }
    if (command == L"mouse-down" || command == L"mouse-up") { // the left button alone, where the mouse is
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = command == L"mouse-down" ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        return send({input}) ? 0 : 1;
    }
    if (command == L"mouse-move" || command == L"mouse-click") {
        long long x = 0, y = 0;
        if (o.positional.size() == 2) {
            if (!parseNumber(o.positional[0], x) || !parseNumber(o.positional[1], y)) return usage();
            if (!SetCursorPos(static_cast<int>(x), static_cast<int>(y))) {
                complain(L"SetCursorPos failed");
                return 1;
            }
        } else if (!(command == L"mouse-click" && o.positional.empty())) {
            return usage();
        }
        return command == L"mouse-click" ? (mouseButton(o.right, o.twice) ? 0 : 1) : 0;
    }
    if (command == L"cursor") {
        POINT p{};
        GetCursorPos(&p);
        say(std::to_wstring(p.x) + L" " + std::to_wstring(p.y) + L"\n");
        return 0;
    }
    if (command == L"launch") {
        if (o.positional.size() != 1) return usage();
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        info.lpVerb = o.verb.empty() ? nullptr : o.verb.c_str();
        info.lpFile = o.positional[0].c_str();
        info.lpParameters = o.params.empty() ? nullptr : o.params.c_str();
        info.lpDirectory = o.cwd.empty() ? nullptr : o.cwd.c_str();
        info.nShow = o.show;
        if (!ShellExecuteExW(&info)) {
            complain(L"launch: ShellExecuteExW failed for " + o.positional[0] + L" (error " +
                     std::to_wstring(GetLastError()) + L")");
            return 1;
        }
        if (!info.hProcess) return 0;
        int rc = 0;
        if (o.wait) {
            DWORD code = 0;
            if (WaitForSingleObject(info.hProcess, o.filter.timeoutMs) != WAIT_OBJECT_0) {
                complain(L"launch: the program did not end within " + std::to_wstring(o.filter.timeoutMs) + L" ms");
                rc = 1;
            } else {
                GetExitCodeProcess(info.hProcess, &code);
                say(L"exit " + std::to_wstring(code) + L"\n");
            }
        }
        CloseHandle(info.hProcess);
        return rc;
    }
    if (command == L"resources") {
        if (o.positional.size() != 1) return usage();
        return describeResources(o.positional[0]);
    }
    if (command == L"pixels") {
        long long r[4]{};
        if (o.positional.size() != 4) return usage();
        for (int i = 0; i < 4; ++i)
            if (!parseNumber(o.positional[static_cast<std::size_t>(i)], r[i])) return usage();
        return describePixels(static_cast<int>(r[0]), static_cast<int>(r[1]), static_cast<int>(r[2]),
                              static_cast<int>(r[3]));
    }
    complain(L"unknown command \"" + command + L"\"");
    return usage();
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return usage();
    Args args;
    for (int i = 2; i < argc; ++i) args.items.push_back(argv[i]);
    Options o;
    if (!parseOptions(args, o)) return 2;
    return run(argv[1], o);
}
