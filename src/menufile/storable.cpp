#include "menufile/storable.h"

#include "core/text.h"
#include "menufile/decode_entry.h"

namespace vorlix {

namespace {

bool breaksLine(char16_t c) { return c == u'\r' || c == u'\n' || c == u'\0'; }

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

// A lone half of a surrogate pair has no UTF-8 form: it would read back as U+FFFD.
bool hasLoneSurrogate(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) ++i;
        else if (isHighSurrogate(text[i]) || isLowSurrogate(text[i])) return true;
    }
    return false;
}

// The character that the reader takes as the end of this field.
char16_t fieldEnd(FieldRole role) {
    switch (role) {
    case FieldRole::Label: return u'=';
    case FieldRole::Parameters: return ParameterSemicolon; // ";" itself is stored as DEL
    default: return u';';
    }
}

} // namespace

bool storableField(std::u16string_view text, FieldRole role) {
    if (role == FieldRole::Label && strip(text).size() > MaxLabelLength) return false;
    const char16_t end = fieldEnd(role);
    for (char16_t c : text)
        if (breaksLine(c) || c == end) return false;
    return !hasLoneSurrogate(text);
}

std::u16string storableImport(std::u16string_view text, FieldRole role) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (breaksLine(text[i])) {
            while (i + 1 < text.size() && breaksLine(text[i + 1])) ++i;
            out += u' ';
        } else if (!(role == FieldRole::Parameters && text[i] == ParameterSemicolon)) {
            out += text[i];
        }
    }
    return out;
}

bool entryLineIsWhole(const MenuEntry& entry) {
    if (entry.label.size() > MaxLabelLength || entry.label.find(u'=') != std::u16string::npos) return false;
    for (const std::u16string* text : {&entry.label, &entry.definition})
        for (char16_t c : *text)
            if (breaksLine(c)) return false;
    return true;
}

bool entryIsPlaceholder(const MenuEntry& entry) {
    const std::u16string item = itemTextOf(entry.label);
    return entry.definition.empty() && item != u"-" && item != u"|";
}

} // namespace vorlix
