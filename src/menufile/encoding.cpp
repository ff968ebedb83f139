#include "menufile/encoding.h"

#include <cstdint>
#include <cstring>

#include "platform/files.h"

namespace vorlix {

namespace {

unsigned char byteAt(std::string_view bytes, std::size_t i) { return static_cast<unsigned char>(bytes[i]); }

constexpr char16_t ReplacementCharacter = 0xFFFD;

// Length of the run of non-zero ASCII bytes at i, taken eight at a time: menu files are mostly ASCII,
// and this keeps the content scan and the decoder close to the speed of a plain copy.
std::size_t plainAsciiRun(std::string_view bytes, std::size_t i) {
    constexpr std::uint64_t High = 0x8080808080808080ull;
    constexpr std::uint64_t Ones = 0x0101010101010101ull;
    const std::size_t start = i;
    while (i + 8 <= bytes.size()) {
        std::uint64_t w;
        std::memcpy(&w, bytes.data() + i, 8);
        // No high bit set, and (with high bits clear) no zero byte.
        if ((w & High) != 0 || ((w - Ones) & ~w & High) != 0) break;
        i += 8;
    }
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i] - 1) < 0x7F) ++i;
    return i - start;
}

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
        i += plainAsciiRun(bytes, i);
        if (i >= size) break;
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
    // Every byte yields at most one code unit (a four-byte sequence yields two), so this never overflows.
    std::u16string out(bytes.size(), u'\0');
    char16_t* put = out.data();
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        for (std::size_t run = plainAsciiRun(bytes, i); run > 0; --run) *put++ = byteAt(bytes, i++);
        if (i >= size) break;
        const unsigned char b = byteAt(bytes, i);
        if (b < 0x80) { // the zero byte, which the run stops at
            *put++ = b;
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
            *put++ = ReplacementCharacter;
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
        i += taken;
        if (taken <= need) { // broken: the valid prefix becomes one replacement, the offending byte is rescanned
            *put++ = ReplacementCharacter;
        } else if (cp >= 0x10000) {
            cp -= 0x10000;
            *put++ = static_cast<char16_t>(0xD800 + (cp >> 10));
            *put++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            *put++ = static_cast<char16_t>(cp);
        }
    }
    out.resize(static_cast<std::size_t>(put - out.data()));
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
