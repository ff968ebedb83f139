#include "menufile/reader.h"

#include <utility>
#include <vector>

#include "core/app_state.h"
#include "core/text.h"
#include "menufile/encoding.h"
#include "menufile/file_stamp.h"
#include "platform/files.h"

namespace vorlix {

namespace {

// The "=" that splits a line must stand within its first 1023 characters.
constexpr std::size_t MaxSeparatorIndex = 1023;

// The first test settles almost every character at once.
bool endsLine(char16_t c) { return c <= u'\r' && (c == u'\n' || c == u'\r' || c == u'\0'); }

// Takes the next line off text at pos: it ends at LF, CR, CR LF or a zero character, the last one at the
// end of the text. false when the text is used up.
bool nextLine(std::u16string_view text, std::size_t& pos, std::u16string_view& line) {
    if (pos >= text.size()) return false;
    std::size_t end = pos;
    while (end < text.size() && !endsLine(text[end])) ++end;
    line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size()) {
        if (text[pos] == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n') ++pos;
        ++pos;
    }
    return true;
}

std::u16string_view stripView(std::u16string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && text[first] == u' ') ++first;
    while (last > first && text[last - 1] == u' ') --last;
    return text.substr(first, last - first);
}

// Separator and column-break lines need no definition; every other line needs a command first.
bool lineIsAcceptable(std::u16string_view label, std::u16string_view definition) {
    // itemTextOf without the copy: this runs for every line of the file.
    std::u16string_view itemText = label.find(u'/') == std::u16string_view::npos ? label : fieldAt(label, u'/', 1);
    if (itemText == u"-" || itemText == u"|") return true;
    return !definition.empty() && definition.front() != u';';
}

} // namespace

bool loadMenuFile() {
    app.entries.clear();
    app.lineNumber = 0;
    std::u16string text;
    {
        std::string bytes;
        app.menuFileStamp = MenuFileStamp{};
        if (!platform::readFileExclusive(app.menuFilePath, bytes)) return true; // a missing menu, not an error
        app.menuFileStamp = stampOf(bytes);
        DetectedEncoding found = detectEncoding(bytes);
        app.menuEncoding = found.encoding;
        app.menuHasBom = found.hasBom;
        text = decodeText(std::string_view(bytes).substr(found.textStart), found.encoding);
    }
    std::size_t pos = 0;
    std::u16string_view raw;
    while (nextLine(text, pos, raw)) {
        std::u16string_view line = stripView(raw);
        if (line.empty()) continue;
        ++app.lineNumber;
        std::size_t separator = line.substr(0, MaxSeparatorIndex).find(u'=');
        if (separator == std::u16string_view::npos) return false;
        std::u16string_view label = stripView(line.substr(0, separator));
        std::u16string_view definition = stripView(line.substr(separator + 1));
        if (!lineIsAcceptable(label, definition)) return false;
        MenuEntry& entry = app.entries.emplace_back();
        entry.label.assign(label);
        entry.definition.assign(definition);
    }
    return true;
}

void completeSubmenuHeaders() {
    std::vector<MenuEntry>& entries = app.entries;
    std::vector<MenuEntry> completed; // built only once a header is missing; inserting in place is quadratic
    bool rebuilding = false;
    std::u16string submenu;      // name of the submenu the previous line belonged to
    std::u16string submenuLower; // the same, lower-cased once
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::u16string& label = entries[i].label;
        std::size_t slash = label.find(u'/');
        if (slash == std::u16string::npos) {
            submenu.clear();
            submenuLower.clear();
        } else if (slash + 1 == label.size()) {
            submenu.assign(label, 0, slash);
            submenuLower = lowerCase(submenu);
        } else {
            std::u16string_view name(label.data(), slash);
            bool same = name.size() == submenu.size() && (name == submenu || lowerCase(name) == submenuLower);
            if (!same) {
                if (!rebuilding) {
                    rebuilding = true;
                    completed.reserve(entries.size() + entries.size() / 8 + 1);
                    for (std::size_t k = 0; k < i; ++k) completed.push_back(std::move(entries[k]));
                }
                MenuEntry header;
                header.label.assign(name);
                header.label += u'/';
                header.definition = u"submenu";
                completed.push_back(std::move(header));
                submenu.assign(name);
                submenuLower = lowerCase(submenu);
            }
        }
        if (rebuilding) completed.push_back(std::move(entries[i]));
    }
    if (rebuilding) entries = std::move(completed);
}

} // namespace vorlix
