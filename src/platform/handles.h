#pragma once
// Opaque handles of the window system, as plain integers so that the portable core never needs <windows.h>,
// and the plain values that the platform headers share: rectangles, points, colours. 0 always means "none".
#include <compare>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace platform {

// A handle of one kind: a window cannot be passed where an icon is wanted, nor a handle where a number is.
// An int converts, for the 0 that means "none" (and the fakes' small numbers); the system's values are
// converted explicitly, at the platform's edge.
template <typename Kind> struct Handle {
    std::uintptr_t value = 0;
    constexpr Handle() = default;
    constexpr Handle(int none) : value(static_cast<std::uintptr_t>(none)) {}
    constexpr explicit Handle(std::uintptr_t v) : value(v) {}
    constexpr explicit operator bool() const { return value != 0; }
    friend constexpr auto operator<=>(Handle, Handle) = default;
    friend constexpr bool operator==(Handle, Handle) = default;
};

using WindowHandle = Handle<struct WindowKind>;
using MenuHandle = Handle<struct MenuKind>;
using IconHandle = Handle<struct IconKind>;
using HookHandle = Handle<struct HookKind>;
using ProcessHandle = Handle<struct ProcessKind>;

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

template <typename Kind> struct std::hash<platform::Handle<Kind>> {
    std::size_t operator()(platform::Handle<Kind> h) const noexcept { return std::hash<std::uintptr_t>{}(h.value); }
};
