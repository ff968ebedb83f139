#include "popup/item_icons.h"

#include <string>
#include <string_view>
#include <unordered_map>

#include "app/app_state.h"
#include "app/text.h"
#include "menufile/expansion.h"
#include "platform/files.h"
#include "platform/icons.h"

namespace vorlix {

namespace {

// The program's own icons, by their position in the program file, in the order the kinds are tested.
struct KeywordIcon {
    EntryKind kind;
    int index;
};
constexpr KeywordIcon KeywordIcons[] = {
    {Vorlix, 0}, {Submenu, 1}, {Files, 2}, {Configuration, 3}, {Remark, 4}, {Cancel, 5},
};

// Shown for web links: the shell's icon for a web page, whether or not such a file exists.
constexpr const char16_t* WebPageName = u"dummy.htm";

// One source within a batch: the icon handed to the first item that asked (0 when the source gave none)
// and, once a second item asks, the image that the icons of later items are made from.
struct SourceIcon {
    platform::IconHandle first = 0;
    platform::IconImage image;
    bool haveImage = false;
};

struct IconBatch {
    bool active = false;
    std::unordered_map<std::u16string, SourceIcon> sources; // by source key
};

IconBatch& batch() {
    static IconBatch state;
    return state;
}

// Loads through the batch when one is running. A source that gave no icon is remembered as well, so a
// missing file is not searched for again by every item that names it. Should no icon come from the
// image, the item asks the source itself rather than go without its icon.
template <typename Load>
platform::IconHandle fromSource(std::u16string key, Load load) {
    if (!batch().active) return load();
    auto [it, inserted] = batch().sources.try_emplace(std::move(key));
    SourceIcon& source = it->second;
    if (inserted) {
        source.first = load();
        return source.first;
    }
    if (!source.first) return 0;
    if (!source.haveImage) source.haveImage = platform::iconImage(source.first, source.image);
    platform::IconHandle own = source.haveImage ? platform::iconFromImage(source.image) : 0;
    return own ? own : load();
}

platform::IconHandle explicitIcon(std::u16string_view iconText) {
    std::size_t comma = iconText.rfind(u',');
    std::u16string_view filePart = comma == std::u16string_view::npos ? iconText : iconText.substr(0, comma);
    std::u16string_view numberPart = comma == std::u16string_view::npos ? std::u16string_view() : iconText.substr(comma + 1);
    std::u16string key = u"x";
    key.append(filePart).push_back(u'\0');
    key.append(numberPart);
    return fromSource(std::move(key), [&] {
        std::u16string file = resolvePath(filePart);
        // A missing or empty file (or a folder) holds no icon whatever the number says.
        if (platform::pathSizeOrKind(file) < 1) return platform::IconHandle{0};
        return platform::extractSmallIcon(file, parseInteger(numberPart));
    });
}

platform::IconHandle programIcon(int index) {
    std::u16string key = u"k";
    key += static_cast<char16_t>(u'0' + index);
    return fromSource(std::move(key), [&] { return platform::extractSmallIcon(app.programPath, index); });
}

platform::IconHandle shellIcon(const std::u16string& name) {
    // Asked about an empty name, the shell may answer with some unrelated icon.
    if (name.empty()) return 0;
    return fromSource(u"s" + name, [&] { return platform::shellSmallIcon(name); });
}

} // namespace

platform::IconHandle loadItemIcon() {
    const EntryFields& entry = app.currentEntry;
    if (!entry.iconSpec.empty()) return explicitIcon(entry.iconSpec);
    for (const KeywordIcon& k : KeywordIcons)
        if (entry.kind & k.kind) return programIcon(k.index);
    if (entry.kind & WebLink) return shellIcon(WebPageName);
    if (entry.kind & Explorer) return shellIcon(entry.expandedDirectory);
    return shellIcon(entry.expandedCommand);
}

void beginIconBatch() {
    endIconBatch();
    batch().active = true;
}

void endIconBatch() {
    batch().sources.clear();
    batch().active = false;
}

} // namespace vorlix
