// launch_harness.exe: drives the launcher, the centred message box and the info window through the real
// Win32 platform layer (cases/launch.sh, cases/message_boxes.sh, cases/info_window.sh).
//
//   launch_harness entry DEFINITION [--label L] [--modifiers N] [--program PATH] [--editor X,Y]
//       One entry; launchEntry(0, N) with a hidden owner window; prints "result=N". --program sets the
//       program path that a "vorlix" entry tested from the editor starts; --editor opens a stand-in editor
//       window at (X, Y), which makes the launch a test from the editor.
//   launch_harness folder-item FOLDER OPENER NAME
//       One listed file; launchFolderItem(0).
//   launch_harness centred-box LEFT TOP RIGHT BOTTOM
//       An owner window with that outer rectangle; a centred box, then a plain one. Prints
//       "owner L T R B", "centred L T R B" and "plain L T R B" (each box's rectangle once it is shown).
//   launch_harness info [--post-frame-click]
//       An active owner window, then the info window. Prints its geometry once it is shown ("owner",
//       "info", "client", "link1", "link2" rectangles in screen coordinates), flushes, and prints "closed"
//       when the info window has closed. The test clicks or types meanwhile. --post-frame-click posts a
//       left-button press on the left frame once the window is shown: without a window manager Wine leaves
//       the sizing frame of such a window off the screen, so a real click cannot reach it.
//
// "\uXXXX" in arguments stands for a character. Exit codes: 0 done, 1 a window could not be made, 2 usage.
#include <windows.h>

#include <cstdio>
#include <string>

#include "core/app_state.h"
#include "app/info_window.h"
#include "app/message_boxes.h"
#include "core/text.h"
#include "launch/launcher.h"
#include "platform/dialogs.h"
#include "platform/win32/native_handles.h"

#include "../harness_output.h"

using namespace vorlix;

namespace {

std::u16string argument(const wchar_t* text) {
    std::u16string in(reinterpret_cast<const char16_t*>(text));
    std::u16string out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] == u'\\' && i + 5 < in.size() && in[i + 1] == u'u') {
            std::u16string digits = in.substr(i + 2, 4);
            out.push_back(static_cast<char16_t>(std::wcstol(reinterpret_cast<const wchar_t*>(digits.c_str()), nullptr, 16)));
            i += 5;
        } else {
            out.push_back(in[i]);
        }
    }
    return out;
}

HWND makeWindow(const wchar_t* title, DWORD style, int x, int y, int width, int height) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"LaunchHarnessOwner";
        registered = RegisterClassW(&wc) != 0;
    }
    return CreateWindowExW(0, L"LaunchHarnessOwner", title, style, x, y, width, height, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// ---- entry and folder-item -------------------------------------------------------------------------

int runEntry(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    std::u16string label = u"Item";
    int modifiers = 0;
    int editorX = 0, editorY = 0;
    bool editor = false;
    app.programPath = u"C:\\windows\\notepad.exe";
    app.keywordList = u"configuration;vorlix;files;rem;cancel;submenu";
    for (int i = 3; i + 1 < argc; i += 2) {
        std::wstring option = argv[i];
        if (option == L"--label") label = argument(argv[i + 1]);
        else if (option == L"--modifiers") modifiers = static_cast<int>(std::wcstol(argv[i + 1], nullptr, 10));
        else if (option == L"--program") app.programPath = argument(argv[i + 1]);
        else if (option == L"--editor") {
            editor = std::swscanf(argv[i + 1], L"%d,%d", &editorX, &editorY) == 2;
            if (!editor) return 2;
        } else return 2;
    }
    HWND owner = makeWindow(L"Vorlix - ", WS_POPUP, 0, 0, 150, 40);
    if (!owner) return 1;
    app.mainWindow = platform::win32::typed<platform::WindowHandle>(owner);
    if (editor) {
        HWND editorWindow = makeWindow(L"Vorlix - harness.lst", WS_OVERLAPPEDWINDOW, editorX, editorY, 500, 400);
        if (!editorWindow) return 1;
        app.editorWindow = platform::win32::typed<platform::WindowHandle>(editorWindow);
        app.mainWindow = app.editorWindow;
    }
    app.entries = {{label, argument(argv[2])}};
    int result = launchEntry(0, modifiers);
    say("result=" + std::to_string(result) + "\n");
    say("rest=" + toUtf8(app.commandLineRest.text) + "\n");
    return 0;
}

int runFolderItem(int argc, wchar_t** argv) {
    if (argc != 5) return 2;
    HWND owner = makeWindow(L"Vorlix - ", WS_POPUP, 0, 0, 150, 40);
    if (!owner) return 1;
    app.mainWindow = platform::win32::typed<platform::WindowHandle>(owner);
    FolderSubmenu listed;
    listed.folder = argument(argv[2]);
    listed.opener = argument(argv[3]);
    app.folderSubmenus = {listed};
    app.currentFolderSubmenu = 0;
    app.folderItems = {argument(argv[4])};
    launchFolderItem(0);
    say("done\n");
    return 0;
}

// ---- message boxes ---------------------------------------------------------------------------------

// The thread's message box, found from a timer that runs inside the box's own modal loop.
struct BoxWatch {
    const char* name = "";
    int visibleTicks = 0;
};
BoxWatch boxWatch;

BOOL CALLBACK findBox(HWND window, LPARAM found) {
    wchar_t cls[32] = {};
    GetClassNameW(window, cls, 32);
    if (std::wstring(cls) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK boxTimer(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    // A few ticks after it became visible, so any placement the box makes for itself has happened.
    if (++boxWatch.visibleTicks < 3) return;
    RECT r{};
    GetWindowRect(box, &r);
    say(rectLine(boxWatch.name, r));
    boxWatch.visibleTicks = 0;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

int runCentredBox(int argc, wchar_t** argv) {
    if (argc != 6) return 2;
    int l = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    int t = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
    int r = static_cast<int>(std::wcstol(argv[4], nullptr, 10));
    int b = static_cast<int>(std::wcstol(argv[5], nullptr, 10));
    HWND owner = makeWindow(L"Box owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, l, t, r - l, b - t);
    if (!owner) return 1;
    RECT ownerRect{};
    GetWindowRect(owner, &ownerRect);
    say(rectLine("owner", ownerRect));
    UINT_PTR timer = SetTimer(nullptr, 0, 50, boxTimer);
    boxWatch.name = "centred";
    centredMessageBox(platform::win32::typed<platform::WindowHandle>(owner), u"Remove Harness ?", u"Confirm",
                      platform::BoxOkCancel);
    boxWatch.name = "plain";
    platform::messageBox(platform::win32::typed<platform::WindowHandle>(owner), u"Remove Harness ?", u"Confirm",
                         platform::BoxOkCancel);
    KillTimer(nullptr, timer);
    return 0;
}

// ---- info window -----------------------------------------------------------------------------------

struct LinkFind {
    HWND links[2] = {};
};

BOOL CALLBACK findLinks(HWND child, LPARAM found) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    int id = GetDlgCtrlID(child);
    if (lstrcmpiW(cls, L"Static") == 0 && (id == 1 || id == 2)) {
        reinterpret_cast<LinkFind*>(found)->links[id - 1] = child;
    }
    return TRUE;
}

// The colour of the first text pixel of a window on screen (anything that differs from its top-left
// pixel, which is background), as "rrggbb"; "none" when it has no such pixel.
std::string textColour(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    HDC screen = GetDC(nullptr);
    COLORREF background = GetPixel(screen, r.left, r.top);
    COLORREF found = CLR_INVALID;
    for (int y = r.top; y < r.bottom && found == CLR_INVALID; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            COLORREF c = GetPixel(screen, x, y);
            if (c != background && c != CLR_INVALID) {
                found = c;
                break;
            }
        }
    }
    ReleaseDC(nullptr, screen);
    if (found == CLR_INVALID) return "none";
    char text[16];
    std::snprintf(text, sizeof text, "%02x%02x%02x", GetRValue(found), GetGValue(found), GetBValue(found));
    return text;
}

HWND firstLink = nullptr;
bool postFrameClick = false;

// While the info window is open: reports once when the mouse is over the web link, with its colour then.
void CALLBACK hoverTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    POINT cursor{};
    RECT link{};
    if (!IsWindow(firstLink) || !GetCursorPos(&cursor) || !GetWindowRect(firstLink, &link)) return;
    if (!PtInRect(&link, cursor)) return;
    // Give the link a moment to repaint in its hover colour before looking.
    static int ticks = 0;
    if (++ticks < 3) return;
    KillTimer(nullptr, timer);
    bool hand = GetCursor() == LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));
    say("link1-hover " + textColour(firstLink) + (hand ? " hand" : " other-cursor") + "\n");
}

// Posted from a later tick than the one that found the window: that first tick can run inside the info
// window's initial drain, which would hand the press to the default frame handling instead of the loop.
void CALLBACK frameClickTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND info = FindWindowW(L"VorlixWindow", nullptr);
    RECT r{};
    if (info && GetWindowRect(info, &r)) {
        PostMessageW(info, WM_NCLBUTTONDOWN, HTLEFT, MAKELPARAM(r.left + 1, (r.top + r.bottom) / 2));
    }
}

void CALLBACK infoTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND info = FindWindowW(L"VorlixWindow", nullptr);
    if (!info || !IsWindowVisible(info)) return;
    KillTimer(nullptr, timer);
    RECT r{};
    GetWindowRect(info, &r);
    say(rectLine("info", r));
    RECT client{};
    GetClientRect(info, &client);
    MapWindowPoints(info, nullptr, reinterpret_cast<POINT*>(&client), 2);
    say(rectLine("client", client));
    LinkFind found;
    EnumChildWindows(info, findLinks, reinterpret_cast<LPARAM>(&found));
    for (int i = 0; i < 2; ++i) {
        RECT link{};
        if (found.links[i]) GetWindowRect(found.links[i], &link);
        say(rectLine(i == 0 ? "link1" : "link2", link));
    }
    LONG style = GetWindowLongW(info, GWL_STYLE);
    say(std::string("frame ") + ((style & WS_CAPTION) == WS_CAPTION ? "caption" : "no-caption") +
        ((style & WS_THICKFRAME) ? " sizing" : " fixed") + ((style & WS_POPUP) ? " popup" : " overlapped") + "\n");
    say(std::string("owned ") + (GetWindow(info, GW_OWNER) == FindWindowW(L"LaunchHarnessOwner", nullptr) ? "yes" : "no") +
        "\n");
    if (found.links[0]) say("link1-idle " + textColour(found.links[0]) + "\n");
    firstLink = found.links[0];
    SetTimer(nullptr, 0, 50, hoverTimer);
    if (postFrameClick) SetTimer(nullptr, 0, 150, frameClickTimer);
    say("ready\n");
}

int runInfo() {
    app.versionTitle = u"Vorlix - ver. 2.58 (64 bit)";
    app.buildText = u"Compiled: 2021-02-07 harness";
    HWND owner = makeWindow(L"Info owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 600, 400);
    if (!owner) return 1;
    SetForegroundWindow(owner);
    SetActiveWindow(owner);
    RECT ownerRect{};
    GetWindowRect(owner, &ownerRect);
    say(rectLine("owner", ownerRect));
    SetTimer(nullptr, 0, 50, infoTimer);
    showInfo();
    say(std::string("closed ") + (FindWindowW(L"VorlixWindow", nullptr) ? "window-left" : "window-gone") + "\n");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    std::wstring command = argv[1];
    if (command == L"entry") return runEntry(argc, argv);
    if (command == L"folder-item") return runFolderItem(argc, argv);
    if (command == L"centred-box") return runCentredBox(argc, argv);
    if (command == L"info") {
        postFrameClick = argc > 2 && std::wstring(argv[2]) == L"--post-frame-click";
        return runInfo();
    }
    return 2;
}
