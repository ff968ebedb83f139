// icon_copies.exe: the popup's icon copies through the program's own platform layer, checked against the
// icons they are copied from. Every copy must draw exactly like its original (normally and greyed, on
// three backgrounds), since an item's icon is a copy whenever an earlier item has the same source.
//
//   icon_copies PROGRAM SOURCE...
//
// PROGRAM's own icons (indexes 0 to 8) and the shell's icon for each SOURCE are loaded, copied 200 times
// in turn, and compared. Prints "alike N of M", "copies-200 MS" and "sources S of T" (how many gave an
// icon). Exit codes: 0 all alike, 1 a copy differs or could not be made, 2 usage.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "icon_pixels.h"
#include "platform/icons.h"

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

    std::vector<platform::IconImage> images(originals.size());
    for (std::size_t i = 0; i < originals.size(); ++i)
        if (!platform::iconImage(originals[i], images[i])) std::printf("no image of source %zu\n", i + 1);

    constexpr std::size_t Copies = 200;
    std::vector<platform::IconHandle> copies;
    LARGE_INTEGER start{}, end{}, frequency{};
    QueryPerformanceCounter(&start);
    for (std::size_t i = 0; i < Copies; ++i) copies.push_back(platform::iconFromImage(images[i % images.size()]));
    QueryPerformanceCounter(&end);
    QueryPerformanceFrequency(&frequency);
    std::printf("copies-200 %.2f\n",
                1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));

    std::size_t alike = 0;
    for (std::size_t i = 0; i < Copies; ++i) {
        HICON original = reinterpret_cast<HICON>(originals[i % originals.size()]);
        if (copies[i] && drawnAlike(reinterpret_cast<HICON>(copies[i]), original)) ++alike;
    }
    std::printf("alike %zu of %zu\n", alike, Copies);
    for (platform::IconHandle icon : copies)
        if (icon) platform::destroyIcon(icon);
    for (platform::IconHandle icon : originals) platform::destroyIcon(icon);
    return alike == Copies ? 0 : 1;
}
