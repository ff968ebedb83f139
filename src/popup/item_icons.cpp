#include "popup/item_icons.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/app_state.h"
#include "core/text.h"
#include "menufile/expansion.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/icons.h"
#include "popup/program_file_check.h"

namespace vorlix {

namespace {

// The program's own icons, by their position in the program file, in the order the kinds are tested.
struct KeywordIcon {
    EntryKind::Bit kind;
    int index;
};
constexpr KeywordIcon KeywordIcons[] = {
    {EntryKind::Vorlix, 0}, {EntryKind::Submenu, 1}, {EntryKind::Files, 2}, {EntryKind::Configuration, 3}, {EntryKind::Remark, 4}, {EntryKind::Cancel, 5},
};

// Shown for web links: the shell's icon for a web page, whether or not such a file exists.
constexpr const char16_t* WebPageName = u"dummy.htm";

// Where an entry's icon comes from: a key naming the source within a batch, and how to load it. No
// loader means no icon at all.
struct IconSource {
    std::u16string key;
    std::function<platform::IconHandle()> load;
};

struct IconBatch {
    bool active = false;
    // The icon that the first item of each source got, by source key (0 when the source gave none, so a
    // missing file is not searched for again by every item that names it).
    std::unordered_map<std::u16string, platform::IconHandle> sources;
};

IconBatch& batch() {
    static IconBatch state;
    return state;
}

constexpr std::size_t IcoHeaderBytes = 6;
constexpr std::size_t IcoEntryBytes = 16;
// The smallest image an entry can hold: a bitmap's header alone is 40 bytes (a PNG is longer still).
constexpr std::uint32_t MinIcoImageBytes = 40;

std::uint32_t littleEndian(std::string_view bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// An ".ico" file whose directory is damaged. A file that cannot be read is not judged: the icon reader
// finds nothing in it either.
bool damagedIcoFile(const std::u16string& path) {
    if (path.size() < 4 || lowerCase(std::u16string_view(path).substr(path.size() - 4)) != u".ico") return false;
    const std::int64_t size = platform::pathSizeOrKind(path);
    std::string start;
    if (size < 0 || !platform::readFileStart(path, IcoHeaderBytes, start)) return false;
    if (start.size() == IcoHeaderBytes) {
        const std::size_t directoryBytes = IcoHeaderBytes + IcoEntryBytes * littleEndian(start, 4, 2);
        if (static_cast<std::int64_t>(directoryBytes) <= size && !platform::readFileStart(path, directoryBytes, start))
            return false;
    }
    return !icoDirectoryIsSound(start, size);
}

IconSource explicitSource(std::u16string_view iconText) {
    std::size_t comma = iconText.rfind(u',');
    std::u16string_view filePart = comma == std::u16string_view::npos ? iconText : iconText.substr(0, comma);
    std::u16string_view numberPart = comma == std::u16string_view::npos ? std::u16string_view() : iconText.substr(comma + 1);
    std::u16string key = u"x";
    key.append(filePart).push_back(u'\0');
    key.append(numberPart);
    return {std::move(key), [file = std::u16string(filePart), number = std::u16string(numberPart)] {
                std::u16string path = resolvePath(file);
                // A missing or empty file (or a folder) holds no icon whatever the number says.
                const std::int64_t size = platform::pathSizeOrKind(path);
                if (size < 1 || damagedIcoFile(path) || programFileIsDamaged(path, size)) return platform::IconHandle{0};
                return platform::extractSmallIcon(path, parseInteger(number));
            }};
}

IconSource programSource(int index) {
    std::u16string key = u"k";
    key += static_cast<char16_t>(u'0' + index);
    return {std::move(key), [index] { return platform::extractSmallIcon(app.programPath, index); }};
}

IconSource shellSource(const std::u16string& name) {
    // Asked about an empty name, the shell may answer with some unrelated icon.
    if (name.empty()) return {};
    // The shell draws an ".ico" file with the file's own icon, through the same reader.
    return {u"s" + name, [name] { return damagedIcoFile(name) ? 0 : platform::shellSmallIcon(name); }};
}

IconSource iconSourceOf(const EntryFields& entry) {
    if (!entry.iconSpec.empty()) return explicitSource(entry.iconSpec);
    for (const KeywordIcon& k : KeywordIcons)
        if (entry.kind & k.kind) return programSource(k.index);
    if (entry.kind & EntryKind::WebLink) return shellSource(WebPageName);
    if (entry.kind & EntryKind::Explorer) return shellSource(entry.expandedDirectory);
    return shellSource(entry.expandedCommand);
}

} // namespace

bool iconFileIsDamaged(const std::u16string& path) {
    return damagedIcoFile(path) || programFileIsDamaged(path, platform::pathSizeOrKind(path));
}

bool icoDirectoryIsSound(std::string_view start, std::int64_t fileSize) {
    if (start.size() < IcoHeaderBytes || littleEndian(start, 0, 2) != 0 || littleEndian(start, 2, 2) != 1) return false;
    const std::size_t count = littleEndian(start, 4, 2);
    const std::size_t directoryBytes = IcoHeaderBytes + IcoEntryBytes * count;
    if (count == 0 || start.size() < directoryBytes || static_cast<std::int64_t>(directoryBytes) > fileSize) return false;
    for (std::size_t entry = IcoHeaderBytes; entry < directoryBytes; entry += IcoEntryBytes) {
        const std::int64_t bytes = littleEndian(start, entry + 8, 4);
        const std::int64_t offset = littleEndian(start, entry + 12, 4);
        if (bytes < MinIcoImageBytes || offset < static_cast<std::int64_t>(directoryBytes) || offset + bytes > fileSize)
            return false;
    }
    return true;
}

platform::IconHandle loadItemIcon() {
    IconSource source = iconSourceOf(app.currentEntry);
    return source.load ? source.load() : 0;
}

platform::ItemIcon loadMenuItemIcon() {
    IconSource source = iconSourceOf(app.currentEntry);
    if (!source.load) return {};
    if (!batch().active) return {source.load(), false};
    auto [it, inserted] = batch().sources.try_emplace(std::move(source.key), 0);
    if (inserted) {
        it->second = source.load();
        return {it->second, false};
    }
    return {it->second, it->second != 0};
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
