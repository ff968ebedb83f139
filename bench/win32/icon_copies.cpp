// icon_copies.exe: the popup's icon copies through the program's own platform layer, checked against the
// icons they are copied from. Every copy must draw exactly like its original (normally and greyed, on
// three backgrounds), since an item's icon is a copy whenever an earlier item has the same source.
//
//   icon_copies PROGRAM SOURCE...
//
// PROGRAM's own icons (indexes 0 to 8) and the shell's icon for each SOURCE are loaded, copied 200 times
// in turn, and compared. Prints "alike N of M", "sources S of T" (how many gave an
// icon), with the milliseconds of 200 copies made the program's way and, for comparison, with
// CreateIconIndirect and CopyIcon. Exit codes: 0 all alike, 1 a copy differs or could not be made, 2 usage.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "icon_pixels.h"
#include "platform/icons.h"
#include "platform/win32/icon_images.h"
#include "platform/win32/native_handles.h"

namespace {

double now() {
    LARGE_INTEGER t{}, frequency{};
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    auto text = [](const wchar_t* s) { return std::u16string(reinterpret_cast<const char16_t*>(s)); };
    std::vector<platform::IconHandle> originals;
    int asked = 0;
    for (int index = 0; index < 9; ++index, ++asked)
        if (platform::IconHandle icon = platform::extractSmallIcon(text(argv[1]), index)) originals.push_back(icon);
    for (int k = 2; k < argc; ++k, ++asked)
        if (platform::IconHandle icon = platform::shellSmallIcon(text(argv[k]))) originals.push_back(icon);
    std::printf("sources %zu of %d\n", originals.size(), asked);
    if (originals.empty()) return 1;

    std::vector<platform::win32::IconImage> images(originals.size());
    for (std::size_t i = 0; i < originals.size(); ++i)
        if (!platform::win32::iconImage(originals[i], images[i])) std::printf("no image of source %zu\n", i + 1);

    constexpr std::size_t Copies = 200;
    std::vector<platform::IconHandle> copies;
    // The program's copies, and for comparison the usual ways, taken in turn three times over.
    std::vector<ICONINFO> infos(originals.size());
    for (std::size_t i = 0; i < originals.size(); ++i) GetIconInfo(platform::win32::native<HICON>(originals[i]), &infos[i]);
    double programMs = 0, indirectMs = 0, copyIconMs = 0;
    for (int turn = 0; turn < 3; ++turn) {
        for (platform::IconHandle icon : copies) platform::destroyIcon(icon);
        copies.clear();
        std::vector<HICON> others;
        const double t0 = now();
        for (std::size_t i = 0; i < Copies; ++i) copies.push_back(platform::win32::iconFromImage(images[i % images.size()]));
        const double t1 = now();
        for (std::size_t i = 0; i < Copies; ++i) others.push_back(CreateIconIndirect(&infos[i % infos.size()]));
        const double t2 = now();
        for (std::size_t i = 0; i < Copies; ++i)
            others.push_back(CopyIcon(platform::win32::native<HICON>(originals[i % originals.size()])));
        const double t3 = now();
        programMs += t1 - t0;
        indirectMs += t2 - t1;
        copyIconMs += t3 - t2;
        for (HICON icon : others) DestroyIcon(icon);
    }
    for (ICONINFO& info : infos) {
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    std::printf("copies-200 %.2f\ncreateiconindirect-200 %.2f\ncopyicon-200 %.2f\n", programMs / 3, indirectMs / 3,
                copyIconMs / 3);

    std::size_t alike = 0;
    for (std::size_t i = 0; i < Copies; ++i) {
        HICON original = platform::win32::native<HICON>(originals[i % originals.size()]);
        if (copies[i] && drawnAlike(platform::win32::native<HICON>(copies[i]), original)) ++alike;
    }
    std::printf("alike %zu of %zu\n", alike, Copies);
    for (platform::IconHandle icon : copies)
        if (icon) platform::destroyIcon(icon);
    for (platform::IconHandle icon : originals) platform::destroyIcon(icon);
    return alike == Copies ? 0 : 1;
}
