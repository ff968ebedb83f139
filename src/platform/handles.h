#pragma once
// Opaque handles of the window system, as plain integers so that the portable core never needs <windows.h>.
// 0 always means "none".
#include <cstdint>

namespace platform {

using WindowHandle = std::uintptr_t;
using MenuHandle = std::uintptr_t;
using IconHandle = std::uintptr_t;
using HookHandle = std::uintptr_t;
using ProcessHandle = std::uintptr_t;

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

} // namespace platform
