#pragma once
// The pixels that an icon draws at 16 x 16 on a plain background, normally and greyed (as a greyed menu
// item draws it), for telling whether two icons look exactly alike.
#include <windows.h>

#include <algorithm>
#include <vector>

inline std::vector<DWORD> drawnPixels(HICON icon, COLORREF background, bool greyed) {
    constexpr int Size = 16;
    std::vector<DWORD> pixels(Size * Size);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = Size;
    info.bmiHeader.biHeight = -Size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, Size, Size};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    if (greyed)
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, 0, 0, Size, Size, DST_ICON | DSS_DISABLED);
    else
        DrawIconEx(dc, 0, 0, icon, Size, Size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    if (bits) std::copy_n(static_cast<const DWORD*>(bits), pixels.size(), pixels.begin());
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

// Alike on white, black and a dark blue, drawn normally and greyed.
inline bool drawnAlike(HICON a, HICON b) {
    for (COLORREF background : {RGB(255, 255, 255), RGB(0, 0, 0), RGB(10, 36, 106)})
        for (bool greyed : {false, true})
            if (drawnPixels(a, background, greyed) != drawnPixels(b, background, greyed)) return false;
    return true;
}
