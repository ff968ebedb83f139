#include "popup/folder_listing.h"

#include <algorithm>
#include <cstdint>

#include "core/app_state.h"
#include "core/text.h"
#include "menufile/expansion.h"
#include "platform/folders.h"

namespace vorlix {

namespace {

constexpr std::u16string_view NoExtensionWord = u"/noext";

// Removes every "/noext" in any letter case; true when there was one.
bool takeNoExtensionWord(std::u16string& patterns) {
    std::u16string lowered = lowerCase(patterns);
    if (lowered.find(NoExtensionWord) == std::u16string::npos) return false;
    std::u16string rest;
    for (std::size_t i = 0; i < patterns.size();) {
        if (lowered.compare(i, NoExtensionWord.size(), NoExtensionWord) == 0) {
            i += NoExtensionWord.size();
        } else {
            rest.push_back(patterns[i++]);
        }
    }
    patterns = std::move(rest);
    return true;
}

} // namespace

void sortFolderNames(std::vector<std::u16string>& names) {
    // Lower-casing works character by character, so one call over all names gives every key at once.
    std::u16string all;
    std::vector<std::size_t> starts;
    starts.reserve(names.size() + 1);
    for (const std::u16string& name : names) {
        starts.push_back(all.size());
        all += name;
    }
    starts.push_back(all.size());
    const std::u16string lowered = lowerCase(all);
    struct Keyed {
        std::u16string_view key;
        std::size_t index;
    };
    std::vector<Keyed> order;
    order.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        order.push_back({std::u16string_view(lowered).substr(starts[i], starts[i + 1] - starts[i]), i});
    // Stable: names that compare equal stay in the order they were found, as an insertion after the last
    // name that is not greater would leave them.
    std::stable_sort(order.begin(), order.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    std::vector<std::u16string> sorted;
    sorted.reserve(names.size());
    for (const Keyed& k : order) sorted.push_back(std::move(names[k.index]));
    names = std::move(sorted);
}

bool listFolder(std::u16string_view folder, std::u16string_view patterns) {
    app.folderItems.clear();
    std::u16string remaining(patterns);
    bool noExtension = takeNoExtensionWord(remaining);
    std::u16string directory = folder.empty() ? std::u16string() : resolvePath(folder);

    std::vector<platform::FoundName> found;
    for (std::size_t k = 0;; ++k) {
        std::u16string pattern = strip(fieldAt(remaining, u',', k));
        if (pattern.empty()) break; // an empty field ends the listing, even before later fields
        std::u16string search = directory;
        if (!search.empty() && search.back() != u'\\') search += u'\\';
        search += pattern;
        platform::enumerateFolder(search, found);
    }

    std::vector<std::u16string>& names = app.folderItems;
    names.reserve(found.size());
    for (platform::FoundName& f : found)
        if (!f.folder) names.push_back(std::move(f.name));
    sortFolderNames(names);
    return noExtension;
}

std::u16string nameWithoutExtension(std::u16string_view name) {
    for (std::size_t i = name.size(); i-- > 1;) {
        if (name[i] == u' ') break;
        if (name[i] == u'.') {
            if (i + 1 == name.size()) break; // a name ending in a dot is shown whole
            return std::u16string(name.substr(0, i));
        }
    }
    return std::u16string(name);
}

} // namespace vorlix
