#include "menufile/encoding.h"

#include "platform/files.h"

namespace vorlix {

namespace {

unsigned char byteAt(std::string_view bytes, std::size_t i) { return static_cast<unsigned char>(bytes[i]); }

constexpr char16_t ReplacementCharacter = 0xFFFD;

} // namespace

DetectedEncoding detectEncoding(std::string_view bytes) {
    DetectedEncoding found;
    if (bytes.size() >= 2 && byteAt(bytes, 0) == 0xFF && byteAt(bytes, 1) == 0xFE) {
        found.encoding = MenuEncoding::Utf16Le;
        found.hasBom = true;
        found.textStart = 2;
    } else if (bytes.size() >= 3 && byteAt(bytes, 0) == 0xEF && byteAt(bytes, 1) == 0xBB && byteAt(bytes, 2) == 0xBF) {
        found.encoding = MenuEncoding::Utf8;
        found.hasBom = true;
        found.textStart = 3;
    } else {
        found.encoding = encodingFromContent(bytes);
    }
    return found;
}

MenuEncoding encodingFromContent(std::string_view bytes) {
    bool invalid = false;
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char b = byteAt(bytes, i);
        const std::size_t left = size - i; // the current byte included
        if (b == 0) return MenuEncoding::Utf16Le;
        std::size_t continuations = 0;
        if ((b & 0xE0) == 0xC0 && left > 1) continuations = 1;
        else if ((b & 0xF0) == 0xE0 && left > 2) continuations = 2;
        else if ((b & 0xF8) == 0xF0 && left > 3) continuations = 3;
        else if (b & 0x80) invalid = true;
        ++i;
        // An expected continuation byte is consumed whatever it is, so a zero there is not a verdict.
        for (std::size_t k = 0; k < continuations; ++k, ++i) {
            if ((byteAt(bytes, i) & 0xC0) != 0x80) invalid = true;
        }
    }
    return invalid ? MenuEncoding::Ansi : MenuEncoding::Utf8;
}

std::u16string decodeUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char b = byteAt(bytes, i);
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        // Well-formed sequences: the second byte's range depends on the lead (no overlong forms, no
        // surrogates, nothing above U+10FFFF); later bytes are 80..BF.
        std::size_t need = 0;
        unsigned char low = 0x80, high = 0xBF;
        char32_t cp = 0;
        if (b >= 0xC2 && b <= 0xDF) { need = 1; cp = b & 0x1Fu; }
        else if (b == 0xE0) { need = 2; low = 0xA0; cp = 0; }
        else if (b >= 0xE1 && b <= 0xEC) { need = 2; cp = b & 0x0Fu; }
        else if (b == 0xED) { need = 2; high = 0x9F; cp = 0x0D; }
        else if (b >= 0xEE && b <= 0xEF) { need = 2; cp = b & 0x0Fu; }
        else if (b == 0xF0) { need = 3; low = 0x90; cp = 0; }
        else if (b >= 0xF1 && b <= 0xF3) { need = 3; cp = b & 0x07u; }
        else if (b == 0xF4) { need = 3; high = 0x8F; cp = 4; }
        if (need == 0) { // a stray continuation byte or a byte that never starts a sequence
            out.push_back(ReplacementCharacter);
            ++i;
            continue;
        }
        std::size_t taken = 1;
        for (; taken <= need; ++taken) {
            if (i + taken >= size) break;
            const unsigned char c = byteAt(bytes, i + taken);
            if (c < low || c > high) break;
            cp = (cp << 6) | (c & 0x3Fu);
            low = 0x80;
            high = 0xBF;
        }
        if (taken <= need) { // broken: the valid prefix becomes one replacement, the offending byte is rescanned
            out.push_back(ReplacementCharacter);
            i += taken;
            continue;
        }
        i += taken;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::u16string decodeUtf16Le(std::string_view bytes) {
    const std::size_t units = bytes.size() / 2;
    std::u16string out(units, u'\0');
    for (std::size_t k = 0; k < units; ++k) {
        out[k] = static_cast<char16_t>(byteAt(bytes, 2 * k) | (byteAt(bytes, 2 * k + 1) << 8));
    }
    if (bytes.size() % 2 != 0) out.push_back(ReplacementCharacter);
    return out;
}

std::u16string decodeText(std::string_view bytes, MenuEncoding encoding) {
    switch (encoding) {
    case MenuEncoding::Utf16Le: return decodeUtf16Le(bytes);
    case MenuEncoding::Ansi: return platform::ansiToUtf16(bytes);
    case MenuEncoding::Utf8: break;
    }
    return decodeUtf8(bytes);
}

} // namespace vorlix
