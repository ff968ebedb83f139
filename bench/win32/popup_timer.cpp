// popup_timer.exe: starts a command line, measures how long until a popup menu (a visible window of class
// "#32768") is on screen, ends the program, and repeats.
//
//   popup_timer ROUNDS COMMANDLINE...
//
// Each round runs every command line once, in turn, so that a change in the machine's load falls on all of
// them alike. Prints "median K MS" per command line K (from 1). A command line written "icons:COMMANDLINE"
// also waits until the first item's icon is drawn (a pixel of its icon box that is not the menu colour)
// and prints "icons K MS" as well. Exit codes: 0 done, 1 a popup or an icon never appeared within 30 s or
// the program could not be started (three times in a row), 2 usage. "samples K MS..." lists every round's
// time in round order; "retries K N" says how many runs of command line K showed nothing and were repeated.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "screen_pixels.h"

namespace {

constexpr DWORD TimeoutMs = 30000;

HWND visiblePopup() {
    HWND popup = FindWindowW(L"#32768", nullptr);
    return popup && IsWindowVisible(popup) ? popup : nullptr;
}

bool popupVisible() { return visiblePopup() != nullptr; }

// Whether the 16 x 16 icon box of the popup's first item shows anything but the menu colour while the
// gap between icon and text already shows the menu colour (so a window that is mapped but not yet painted
// does not count). The box starts 2 pixels into the item, and the item 3 pixels (the frame) into the popup.
bool firstIconDrawn(HWND popup) {
    RECT r{};
    if (!GetWindowRect(popup, &r)) return false;
    constexpr int Box = 16;
    constexpr int Width = Box + 4; // the box and the gap before the text
    const std::vector<DWORD> pixels = screenPixels(r.left + 3 + 2, r.top + 3 + 1, Width, Box);
    const COLORREF menu = GetSysColor(COLOR_MENU);
    const DWORD background = (static_cast<DWORD>(GetRValue(menu)) << 16) | (GetGValue(menu) << 8) | GetBValue(menu);
    bool iconPixel = false;
    bool gapPainted = !pixels.empty();
    for (int y = 0; y < Box && gapPainted; ++y) {
        for (int x = 0; x < Width; ++x) {
            const bool isBackground = pixels[static_cast<std::size_t>(y * Width + x)] == background;
            if (x < Box) iconPixel = iconPixel || !isBackground;
            else gapPainted = gapPainted && isBackground;
        }
    }
    return iconPixel && gapPainted;
}

struct RunTimes {
    double popup = -1;
    double icons = -1;
};

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Starts the command line and returns the times until its popup (and, when asked, its first icon) shows;
// negative when it did not.
RunTimes timeOneRun(const std::wstring& commandLine, bool waitForIcons) {
    RunTimes times;
    // A popup left over from a previous run would end the wait at once.
    for (DWORD waited = 0; popupVisible() && waited < TimeoutMs; waited += 10) Sleep(10);
    std::wstring mutableLine = commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return times;
    while (millisecondsSince(start) < TimeoutMs) {
        HWND popup = visiblePopup();
        if (popup && times.popup < 0) times.popup = millisecondsSince(start);
        if (popup && waitForIcons && firstIconDrawn(popup)) times.icons = millisecondsSince(start);
        if (times.popup >= 0 && (!waitForIcons || times.icons >= 0)) break;
        Sleep(1);
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, TimeoutMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return times;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const int rounds = _wtoi(argv[1]);
    if (rounds <= 0) return 2;
    const std::wstring iconsPrefix = L"icons:";
    std::vector<std::wstring> commands;
    std::vector<bool> withIcons;
    for (int k = 2; k < argc; ++k) {
        std::wstring c = argv[k];
        withIcons.push_back(c.rfind(iconsPrefix, 0) == 0);
        commands.push_back(withIcons.back() ? c.substr(iconsPrefix.size()) : c);
    }
    std::vector<std::vector<double>> popupTimes(commands.size()), iconTimes(commands.size());
    std::vector<int> retries(commands.size());
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t k = 0; k < commands.size(); ++k) {
            // A run that shows nothing within the time-out is tried again, twice at most, and counted, so
            // one stray run does not void a long measurement but still shows in the output.
            RunTimes t;
            for (int attempt = 0; attempt < 3; ++attempt) {
                t = timeOneRun(commands[k], withIcons[k]);
                if (t.popup >= 0 && (!withIcons[k] || t.icons >= 0)) break;
                ++retries[k];
            }
            if (t.popup < 0 || (withIcons[k] && t.icons < 0)) {
                std::printf("command %zu failed in round %d\n", k + 1, round + 1);
                return 1;
            }
            popupTimes[k].push_back(t.popup);
            if (withIcons[k]) iconTimes[k].push_back(t.icons);
        }
    }
    for (std::size_t k = 0; k < commands.size(); ++k) {
        std::printf("samples %zu", k + 1);
        for (double t : popupTimes[k]) std::printf(" %.1f", t);
        std::printf("\n");
        std::printf("median %zu %.1f\n", k + 1, median(popupTimes[k]));
        if (withIcons[k]) std::printf("icons %zu %.1f\n", k + 1, median(iconTimes[k]));
        if (retries[k]) std::printf("retries %zu %d\n", k + 1, retries[k]);
    }
    return 0;
}
