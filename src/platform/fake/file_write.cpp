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

namespace platform {

namespace {

constexpr std::uint32_t ErrorFileNotFound = 2;
constexpr std::uint32_t ErrorInvalidHandle = 6;

bool fail(std::uint32_t error) {
    fake::files().lastError = error;
    return false;
}

WriteHandle failOpen(std::uint32_t error) {
    fake::files().lastError = error;
    return 0;
}

// Test paths are ASCII; the log keeps only the file name.
std::string logName(std::u16string_view path) {
    std::size_t slash = path.find_last_of(u"\\/");
    std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
    if (name.empty()) name = path; // a folder
    std::string out;
    for (char16_t c : name) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

void log(const std::string& line) { fake::files().log.push_back(line); }

fake::OpenWriteFile* openFile(WriteHandle file) {
    auto& open = fake::files().openFiles;
    auto it = open.find(file);
    return it == open.end() ? nullptr : &it->second;
}

bool isOpen(const fake::FakeFile* f) {
    for (auto& [handle, open] : fake::files().openFiles) {
        if (fake::findFile(open.path) == f) return true;
    }
    return false;
}

WriteHandle newHandle(std::u16string_view path) {
    auto& s = fake::files();
    WriteHandle h = s.nextHandle++;
    s.openFiles[h] = fake::OpenWriteFile{std::u16string(path), 0};
    return h;
}

// The map key of a file, found by identity so that it always agrees with the read side's keys.
bool eraseFile(const fake::FakeFile* f) {
    auto& all = fake::files().files;
    for (auto it = all.begin(); it != all.end(); ++it) {
        if (&it->second == f) {
            all.erase(it);
            return true;
        }
    }
    return false;
}

} // namespace

WriteHandle createNewFile(std::u16string_view path) {
    if (fake::injectedFailure("createNewFile")) return 0;
    std::u16string p(path);
    if (fake::findFile(p)) return failOpen(ErrorFileExists);
    fake::putFile(p, std::string(), AttributeArchive);
    log("create " + logName(path));
    return newHandle(path);
}

WriteHandle openForUpdate(std::u16string_view path) {
    if (fake::injectedFailure("openForUpdate")) return 0;
    std::u16string p(path);
    fake::FakeFile* f = fake::findFile(p);
    if (f && f->folder) return failOpen(ErrorAccessDenied);
    if (f && f->attributes & AttributeReadOnly) return failOpen(ErrorAccessDenied);
    if (f && (f->lockedByOtherProcess || isOpen(f))) return failOpen(ErrorSharingViolation);
    if (!f) fake::putFile(p, std::string(), AttributeArchive);
    log("open " + logName(path));
    return newHandle(path);
}

WriteHandle openForQuery(std::u16string_view path) {
    if (fake::injectedFailure("openForQuery")) return 0;
    if (!fake::findFile(std::u16string(path))) return failOpen(ErrorFileNotFound);
    log("query " + logName(path));
    return newHandle(path);
}

// Folders need not be put into the fake file system to be asked about.
WriteHandle openFolderForQuery(std::u16string_view path) {
    if (fake::injectedFailure("openFolderForQuery")) return 0;
    log("query folder " + logName(path));
    return newHandle(path);
}

bool writeFile(WriteHandle file, std::string_view bytes, std::size_t& written) {
    written = 0;
    fake::OpenWriteFile* open = openFile(file);
    fake::FakeFile* f = open ? fake::findFile(open->path) : nullptr;
    // A failing write gets half of its bytes onto the disk first, as a full disk would.
    bool failing = fake::injectedFailure("writeFile");
    if (!f) return fail(ErrorInvalidHandle);
    std::size_t count = failing ? bytes.size() / 2 : bytes.size();
    std::string& content = f->bytes;
    if (content.size() < open->position + count) content.resize(open->position + count);
    content.replace(open->position, count, bytes.substr(0, count));
    open->position += count;
    written = count;
    if (failing) return false;
    log("write " + logName(open->path) + " " + std::to_string(count));
    return true;
}

bool flushFile(WriteHandle file) {
    if (fake::injectedFailure("flushFile")) return false;
    fake::OpenWriteFile* open = openFile(file);
    if (!open) return fail(ErrorInvalidHandle);
    log("flush " + logName(open->path));
    return true;
}

bool seekToStart(WriteHandle file) {
    if (fake::injectedFailure("seekToStart")) return false;
    fake::OpenWriteFile* open = openFile(file);
    if (!open) return fail(ErrorInvalidHandle);
    open->position = 0;
    log("seek " + logName(open->path));
    return true;
}

bool setEndOfFile(WriteHandle file) {
    if (fake::injectedFailure("setEndOfFile")) return false;
    fake::OpenWriteFile* open = openFile(file);
    fake::FakeFile* f = open ? fake::findFile(open->path) : nullptr;
    if (!f) return fail(ErrorInvalidHandle);
    f->bytes.resize(open->position);
    log("truncate " + logName(open->path));
    return true;
}

// A close that reports a failure still gives the handle up.
bool closeFile(WriteHandle file) {
    bool failing = fake::injectedFailure("closeFile");
    fake::OpenWriteFile* open = openFile(file);
    if (!open) return fail(ErrorInvalidHandle);
    std::string name = logName(open->path);
    fake::files().openFiles.erase(file);
    if (failing) return false;
    log("close " + name);
    return true;
}

bool linkCount(WriteHandle file, std::uint32_t& links) {
    if (fake::injectedFailure("linkCount")) return false;
    fake::OpenWriteFile* open = openFile(file);
    fake::FakeFile* f = open ? fake::findFile(open->path) : nullptr;
    if (!f) return fail(ErrorInvalidHandle);
    links = f->links;
    return true;
}

bool finalPathName(WriteHandle file, std::u16string& path) {
    if (fake::injectedFailure("finalPathName")) return false;
    fake::OpenWriteFile* open = openFile(file);
    if (!open) return fail(ErrorInvalidHandle);
    fake::FakeFile* f = fake::findFile(open->path);
    std::u16string full;
    if (f && !f->finalPath.empty()) full = f->finalPath;
    else if (!fullPathName(open->path, full)) return fail(ErrorFileNotFound);
    while (full.size() > 3 && full.back() == u'\\') full.pop_back();
    path = u"\\\\?\\" + full;
    return true;
}

bool setFileAttributes(std::u16string_view path, std::uint32_t attributes) {
    if (fake::injectedFailure("setFileAttributes")) return false;
    fake::FakeFile* f = fake::findFile(std::u16string(path));
    if (!f) return fail(ErrorFileNotFound);
    f->attributes = attributes == 0x80 ? 0 : attributes; // FILE_ATTRIBUTE_NORMAL stands for "none"
    log("attributes " + logName(path) + " " + std::to_string(f->attributes));
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
    fake::putFile(std::u16string(to), moved.bytes, moved.attributes);
    log("move " + logName(from) + " " + logName(to));
    return true;
}

bool deleteFile(std::u16string_view path) {
    if (fake::injectedFailure("deleteFile")) return false;
    fake::FakeFile* f = fake::findFile(std::u16string(path));
    if (!f || f->folder) return fail(ErrorFileNotFound);
    if (f->attributes & AttributeReadOnly) return fail(ErrorAccessDenied);
    if (f->lockedByOtherProcess || isOpen(f)) return fail(ErrorSharingViolation);
    eraseFile(f);
    log("delete " + logName(path));
    return true;
}

std::uint32_t lastError() { return fake::files().lastError; }

} // namespace platform
