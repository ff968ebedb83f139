#pragma once
// The one place where the system's handles meet the platform's typed ones (platform/handles.h).
#include <windows.h>

#include <cstdint>

#include "platform/handles.h"

namespace platform::win32 {

template <typename Native, typename Kind> Native native(Handle<Kind> handle) {
    return reinterpret_cast<Native>(handle.value);
}
template <typename Typed, typename Native> Typed typed(Native handle) {
    return Typed{reinterpret_cast<std::uintptr_t>(handle)};
}

} // namespace platform::win32
