#include "menufile/expansion.h"

#include "platform/environment.h"

namespace vorlix {

namespace {

// Deletes every "%" pair with what stands between them; a last "%" without a partner stays. Text before
// a removed pair never holds a "%", so one pass from left to right removes the same pairs as restarting
// from the beginning after each removal would.
std::u16string removePercentPairs(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t open = text.find(u'%', i);
        if (open == std::u16string_view::npos) break;
        std::size_t close = text.find(u'%', open + 1);
        if (close == std::u16string_view::npos) break;
        out.append(text.substr(i, open - i));
        i = close + 1;
    }
    out.append(text.substr(i));
    return out;
}

} // namespace

std::u16string expandVariables(std::u16string_view text) {
    std::u16string expanded;
    if (text.empty()) return expanded;
    // A refused expansion leaves the text as written; the pair removal below still applies.
    if (!platform::expandEnvironmentStrings(text, expanded)) expanded.assign(text);
    return removePercentPairs(expanded);
}

std::u16string resolvePath(std::u16string_view text) {
    if (text.empty()) return {};
    std::u16string expanded;
    if (!platform::expandEnvironmentStrings(text, expanded)) return std::u16string(text);
    std::u16string full;
    if (!platform::fullPathName(expanded, full)) return expanded;
    return full;
}

} // namespace vorlix
