#pragma once
// Opaque handles of the window system, as plain integers so that the portable core never needs <windows.h>,
// and the plain values that the platform headers share: rectangles, points, colours. 0 always means "none".
#include <cstdint>

namespace platform {

using WindowHandle = std::uintptr_t;
using MenuHandle = std::uintptr_t;
using IconHandle = std::uintptr_t;
using HookHandle = std::uintptr_t;
using ProcessHandle = std::uintptr_t;

// Width and height of a rectangle: a Rect, or the system's RECT inside the Win32 layer.
template <typename R> constexpr int widthOf(const R& r) { return static_cast<int>(r.right - r.left); }
template <typename R> constexpr int heightOf(const R& r) { return static_cast<int>(r.bottom - r.top); }

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    constexpr int width() const { return widthOf(*this); }
    constexpr int height() const { return heightOf(*this); }
};

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// A COLORREF: 0x00BBGGRR.
using Colour = std::uint32_t;
constexpr Colour rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

} // namespace platform
