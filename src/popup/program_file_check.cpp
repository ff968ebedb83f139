#include "popup/program_file_check.h"

#include <vector>

#include "platform/files.h"

namespace vorlix {

namespace {

// One read of the file: the bytes from start on.
struct Span {
    std::int64_t start = 0;
    std::string bytes;

    bool holds(std::int64_t at, std::int64_t count) const {
        return at >= start && count >= 0 && at - start + count <= static_cast<std::int64_t>(bytes.size());
    }
    std::uint32_t number(std::int64_t at, int count) const {
        std::uint32_t value = 0;
        for (int i = count; i-- > 0;)
            value = value << 8 | static_cast<unsigned char>(bytes[static_cast<std::size_t>(at - start + i)]);
        return value;
    }
};

constexpr std::int64_t DosHeaderBytes = 64;
constexpr std::int64_t NewHeaderPointerAt = 0x3C;
constexpr std::int64_t FileHeaderBytes = 24; // the signature and the COFF header
constexpr std::int64_t SectionHeaderBytes = 40;
// The headers and section table of nearly every program lie in its first page: one read.
constexpr std::size_t HeaderReadBytes = 4096;
// The Windows loader refuses more sections than this.
constexpr std::uint32_t MaxSections = 96;
constexpr std::uint32_t Pe32Magic = 0x10B;
constexpr std::uint32_t Pe32PlusMagic = 0x20B;
constexpr std::uint32_t ResourceDirectoryIndex = 2;

// The short walk: it reads at most this much of the resource section and visits at most so many entries;
// whatever lies beyond is left unjudged.
constexpr std::size_t ResourceReadBytes = 64 * 1024;
constexpr int MaxWalkedEntries = 4096;
constexpr std::int64_t DirectoryBytes = 16;
constexpr std::int64_t DirectoryEntryBytes = 8;
constexpr std::int64_t DataEntryBytes = 16;
constexpr std::uint32_t SubdirectoryBit = 0x80000000;
constexpr std::uint32_t NamedBit = 0x80000000;
// The resource types that icon extraction reads.
constexpr std::uint32_t IconType = 3;
constexpr std::uint32_t IconGroupType = 14;

struct Section {
    std::int64_t address;   // where it is loaded (relative to the image)
    std::int64_t fileStart; // where its data is in the file
    std::int64_t fileSize;  // how much of it the file holds
};

struct Image {
    std::int64_t fileSize;
    std::vector<Section> sections;

    // The section whose data in the file holds the count bytes loaded at address, or nullptr.
    const Section* holding(std::int64_t address, std::int64_t count) const {
        for (const Section& s : sections)
            if (address >= s.address && address - s.address + count <= s.fileSize) return &s;
        return nullptr;
    }
};

enum class Walk { Sound, Damaged, Unread };

class ResourceWalk {
public:
    ResourceWalk(const Image& image, std::int64_t begin, std::int64_t end, Span span)
        : image_(image), begin_(begin), end_(end), span_(std::move(span)) {}

    // The directory at offset (from the directory's start) of the given level: 0 types, 1 names, 2 languages.
    Walk directory(std::int64_t offset, int level) {
        const std::int64_t at = begin_ + offset;
        if (at + DirectoryBytes > end_) return Walk::Damaged;
        if (!span_.holds(at, DirectoryBytes)) return Walk::Unread;
        const std::int64_t entries = span_.number(at + 12, 2) + span_.number(at + 14, 2);
        if (at + DirectoryBytes + entries * DirectoryEntryBytes > end_) return Walk::Damaged;
        for (std::int64_t i = 0; i < entries; ++i) {
            const std::int64_t entry = at + DirectoryBytes + i * DirectoryEntryBytes;
            if (!span_.holds(entry, DirectoryEntryBytes) || ++visited_ > MaxWalkedEntries) return Walk::Unread;
            const std::uint32_t name = span_.number(entry, 4);
            const std::uint32_t target = span_.number(entry + 4, 4);
            if (level == 0 && ((name & NamedBit) || (name != IconType && name != IconGroupType))) continue;
            const bool subdirectory = (target & SubdirectoryBit) != 0;
            if (subdirectory != (level < 2)) return Walk::Damaged;
            const Walk w = subdirectory ? directory(target & ~SubdirectoryBit, level + 1) : data(target);
            if (w != Walk::Sound) return w;
        }
        return Walk::Sound;
    }

private:
    // A resource's description: its bytes must be in the file.
    Walk data(std::int64_t offset) {
        const std::int64_t at = begin_ + offset;
        if (at + DataEntryBytes > end_) return Walk::Damaged;
        if (!span_.holds(at, DataEntryBytes)) return Walk::Unread;
        const std::int64_t address = span_.number(at, 4);
        const std::int64_t count = span_.number(at + 4, 4);
        const Section* s = image_.holding(address, count);
        return s && s->fileStart + (address - s->address) + count <= image_.fileSize ? Walk::Sound : Walk::Damaged;
    }

    const Image& image_;
    std::int64_t begin_, end_; // the resource directory's start and its section's end, in the file
    Span span_;
    int visited_ = 0;
};

} // namespace

ProgramFileVerdict judgeProgramFile(std::int64_t fileSize, const ReadFileBytes& read) {
    using enum ProgramFileVerdict;
    Span head;
    if (!read(0, HeaderReadBytes, head.bytes) || !head.holds(0, 2) || head.bytes.compare(0, 2, "MZ") != 0)
        return NotProgram;
    if (!head.holds(0, DosHeaderBytes)) return Damaged;
    const std::int64_t pe = head.number(NewHeaderPointerAt, 4);
    if (pe + FileHeaderBytes > fileSize) return Damaged;
    if (!head.holds(pe, FileHeaderBytes)) {
        head.start = pe;
        if (!read(pe, HeaderReadBytes, head.bytes) || !head.holds(pe, FileHeaderBytes)) return Damaged;
    }
    // A 16-bit program (or an old icon library) is read by other rules than these.
    if (head.bytes.compare(static_cast<std::size_t>(pe - head.start), 4, std::string("PE\0\0", 4)) != 0)
        return NotProgram;

    const std::uint32_t sectionCount = head.number(pe + 6, 2);
    const std::int64_t optionalBytes = head.number(pe + 20, 2);
    const std::int64_t optional = pe + FileHeaderBytes;
    const std::int64_t sectionTable = optional + optionalBytes;
    const std::int64_t headersEnd = sectionTable + sectionCount * SectionHeaderBytes;
    if (sectionCount > MaxSections || headersEnd > fileSize) return Damaged;
    if (!head.holds(optional, headersEnd - optional)) {
        head.start = optional;
        if (!read(optional, static_cast<std::size_t>(headersEnd - optional), head.bytes) ||
            !head.holds(optional, headersEnd - optional))
            return Damaged;
    }

    if (optionalBytes < 2) return Damaged;
    const std::uint32_t magic = head.number(optional, 2);
    if (magic != Pe32Magic && magic != Pe32PlusMagic) return Damaged;
    const std::int64_t directoryCountAt = optional + (magic == Pe32Magic ? 92 : 108);
    const std::int64_t resourceEntry = directoryCountAt + 4 + ResourceDirectoryIndex * 8;
    // Without a resource directory there is nothing for the extraction to misread.
    if (resourceEntry + 8 > sectionTable || head.number(directoryCountAt, 4) <= ResourceDirectoryIndex) return Sound;
    const std::int64_t resources = head.number(resourceEntry, 4);
    if (resources == 0) return Sound;

    Image image{fileSize, {}};
    for (std::uint32_t i = 0; i < sectionCount; ++i) {
        const std::int64_t at = sectionTable + i * SectionHeaderBytes;
        image.sections.push_back({head.number(at + 12, 4), head.number(at + 20, 4), head.number(at + 16, 4)});
    }
    const Section* section = image.holding(resources, DirectoryBytes);
    if (!section || section->fileStart + section->fileSize > fileSize) return Damaged;

    const std::int64_t begin = section->fileStart + (resources - section->address);
    const std::int64_t end = section->fileStart + section->fileSize;
    Span span;
    span.start = begin;
    const std::int64_t wanted = end - begin;
    if (!read(begin, wanted < static_cast<std::int64_t>(ResourceReadBytes) ? static_cast<std::size_t>(wanted) : ResourceReadBytes,
              span.bytes))
        return Damaged;
    ResourceWalk walk(image, begin, end, std::move(span));
    return walk.directory(0, 0) == Walk::Damaged ? Damaged : Sound;
}

bool programFileIsDamaged(const std::u16string& path, std::int64_t fileSize) {
    if (fileSize < 1) return false;
    const ProgramFileVerdict verdict =
        judgeProgramFile(fileSize, [&path](std::int64_t offset, std::size_t count, std::string& bytes) {
            return platform::readFileAt(path, offset, count, bytes);
        });
    return verdict == ProgramFileVerdict::Damaged;
}

} // namespace vorlix
