#pragma once
// What the menu-file tests share: the menu's path, the file's bytes in the fake, readable names for
// encodings and bytes in failure messages, and a test's own UTF-16 encoder.
#include <string>
#include <string_view>

#include "core/menu_entry.h"
#include "platform/fake/fake_files.h"

namespace menufile_testing {

inline const std::u16string MenuPath = u"C:\\Menus\\Vorlix.lst";

inline std::string fileBytes(const std::u16string& path = MenuPath) {
    fake::FakeFile* f = fake::findFile(path);
    return f ? f->bytes : std::string("<missing>");
}

inline const char* nameOf(vorlix::MenuEncoding e) {
    switch (e) {
    case vorlix::MenuEncoding::Utf8: return "UTF-8";
    case vorlix::MenuEncoding::Utf16Le: return "UTF-16LE";
    case vorlix::MenuEncoding::Ansi: return "ANSI";
    }
    return "?";
}

// "41 3D 0D 0A ": bytes as hexadecimal, so a failing comparison shows where the bytes differ.
inline std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
        out += ' ';
    }
    return out;
}

// UTF-16 little-endian code units, written independently of the product's encoder.
inline std::string utf16LeBytes(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

} // namespace menufile_testing
