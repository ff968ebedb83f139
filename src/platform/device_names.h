#pragma once
// Paths that name a device rather than a file: opening one may wait for the device for ever, so they are
// refused before any open. Plain text rules, shared by the Windows layer and its fake.
#include <string>
#include <string_view>

namespace platform {

namespace device_names {

inline char16_t upperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

inline bool isSlash(char16_t c) { return c == u'\\' || c == u'/'; }

// Names that Windows takes for a device in any folder and with any extension ("C:\menus\COM1.lst" is the
// serial port).
inline bool namesDosDevice(std::u16string_view path) {
    std::size_t cut = path.find_last_of(u"\\/:");
    std::u16string_view name = cut == std::u16string_view::npos ? path : path.substr(cut + 1);
    name = name.substr(0, name.find(u'.'));
    while (!name.empty() && name.back() == u' ') name.remove_suffix(1);
    std::u16string upper;
    for (char16_t c : name) upper.push_back(upperAscii(c));
    if (upper == u"CON" || upper == u"PRN" || upper == u"AUX" || upper == u"NUL" || upper == u"CONIN$" ||
        upper == u"CONOUT$")
        return true;
    return upper.size() == 4 && (upper.starts_with(u"COM") || upper.starts_with(u"LPT")) && upper[3] >= u'1' &&
           upper[3] <= u'9';
}

// "\\.\" and "\\?\" reach every device (\\.\NUL, \\.\PhysicalDrive0, pipes); only a drive path or a UNC
// path behind them can be a file.
inline bool inDeviceNamespace(std::u16string_view path) {
    if (path.size() < 4 || !isSlash(path[0]) || !isSlash(path[1]) || (path[2] != u'.' && path[2] != u'?') ||
        !isSlash(path[3]))
        return false;
    std::u16string_view rest = path.substr(4);
    if (rest.size() >= 3 && rest[1] == u':' && isSlash(rest[2])) return false;
    return !(rest.size() >= 4 && upperAscii(rest[0]) == u'U' && upperAscii(rest[1]) == u'N' &&
             upperAscii(rest[2]) == u'C' && isSlash(rest[3]));
}

} // namespace device_names

inline bool namesDevice(std::u16string_view path) {
    return device_names::namesDosDevice(path) || device_names::inDeviceNamespace(path);
}

} // namespace platform
