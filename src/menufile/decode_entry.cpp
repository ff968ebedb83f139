#include "menufile/decode_entry.h"

#include "core/app_state.h"
#include "core/text.h"
#include "menufile/expansion.h"

namespace vorlix {

namespace {

constexpr std::size_t KeywordCount = 6; // configuration;vorlix;files;rem;cancel;submenu

// The part after the last "/" or "\"; a command that starts with a quote is cut at its closing quote
// first, so a quoted path followed by arguments still yields the program's name.
std::u16string_view fileNamePart(std::u16string_view command) {
    if (!command.empty() && command.front() == u'"') {
        command.remove_prefix(1);
        std::size_t quote = command.find(u'"');
        if (quote != std::u16string_view::npos) command = command.substr(0, quote);
    }
    return fileNameOf(command);
}

std::uint32_t kindOf(const std::u16string& lowerCommand) {
    std::u16string_view c(lowerCommand);
    if (fileNamePart(c) == u"explorer.exe") return EntryKind::Explorer;
    if (c.substr(0, 4) == u"http" || c.substr(0, 7) == u"mailto:") return EntryKind::WebLink;
    std::u16string word = strip(fieldAt(c, u' ', 0));
    if (word == u"setup") word = u"configuration";
    else if (word == u"remark") word = u"rem";
    // An empty word must not match the empty fields of a keyword list that was never set.
    if (word.empty()) return 0;
    for (std::size_t i = 0; i < KeywordCount; ++i) {
        if (word == lowerCase(fieldAt(app.keywordList, u';', i))) return 1u << i;
    }
    return 0;
}

} // namespace

void decodeEntry(const MenuEntry& entry) {
    EntryFields& e = app.currentEntry;
    e.label = entry.label;
    std::u16string_view definition(entry.definition);
    e.command.assign(fieldAt(definition, u';', 0));
    e.parameters.assign(fieldAt(definition, u';', 1));
    e.directory.assign(fieldAt(definition, u';', 2));
    e.runMode.assign(fieldAt(definition, u';', 3));
    e.iconSpec.assign(fieldAt(definition, u';', 4));
    for (char16_t& c : e.parameters) {
        if (c == ParameterSemicolon) c = u';';
    }
    e.expandedCommand = expandVariables(e.command);
    e.expandedParameters = expandVariables(e.parameters);
    e.expandedDirectory = expandVariables(e.directory);
    e.kind = kindOf(lowerCase(e.expandedCommand));
}

LabelPlacement labelPlacement(std::u16string_view label) {
    if (label.find(u'/') == std::u16string_view::npos) return TopLevel;
    std::u16string trimmed = stripTrailing(label);
    return !trimmed.empty() && trimmed.back() == u'/' ? SubmenuHeader : SubmenuMember;
}

std::u16string itemTextOf(std::u16string_view label) {
    if (label.find(u'/') == std::u16string_view::npos) return std::u16string(label);
    return std::u16string(fieldAt(label, u'/', 1));
}

} // namespace vorlix
