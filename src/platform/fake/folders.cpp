#include "platform/folders.h"

#include "platform/environment.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_folders.h"

namespace fake {

FoldersState& folders() {
    static FoldersState state;
    return state;
}

void resetFolders() { folders() = FoldersState{}; }

namespace {

std::u16string folderKey(const std::u16string& folder) {
    std::u16string full;
    if (folder.empty()) full = platform::currentDirectory();
    else if (!platform::fullPathName(folder, full)) full = folder;
    while (full.size() > 3 && full.back() == u'\\') full.pop_back();
    return platform::upperCase(full);
}

bool match(std::u16string_view p, std::u16string_view n) {
    if (p.empty()) return n.empty();
    if (p[0] == u'*') {
        for (std::size_t skip = 0; skip <= n.size(); ++skip)
            if (match(p.substr(1), n.substr(skip))) return true;
        return false;
    }
    if (n.empty()) return false;
    if (p[0] != u'?' && p[0] != n[0]) return false;
    return match(p.substr(1), n.substr(1));
}

} // namespace

void putFolderNames(const std::u16string& folder, const std::vector<std::u16string>& files,
                    const std::vector<std::u16string>& subfolders) {
    std::vector<platform::FoundName>& names = folders().folders[folderKey(folder)];
    names = {{u".", true}, {u"..", true}};
    for (const auto& s : subfolders) names.push_back({s, true});
    for (const auto& f : files) names.push_back({f, false});
}

bool wildcardMatch(std::u16string_view pattern, std::u16string_view name) {
    std::u16string p = platform::upperCase(pattern);
    std::u16string n = platform::upperCase(name);
    if (p.size() >= 2 && p.compare(p.size() - 2, 2, u".*") == 0 && n.find(u'.') == std::u16string::npos)
        p.resize(p.size() - 2);
    return match(p, n);
}

} // namespace fake

namespace platform {

bool enumerateFolder(const std::u16string& search, std::vector<FoundName>& found) {
    fake::folders().searches.push_back(search);
    if (fake::folders().failAll || fake::injectedFailure("enumerateFolder")) return false;
    std::size_t slash = search.find_last_of(u"\\/");
    std::u16string folder = slash == std::u16string::npos ? std::u16string() : search.substr(0, slash + 1);
    std::u16string pattern = slash == std::u16string::npos ? search : search.substr(slash + 1);
    const std::u16string key = fake::folderKey(folder);
    std::size_t before = found.size();
    auto it = fake::folders().folders.find(key);
    if (it != fake::folders().folders.end()) {
        for (const FoundName& f : it->second)
            if (fake::wildcardMatch(pattern, f.name)) found.push_back(f);
    }
    const std::u16string prefix = key.back() == u'\\' ? key : key + u'\\';
    for (const auto& [path, f] : fake::files().files) {
        if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) continue;
        std::u16string name = path.substr(prefix.size());
        if (name.find(u'\\') == std::u16string::npos && fake::wildcardMatch(pattern, name))
            found.push_back({name, f.folder});
    }
    return found.size() > before;
}

} // namespace platform
