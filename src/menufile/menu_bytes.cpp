#include "menufile/menu_bytes.h"

#include <string_view>

#include "core/text.h"
#include "menufile/encoding.h"
#include "menufile/storable.h"
#include "platform/files.h"

namespace vorlix {

namespace {

void appendUtf16Le(std::string& out, std::u16string_view text) {
    out.reserve(out.size() + 2 * text.size());
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
}

std::string encodeText(std::u16string_view text, MenuEncoding encoding, bool hasBom) {
    std::string out;
    switch (encoding) {
    case MenuEncoding::Utf8:
        if (hasBom) out = "\xEF\xBB\xBF";
        out += toUtf8(text);
        break;
    case MenuEncoding::Utf16Le:
        if (hasBom) out = "\xFF\xFE";
        appendUtf16Le(out, text);
        break;
    case MenuEncoding::Ansi:
        // Whether the code page holds every character is checked by reading the bytes back, which also
        // catches best-fit mappings.
        out = platform::utf16ToAnsi(text);
        break;
    }
    return out;
}

// The text that the reader would decode from bytes.
std::u16string readBack(std::string_view bytes) {
    DetectedEncoding found = detectEncoding(bytes);
    return decodeText(bytes.substr(found.textStart), found.encoding);
}

} // namespace

std::u16string menuFileText(const std::vector<MenuEntry>& entries) {
    std::u16string text;
    for (const MenuEntry& entry : entries) {
        if (entry.label.empty() || entryIsPlaceholder(entry)) continue;
        std::u16string_view definition = entry.definition;
        while (!definition.empty() && definition.back() == u';') definition.remove_suffix(1);
        text += entry.label;
        text += u'=';
        text += definition;
        text += u"\r\n";
    }
    return text;
}

std::string encodeMenuFile(const std::vector<MenuEntry>& entries, MenuEncoding encoding, bool hasBom) {
    return encodeText(menuFileText(entries), encoding, hasBom && encoding != MenuEncoding::Ansi);
}

MenuFileBytes menuFileBytes(const std::vector<MenuEntry>& entries, MenuEncoding encoding, bool hasBom) {
    std::u16string text = menuFileText(entries);
    hasBom = hasBom && encoding != MenuEncoding::Ansi;
    MenuFileBytes out{encodeText(text, encoding, hasBom), encoding, hasBom};
    if (readBack(out.bytes) == text) return out;
    return MenuFileBytes{encodeText(text, MenuEncoding::Utf8, true), MenuEncoding::Utf8, true};
}

} // namespace vorlix
