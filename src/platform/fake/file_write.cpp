#include "platform/file_write.h"

#include "platform/environment.h"
#include "platform/fake/fake_files.h"
#include "platform/files.h"

namespace fake {

void closeAllWriteFiles() { files().openFiles.clear(); }

// Counts the call and decides whether the test wants it to fail.
bool injectedFailure(const char* call) {
    auto& s = files();
    int step = ++s.writeSteps;
    bool named = !s.failCall.empty() && s.failCall == call;
    if (named) s.failCall.clear();
    if (named || step == s.failStep || (s.crashFromStep > 0 && step >= s.crashFromStep)) {
        s.lastError = s.failError;
        return true;
    }
    return false;
}

} // namespace fake

// The fake keeps the state that the tests look at (bytes, flushed bytes, attributes, identity, who holds a
// file open) and the few rules of Windows that the writer depends on: an open file cannot be renamed or
// deleted, a read-only file cannot be opened for writing or replaced, a symbolic link is followed by an
// open but not by a rename.
namespace platform {

namespace {

constexpr std::uint32_t ErrorFileNotFound = 2;
constexpr std::uint32_t ErrorInvalidHandle = 6;
constexpr int LinkHops = 8;

bool fail(std::uint32_t error) {
    fake::files().lastError = error;
    return false;
}

WriteHandle failOpen(std::uint32_t error) {
    fake::files().lastError = error;
    return 0;
}

// The path that an open of path reaches: symbolic links are followed.
std::u16string resolved(std::u16string path) {
    for (int hop = 0; hop < LinkHops; ++hop) {
        fake::FakeFile* f = fake::findFile(path);
        if (!f || f->linkTarget.empty()) return path;
        path = f->linkTarget;
    }
    return path;
}

fake::OpenWriteFile* openFile(WriteHandle file) {
    auto& open = fake::files().openFiles;
    auto it = open.find(file);
    return it == open.end() ? nullptr : &it->second;
}

fake::FakeFile* fileOf(WriteHandle file) {
    fake::OpenWriteFile* open = openFile(file);
    return open ? fake::findFile(open->path) : nullptr;
}

bool isOpen(const fake::FakeFile* f) {
    for (auto& [handle, open] : fake::files().openFiles) {
        if (fake::findFile(open.path) == f) return true;
    }
    return false;
}

WriteHandle newHandle(std::u16string_view path) {
    auto& s = fake::files();
    const WriteHandle h{s.nextHandle++};
    s.openFiles[h] = fake::OpenWriteFile{std::u16string(path), 0};
    return h;
}

// The map key of a file, found by identity so that it always agrees with the read side's keys.
void eraseFile(const fake::FakeFile* f) {
    auto& all = fake::files().files;
    for (auto it = all.begin(); it != all.end(); ++it) {
        if (&it->second == f) {
            all.erase(it);
            return;
        }
    }
}

WriteHandle createFile(const std::u16string& path) {
    fake::putFile(path, std::string(), AttributeArchive);
    fake::findFile(path)->durable.clear();
    ++fake::files().filesCreated;
    return newHandle(path);
}

} // namespace

WriteHandle createNewFile(std::u16string_view path) {
    if (fake::injectedFailure("createNewFile")) return 0;
    std::u16string p(path);
    if (fake::findFile(p)) return failOpen(ErrorFileExists);
    return createFile(p);
}

WriteHandle openForUpdate(std::u16string_view path) {
    if (fake::injectedFailure("openForUpdate")) return 0;
    std::u16string p = resolved(std::u16string(path));
    fake::FakeFile* f = fake::findFile(p);
    if (!f) return createFile(p);
    if (f->folder || f->attributes & AttributeReadOnly) return failOpen(ErrorAccessDenied);
    if (f->lockedByOtherProcess || isOpen(f)) return failOpen(ErrorSharingViolation);
    return newHandle(p);
}

WriteHandle openForQuery(std::u16string_view path) {
    if (fake::injectedFailure("openForQuery")) return 0;
    std::u16string p = resolved(std::u16string(path));
    if (!fake::findFile(p)) return failOpen(ErrorFileNotFound);
    return newHandle(p);
}

// Folders need not be put into the fake file system to be asked about.
WriteHandle openFolderForQuery(std::u16string_view path) {
    if (fake::injectedFailure("openFolderForQuery")) return 0;
    return newHandle(path);
}

bool writeFile(WriteHandle file, std::string_view bytes, std::size_t& written) {
    written = 0;
    // A failing write gets half of its bytes onto the disk first, as a full disk would.
    bool failing = fake::injectedFailure("writeFile");
    fake::OpenWriteFile* open = openFile(file);
    fake::FakeFile* f = fileOf(file);
    if (!f) return fail(ErrorInvalidHandle);
    std::size_t count = failing ? bytes.size() / 2 : bytes.size();
    if (f->bytes.size() < open->position + count) f->bytes.resize(open->position + count);
    f->bytes.replace(open->position, count, bytes.substr(0, count));
    open->position += count;
    written = count;
    return !failing;
}

bool flushFile(WriteHandle file) {
    if (fake::injectedFailure("flushFile")) return false;
    fake::FakeFile* f = fileOf(file);
    if (!f) return fail(ErrorInvalidHandle);
    f->durable = f->bytes;
    return true;
}

bool seekToStart(WriteHandle file) {
    if (fake::injectedFailure("seekToStart")) return false;
    fake::OpenWriteFile* open = openFile(file);
    if (!open) return fail(ErrorInvalidHandle);
    open->position = 0;
    return true;
}

bool setEndOfFile(WriteHandle file) {
    if (fake::injectedFailure("setEndOfFile")) return false;
    fake::FakeFile* f = fileOf(file);
    if (!f) return fail(ErrorInvalidHandle);
    f->bytes.resize(openFile(file)->position);
    return true;
}

// A close that reports a failure still gives the handle up.
bool closeFile(WriteHandle file) {
    bool failing = fake::injectedFailure("closeFile");
    if (fake::files().openFiles.erase(file) == 0) return fail(ErrorInvalidHandle);
    return !failing;
}

bool linkCount(WriteHandle file, std::uint32_t& links) {
    if (fake::injectedFailure("linkCount")) return false;
    fake::FakeFile* f = fileOf(file);
    if (!f) return fail(ErrorInvalidHandle);
    links = f->links;
    return true;
}

bool fileIdentity(WriteHandle file, FileIdentity& identity) {
    fake::FakeFile* f = fileOf(file);
    if (!f) return fail(ErrorInvalidHandle);
    identity = {1, f->id};
    return true;
}

bool finalPathName(WriteHandle file, std::u16string& path) {
    if (fake::injectedFailure("finalPathName")) return false;
    fake::OpenWriteFile* open = openFile(file);
    std::u16string full;
    if (!open || !fullPathName(open->path, full)) return fail(ErrorInvalidHandle);
    while (full.size() > 3 && full.back() == u'\\') full.pop_back();
    path = u"\\\\?\\" + full;
    return true;
}

bool setFileAttributes(std::u16string_view path, std::uint32_t attributes) {
    if (fake::injectedFailure("setFileAttributes")) return false;
    fake::FakeFile* f = fake::findFile(std::u16string(path));
    if (!f) return fail(ErrorFileNotFound);
    f->attributes = attributes == 0x80 ? 0 : attributes; // FILE_ATTRIBUTE_NORMAL stands for "none"
    return true;
}

bool moveFileReplacing(std::u16string_view from, std::u16string_view to) {
    if (fake::injectedFailure("moveFileReplacing")) return false;
    auto& s = fake::files();
    if (s.moveBusyCount > 0) {
        --s.moveBusyCount;
        return fail(ErrorSharingViolation);
    }
    fake::FakeFile* source = fake::findFile(std::u16string(from));
    if (!source) return fail(ErrorFileNotFound);
    if (isOpen(source)) return fail(ErrorSharingViolation);
    fake::FakeFile* target = fake::findFile(std::u16string(to));
    if (target) {
        if (target->folder || target->attributes & AttributeReadOnly) return fail(ErrorAccessDenied);
        if (target->lockedByOtherProcess || isOpen(target)) return fail(ErrorSharingViolation);
    }
    fake::FakeFile moved = *source;
    eraseFile(source);
    fake::putFile(std::u16string(to), std::string());
    *fake::findFile(std::u16string(to)) = moved;
    return true;
}

bool deleteFile(std::u16string_view path) {
    if (fake::injectedFailure("deleteFile")) return false;
    fake::FakeFile* f = fake::findFile(std::u16string(path));
    if (!f || f->folder) return fail(ErrorFileNotFound);
    if (f->attributes & AttributeReadOnly) return fail(ErrorAccessDenied);
    if (f->lockedByOtherProcess || isOpen(f)) return fail(ErrorSharingViolation);
    eraseFile(f);
    ++fake::files().filesDeleted;
    return true;
}

std::uint32_t lastError() { return fake::files().lastError; }

} // namespace platform
