#include "platform/icons.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "platform/win32/guards.h"
#include "platform/win32/icon_images.h"
#include "platform/win32/native_handles.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

HICON hicon(IconHandle icon) { return win32::native<HICON>(icon); }

// The header of an icon resource counts the colour and the mask rows together in its height.
constexpr int ResourceRowsPerIconRow = 2;
constexpr DWORD ResourceVersion = 0x00030000;

} // namespace

IconHandle extractSmallIcon(const std::u16string& file, int index) {
    HICON small = nullptr;
    if (ExtractIconExW(wz(file), index, nullptr, &small, 1) == 0) return 0;
    return win32::typed<IconHandle>(small);
}

IconHandle shellSmallIcon(const std::u16string& name) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(wz(name), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) return 0;
    return win32::typed<IconHandle>(info.hIcon);
}

IconHandle programIcon(int size) {
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0);
    return win32::typed<IconHandle>(icon);
}

bool destroyIcon(IconHandle icon) { return DestroyIcon(hicon(icon)) != FALSE; }

namespace win32 {

bool iconImage(IconHandle icon, IconImage& image) {
    ICONINFO info{};
    if (!GetIconInfo(hicon(icon), &info)) return false;
    // GetIconInfo hands out two new bitmaps.
    win32::GdiObject<HBITMAP> colour(info.hbmColor);
    win32::GdiObject<HBITMAP> mask(info.hbmMask);
    BITMAP size{};
    if (!colour.get() || !mask.get() || !GetObjectW(colour.get(), sizeof size, &size)) return false;
    const LONG width = size.bmWidth;
    const LONG height = size.bmHeight;
    if (width <= 0 || height <= 0) return false;
    const std::size_t colourBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    const std::size_t maskRowBytes = static_cast<std::size_t>((width + 31) / 32) * 4;
    image.assign(sizeof(BITMAPINFOHEADER) + colourBytes + maskRowBytes * static_cast<std::size_t>(height), 0);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    win32::MemoryDc dc;
    if (!dc.get()) return false;
    BITMAPINFO colourFormat{};
    colourFormat.bmiHeader = header;
    BYTE* colourBits = image.data() + sizeof header;
    if (GetDIBits(dc.get(), colour.get(), 0, static_cast<UINT>(height), colourBits, &colourFormat, DIB_RGB_COLORS) !=
        height)
        return false;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } maskFormat{};
    maskFormat.header = header;
    maskFormat.header.biBitCount = 1;
    if (GetDIBits(dc.get(), mask.get(), 0, static_cast<UINT>(height), colourBits + colourBytes,
                  reinterpret_cast<BITMAPINFO*>(&maskFormat), DIB_RGB_COLORS) != height)
        return false;
    header.biHeight = height * ResourceRowsPerIconRow;
    std::memcpy(image.data(), &header, sizeof header);
    return true;
}

IconHandle iconFromImage(const IconImage& image) {
    BITMAPINFOHEADER header{};
    if (image.size() < sizeof header) return 0;
    std::memcpy(&header, image.data(), sizeof header);
    HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.data()), static_cast<DWORD>(image.size()), TRUE,
                                          ResourceVersion, header.biWidth, header.biHeight / ResourceRowsPerIconRow,
                                          LR_DEFAULTCOLOR);
    return win32::typed<IconHandle>(icon);
}

} // namespace win32

} // namespace platform
