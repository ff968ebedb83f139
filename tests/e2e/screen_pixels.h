#pragma once
// A rectangle of the screen as 32-bit pixels (0x00RRGGBB, rows top first), for the test and timing tools
// that look at what a program has drawn. Empty when the screen could not be read.
#include <windows.h>

#include <algorithm>
#include <vector>

inline std::vector<DWORD> screenPixels(int x, int y, int width, int height) {
    std::vector<DWORD> pixels;
    if (width <= 0 || height <= 0) return pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (bits && BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY)) {
        GdiFlush();
        const auto* from = static_cast<const DWORD*>(bits);
        pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        std::transform(from, from + pixels.size(), pixels.begin(), [](DWORD p) { return p & 0xFFFFFFu; });
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}
