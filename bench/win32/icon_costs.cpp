// icon_costs.exe: where the time of a popup's icons goes, step by step, in one fresh process. The shell
// and its libraries are loaded by hand (not imported), so loading them is timed too.
//
//   icon_costs PROGRAM SOURCE...
//
// PROGRAM is a file with the program's own icons (ExtractIconExW indexes 0 to 5); each SOURCE is a name
// to ask the shell about, as an item of the menu would. Prints "STEP MS" lines; bench/icon_costs.sh runs it
// several times and takes the medians, because the first call of a process is what counts here.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "icon_pixels.h"

namespace {

double now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t{};
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// CPU time of this thread, user and kernel: a step whose wall time is far above it was waiting (for the
// Wine server, or for a core on a busy machine).
double threadCpu() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
    auto ms = [](const FILETIME& f) {
        return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// Prints "NAME WALL" and "NAME.cpu CPU" in milliseconds when it goes out of scope.
class Step {
public:
    explicit Step(const char* name) : name_(name), start_(now()), cpu_(threadCpu()) {}
    ~Step() {
        std::printf("%s %.3f\n", name_, now() - start_);
        std::printf("%s.cpu %.3f\n", name_, threadCpu() - cpu_);
    }
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;

private:
    const char* name_;
    double start_;
    double cpu_;
};

using ShGetFileInfoW = DWORD_PTR(WINAPI*)(LPCWSTR, DWORD, SHFILEINFOW*, UINT, UINT);
using ExtractIconExWFn = UINT(WINAPI*)(LPCWSTR, int, HICON*, HICON*, UINT);
using DuplicateIconFn = HICON(WINAPI*)(HINSTANCE, HICON);
using ImageListGetIcon = HICON(WINAPI*)(HANDLE, int, UINT);

HICON shellIcon(ShGetFileInfoW get, const std::wstring& name, UINT flags = SHGFI_ICON | SHGFI_SMALLICON) {
    SHFILEINFOW info{};
    if (!get(name.c_str(), 0, &info, sizeof info, flags)) return nullptr;
    return info.hIcon;
}

void destroyAll(std::vector<HICON>& icons) {
    for (HICON i : icons)
        if (i) DestroyIcon(i);
    icons.clear();
}

// How many of the copies draw exactly like the originals they were made from.
void reportAlike(const char* method, const std::vector<HICON>& copies, const std::vector<HICON>& originals) {
    int alike = 0;
    for (std::size_t i = 0; i < copies.size(); ++i)
        alike += copies[i] && drawnAlike(copies[i], originals[i % originals.size()]);
    std::printf("alike-%s %d\n", method, alike);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring program = argv[1];
    std::vector<std::wstring> sources(argv + 2, argv + argc);

    HMODULE comctl = nullptr, shell = nullptr, ole = nullptr, comdlg = nullptr;
    {
        Step s("load-comctl32");
        comctl = LoadLibraryW(L"comctl32.dll");
    }
    {
        Step s("load-shell32");
        shell = LoadLibraryW(L"shell32.dll");
    }
    {
        Step s("load-ole32");
        ole = LoadLibraryW(L"ole32.dll");
    }
    {
        Step s("load-comdlg32");
        comdlg = LoadLibraryW(L"comdlg32.dll");
    }
    if (!comctl || !shell || !ole || !comdlg) return 1;
    auto getInfo = reinterpret_cast<ShGetFileInfoW>(reinterpret_cast<void*>(GetProcAddress(shell, "SHGetFileInfoW")));
    auto extract = reinterpret_cast<ExtractIconExWFn>(reinterpret_cast<void*>(GetProcAddress(shell, "ExtractIconExW")));
    auto duplicate = reinterpret_cast<DuplicateIconFn>(reinterpret_cast<void*>(GetProcAddress(shell, "DuplicateIcon")));
    auto listIcon =
        reinterpret_cast<ImageListGetIcon>(reinterpret_cast<void*>(GetProcAddress(comctl, "ImageList_GetIcon")));
    if (!getInfo || !extract || !duplicate || !listIcon) return 1;

    std::vector<HICON> originals;
    {
        Step s("extract-first");
        HICON small = nullptr;
        extract(program.c_str(), 0, nullptr, &small, 1);
        originals.push_back(small);
    }
    {
        Step s("extract-next5");
        for (int i = 1; i <= 5; ++i) {
            HICON small = nullptr;
            extract(program.c_str(), i, nullptr, &small, 1);
            originals.push_back(small);
        }
    }
    {
        Step s("shell-first");
        originals.push_back(shellIcon(getInfo, sources[0]));
    }
    for (std::size_t k = 1; k < sources.size(); ++k) {
        std::string name = "shell-source-" + std::to_string(k + 1);
        Step s(name.c_str());
        originals.push_back(shellIcon(getInfo, sources[k]));
    }
    {
        Step s("shell-again-all");
        std::vector<HICON> again;
        for (const std::wstring& name : sources) again.push_back(shellIcon(getInfo, name));
        destroyAll(again);
    }
    {
        Step s("shell-index-only-all");
        for (const std::wstring& name : sources) {
            SHFILEINFOW info{};
            getInfo(name.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        }
    }
    {
        Step s("imagelist-geticon-all");
        std::vector<HICON> fromList;
        for (const std::wstring& name : sources) {
            SHFILEINFOW info{};
            auto list = reinterpret_cast<HANDLE>(
                getInfo(name.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
            if (list) fromList.push_back(listIcon(list, info.iIcon, ILD_NORMAL));
        }
        destroyAll(fromList);
    }

    const std::size_t copies = 200;
    std::vector<HICON> made;
    {
        // A round trip to the Wine server and nothing else, as a unit for the steps below.
        HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        Step s("server-call-200");
        for (std::size_t i = 0; i < copies; ++i) WaitForSingleObject(event, 0);
        CloseHandle(event);
    }
    std::vector<ICONINFO> infos(originals.size());
    {
        Step s("geticoninfo-all");
        for (std::size_t i = 0; i < originals.size(); ++i) GetIconInfo(originals[i], &infos[i]);
    }
    {
        Step s("createiconindirect-200");
        for (std::size_t i = 0; i < copies; ++i) made.push_back(CreateIconIndirect(&infos[i % infos.size()]));
    }
    reportAlike("createiconindirect", made, originals);
    destroyAll(made);
    {
        // The same icons as in-memory icon resources (a 32-bit DIB with its mask after it).
        std::vector<std::vector<BYTE>> resources;
        for (const ICONINFO& info : infos) {
            std::vector<BYTE> bits(sizeof(BITMAPINFOHEADER) + 16 * 16 * 4 + 16 * 4);
            auto* header = reinterpret_cast<BITMAPINFOHEADER*>(bits.data());
            HDC dc = CreateCompatibleDC(nullptr);
            BITMAPINFO colourInfo{};
            colourInfo.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, 16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
            GetDIBits(dc, info.hbmColor, 0, 16, bits.data() + sizeof(BITMAPINFOHEADER), &colourInfo, DIB_RGB_COLORS);
            struct {
                BITMAPINFOHEADER header;
                RGBQUAD colours[2];
            } maskInfo{};
            maskInfo.header = {sizeof(BITMAPINFOHEADER), 16, 16, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
            GetDIBits(dc, info.hbmMask, 0, 16, bits.data() + sizeof(BITMAPINFOHEADER) + 16 * 16 * 4,
                      reinterpret_cast<BITMAPINFO*>(&maskInfo), DIB_RGB_COLORS);
            DeleteDC(dc);
            *header = {sizeof(BITMAPINFOHEADER), 16, 32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
            resources.push_back(std::move(bits));
        }
        Step s("createiconfromresource-200");
        for (std::size_t i = 0; i < copies; ++i) {
            std::vector<BYTE>& r = resources[i % resources.size()];
            made.push_back(
                CreateIconFromResourceEx(r.data(), static_cast<DWORD>(r.size()), TRUE, 0x00030000, 16, 16, 0));
        }
    }
    reportAlike("createiconfromresource", made, originals);
    destroyAll(made);
    for (ICONINFO& info : infos) {
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    {
        Step s("copyicon-200");
        for (std::size_t i = 0; i < copies; ++i) made.push_back(CopyIcon(originals[i % originals.size()]));
    }
    reportAlike("copyicon", made, originals);
    {
        Step s("destroy-200");
        destroyAll(made);
    }
    {
        Step s("copyimage-200");
        for (std::size_t i = 0; i < copies; ++i)
            made.push_back(static_cast<HICON>(CopyImage(originals[i % originals.size()], IMAGE_ICON, 0, 0, 0)));
    }
    reportAlike("copyimage", made, originals);
    destroyAll(made);
    {
        Step s("duplicateicon-200");
        for (std::size_t i = 0; i < copies; ++i) made.push_back(duplicate(nullptr, originals[i % originals.size()]));
    }
    reportAlike("duplicateicon", made, originals);
    destroyAll(made);
    {
        Step s("shell-200-uncached");
        for (std::size_t i = 0; i < copies; ++i) made.push_back(shellIcon(getInfo, sources[i % sources.size()]));
    }
    destroyAll(made);
    destroyAll(originals);
    return 0;
}
