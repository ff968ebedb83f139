#pragma once
// Telling the menu file's encoding from its first bytes or its content, and decoding it to UTF-16.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/menu_entry.h"

namespace vorlix {

struct DetectedEncoding {
    MenuEncoding encoding = MenuEncoding::Utf8;
    bool hasBom = false;
    std::size_t textStart = 0; // first byte after the byte-order mark
};

// FF FE: UTF-16LE; EF BB BF: UTF-8; anything else (big-endian and UTF-32 marks included) goes by content.
DetectedEncoding detectEncoding(std::string_view bytes);

// Content verdict for a file without a mark: a zero byte -> UTF-16LE; a broken multi-byte sequence or a
// stray high byte -> ANSI; otherwise UTF-8 (ASCII and the empty file included).
MenuEncoding encodingFromContent(std::string_view bytes);

// Invalid sequences become U+FFFD, one per maximal ill-formed subpart, as MultiByteToWideChar does.
std::u16string decodeUtf8(std::string_view bytes);
// An odd byte left at the end becomes U+FFFD rather than being dropped silently.
std::u16string decodeUtf16Le(std::string_view bytes);
// ANSI goes through the system code page.
std::u16string decodeText(std::string_view bytes, MenuEncoding encoding);

} // namespace vorlix
