// choice_timer.exe: times how long a chosen popup item takes to start its program (bench/cycle_timing.sh).
//
//   choice_timer ROUNDS LOG MENU_COMMANDLINE PROGRAM_COMMANDLINE
//
// Each round does two runs, one after the other, so that a change in the machine's load falls on both:
//   choice: starts MENU_COMMANDLINE (a program showing a popup whose first item starts the program that
//           writes LOG), waits for the popup, presses DOWN and RETURN, and measures from the RETURN until
//           LOG exists;
//   direct: starts PROGRAM_COMMANDLINE itself and measures until LOG exists: what starting that program
//           costs on this machine anyway.
// LOG is deleted before every run. Prints "median choice MS" and "median direct MS". Exit codes: 0 done,
// 1 a popup or the log did not appear within 30 s, or a program could not be started; 2 usage.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr double TimeoutMs = 30000;

double now() {
    LARGE_INTEGER counter{}, frequency{};
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool popupVisible() {
    HWND popup = FindWindowW(L"#32768", nullptr);
    return popup && IsWindowVisible(popup);
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

template <typename Condition> bool waitFor(Condition condition) {
    const double start = now();
    while (!condition()) {
        if (now() - start > TimeoutMs) return false;
        Sleep(1);
    }
    return true;
}

// A started program, ended (by force if need be) and released when it goes out of scope.
class Started {
public:
    explicit Started(const std::wstring& commandLine) {
        std::wstring line = commandLine;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        ok_ = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_);
    }
    ~Started() {
        if (!ok_) return;
        if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(TimeoutMs)) != WAIT_OBJECT_0)
            TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;
    bool ok() const { return ok_; }

private:
    PROCESS_INFORMATION info_{};
    bool ok_ = false;
};

void tap(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

double timeChoice(const std::wstring& log, const std::wstring& menuCommandLine) {
    DeleteFileW(log.c_str());
    if (!waitFor([] { return !popupVisible(); })) return -1; // a popup of someone else
    Started menu(menuCommandLine);
    if (!menu.ok() || !waitFor(popupVisible)) return -1;
    tap(VK_DOWN);
    tap(VK_RETURN);
    const double chosen = now();
    if (!waitFor([&] { return exists(log); })) return -1;
    return now() - chosen;
}

double timeDirect(const std::wstring& log, const std::wstring& programCommandLine) {
    DeleteFileW(log.c_str());
    const double start = now();
    Started program(programCommandLine);
    if (!program.ok() || !waitFor([&] { return exists(log); })) return -1;
    return now() - start;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) return 2;
    const int rounds = _wtoi(argv[1]);
    if (rounds <= 0) return 2;
    const std::wstring log = argv[2];
    std::vector<double> choice, direct;
    for (int round = 1; round <= rounds; ++round) {
        const double c = timeChoice(log, argv[3]);
        const double d = timeDirect(log, argv[4]);
        if (c < 0 || d < 0) {
            std::printf("round %d failed (%s)\n", round, c < 0 ? "choice" : "direct");
            return 1;
        }
        choice.push_back(c);
        direct.push_back(d);
    }
    std::printf("median choice %.1f\nmedian direct %.1f\n", median(choice), median(direct));
    return 0;
}
