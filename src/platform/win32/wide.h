#pragma once
// The one place where UTF-16 text of the core meets the wchar_t of Win32. On Windows both are 16-bit
// code units with the same layout, so the casts are free.
#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide characters must be UTF-16 code units");

namespace platform {

inline const wchar_t* wz(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline std::u16string fromWide(const wchar_t* text) {
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}
inline std::u16string fromWide(const wchar_t* text, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
inline wchar_t* wbuf(std::u16string& text) { return reinterpret_cast<wchar_t*>(text.data()); }

} // namespace platform
