#include "menufile/safe_replace.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/text.h"
#include "platform/environment.h"
#include "platform/file_write.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace vorlix {

namespace {

// Pieces of one write call: small enough that no system limit applies.
constexpr std::size_t WriteChunk = 64 * 1024;

// A virus scanner or an indexer may hold the menu file for a moment just after it changed.
constexpr std::uint32_t RenameRetryDelaysMs[] = {10, 20, 40, 80, 160};

// Temporary files are "<menu file name>.~vorlix<n>.tmp" beside the menu file; n counts up past names that
// are taken, and any such file left by a crash is removed by the next save.
constexpr std::u16string_view TemporaryInfix = u".~vorlix";
constexpr std::u16string_view TemporarySuffix = u".tmp";
constexpr int TemporaryNames = 16;

// What a replacement file takes over from the file that it replaces. Read-only files are never written;
// archive is always set, as any write to the file would set it.
constexpr std::uint32_t AttributeNotContentIndexed = 0x2000;
constexpr std::uint32_t KeptAttributes =
    platform::AttributeHidden | platform::AttributeSystem | platform::AttributeArchive | AttributeNotContentIndexed;

bool isTemporaryName(std::u16string_view name, std::u16string_view menuFileName) {
    std::size_t prefix = menuFileName.size() + TemporaryInfix.size();
    if (name.size() <= prefix + TemporarySuffix.size()) return false;
    if (!equalsIgnoreCase(name.substr(0, menuFileName.size()), menuFileName)) return false;
    if (!equalsIgnoreCase(name.substr(menuFileName.size(), TemporaryInfix.size()), TemporaryInfix)) return false;
    std::size_t digitsEnd = name.size() - TemporarySuffix.size();
    if (!equalsIgnoreCase(name.substr(digitsEnd), TemporarySuffix)) return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix),
                       name.begin() + static_cast<std::ptrdiff_t>(digitsEnd),
                       [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// Best effort: a temporary that cannot be deleted now (another save holds it) is tried again next time.
void removeStaleTemporaries(const std::u16string& path) {
    std::u16string name(fileNameOf(path));
    std::vector<platform::FoundName> found;
    if (!platform::enumerateFolder(path + std::u16string(TemporaryInfix) + u"*" + std::u16string(TemporarySuffix), found))
        return;
    std::u16string folder = directoryPart(path);
    // Windows also matches the short 8.3 names, so every name that comes back is checked.
    for (const platform::FoundName& candidate : found) {
        if (!candidate.folder && isTemporaryName(candidate.name, name)) platform::deleteFile(folder + candidate.name);
    }
}

platform::WriteHandle createTemporary(const std::u16string& path, std::u16string& temporary) {
    for (int n = 0; n < TemporaryNames; ++n) {
        temporary = path + std::u16string(TemporaryInfix) + toDecimal(n) + std::u16string(TemporarySuffix);
        platform::WriteHandle file = platform::createNewFile(temporary);
        if (file != 0) return file;
        std::uint32_t error = platform::lastError();
        if (error != platform::ErrorFileExists && error != platform::ErrorAlreadyExists) return 0;
    }
    return 0;
}

bool writeAll(platform::WriteHandle file, std::string_view bytes) {
    while (!bytes.empty()) {
        std::size_t written = 0;
        if (!platform::writeFile(file, bytes.substr(0, std::min(bytes.size(), WriteChunk)), written) || written == 0)
            return false;
        bytes.remove_prefix(std::min(written, bytes.size()));
    }
    return true;
}

bool isBusy(std::uint32_t error) {
    return error == platform::ErrorSharingViolation || error == platform::ErrorLockViolation ||
           error == platform::ErrorAccessDenied;
}

bool renameOver(const std::u16string& temporary, const std::u16string& path) {
    for (std::uint32_t delayMs : RenameRetryDelaysMs) {
        if (platform::moveFileReplacing(temporary, path)) return true;
        if (!isBusy(platform::lastError())) return false;
        platform::sleepMs(delayMs);
    }
    return platform::moveFileReplacing(temporary, path);
}

std::u16string withoutTrailingSlash(std::u16string path) {
    while (!path.empty() && path.back() == u'\\') path.pop_back();
    return path;
}

// "\\?\C:\x" -> "C:\x" and "\\?\UNC\server\share\x" -> "\\server\share\x": the forms that a menu file's path has, so
// that temporaries are named and found the same way. A path too long for them keeps its prefix, and so
// does a volume without a drive letter.
std::u16string withoutLongPathPrefix(const std::u16string& path) {
    constexpr std::size_t Room = 260 - 16; // MAX_PATH, less a temporary's suffix
    std::u16string_view p = path;
    std::u16string out;
    if (p.starts_with(u"\\\\?\\UNC\\")) out = u"\\\\" + std::u16string(p.substr(8));
    else if (p.size() >= 7 && p.starts_with(u"\\\\?\\") && p[5] == u':' && p[6] == u'\\') out = p.substr(4);
    else return path;
    return out.size() < Room ? out : path;
}

// The system resolves path to another folder or another name: a symbolic link, also one that is not shown
// as a reparse point (Wine's view of a Unix symbolic link), or a short 8.3 name. finalFile is where it
// leads. A link to the menu's folder is no link to the file: the folder's own name is resolved the same way.
bool resolvesElsewhere(const std::u16string& path, platform::WriteHandle file, std::u16string& finalFile) {
    if (!platform::finalPathName(file, finalFile)) return false;
    std::u16string folder = directoryPart(path);
    platform::ScopedWriteHandle folderHandle(platform::openFolderForQuery(folder.empty() ? u"." : folder));
    std::u16string finalFolder;
    if (!folderHandle.valid() || !platform::finalPathName(folderHandle.get(), finalFolder)) return false;
    finalFile = withoutLongPathPrefix(finalFile);
    return !equalsIgnoreCase(withoutTrailingSlash(directoryPart(finalFile)),
                             withoutTrailingSlash(withoutLongPathPrefix(finalFolder))) ||
           !equalsIgnoreCase(fileNameOf(finalFile), fileNameOf(path));
}

enum class Placement { Replace, InPlace };

// A rename over a hard link would leave its other names with the old content, so a file with several names
// is written in place: nothing else keeps them one file. A rename over a symbolic link would put a plain
// file in its place, so for a name that leads elsewhere the file it finally leads to is replaced, in its own
// folder (target). Other reparse points are written in place, as is a link that leads nowhere the system
// names. When the system cannot tell, the file is replaced: its content is safe either way.
Placement placementOf(const std::u16string& path, std::uint32_t attributes, std::u16string& target) {
    target = path;
    Placement otherwise = attributes & platform::AttributeReparsePoint ? Placement::InPlace : Placement::Replace;
    platform::ScopedWriteHandle file(platform::openForQuery(path));
    if (!file.valid()) return otherwise;
    std::uint32_t links = 1;
    if (platform::linkCount(file.get(), links) && links > 1) return Placement::InPlace;
    std::u16string finalFile;
    if (!resolvesElsewhere(path, file.get(), finalFile)) return otherwise;
    target = finalFile;
    return Placement::Replace;
}

bool refused(std::uint32_t attributes) {
    return attributes & (platform::AttributeReadOnly | platform::AttributeDirectory);
}

// Not atomic: only for files that cannot be replaced. When writing fails, the old content is written back,
// so that a full disk or a refused write does not leave half a menu.
bool writeInPlace(const std::u16string& path, std::string_view bytes) {
    std::string old;
    bool existed = platform::readFileExclusive(path, old);
    if (!existed && platform::pathSizeOrKind(path) != platform::PathMissing) return false; // held by another process
    platform::ScopedWriteHandle file(platform::openForUpdate(path));
    if (!file.valid()) return false;
    bool ok = writeAll(file.get(), bytes) && platform::setEndOfFile(file.get()) && platform::flushFile(file.get());
    if (!ok && platform::seekToStart(file.get()) && writeAll(file.get(), old) && platform::setEndOfFile(file.get())) {
        platform::flushFile(file.get());
    }
    // The bytes were flushed before the close, so a failing close does not make the save a failure.
    file.close();
    if (!ok && !existed) platform::deleteFile(path);
    return ok;
}

// One step: a temporary beside path, written, flushed, closed, given the flags, renamed over path.
bool replaceBeside(const std::u16string& path, std::uint32_t attributes, std::string_view bytes) {
    removeStaleTemporaries(path);
    std::u16string temporary;
    platform::ScopedWriteHandle file(createTemporary(path, temporary));
    // The folder takes no new files (no right to create them, or the name would be too long), but the menu
    // file itself may still be writable.
    if (!file.valid()) return writeInPlace(path, bytes);

    bool ok = writeAll(file.get(), bytes) && platform::flushFile(file.get());
    ok = file.close() && ok;
    if (ok) {
        // A lost hidden or system flag is no reason to refuse the save, so a failure here is not fatal.
        platform::setFileAttributes(temporary, (attributes & KeptAttributes) | platform::AttributeArchive);
        ok = renameOver(temporary, path);
    }
    if (!ok) platform::deleteFile(temporary);
    return ok;
}

} // namespace

bool replaceFileContent(const std::u16string& path, std::string_view bytes) {
    std::uint32_t attributes = 0;
    if (!platform::fileAttributes(path, attributes)) return replaceBeside(path, 0, bytes);
    if (refused(attributes)) return false;
    std::u16string target;
    if (placementOf(path, attributes, target) == Placement::InPlace) return writeInPlace(path, bytes);
    if (target == path) return replaceBeside(path, attributes, bytes);
    // A link's own flags say nothing about the file it leads to.
    std::uint32_t targetAttributes = 0;
    if (!platform::fileAttributes(target, targetAttributes)) return writeInPlace(path, bytes);
    return !refused(targetAttributes) && replaceBeside(target, targetAttributes, bytes);
}

} // namespace vorlix
