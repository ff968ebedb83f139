#include "platform/files.h"

#include "platform/device_names.h"
#include "platform/environment.h"
#include "platform/fake/fake_files.h"

namespace fake {

FilesState& files() {
    static FilesState state;
    return state;
}

void resetFiles() { files() = FilesState{}; }

namespace {

std::u16string key(const std::u16string& path) {
    std::u16string full;
    if (!platform::fullPathName(path, full)) full = path;
    while (full.size() > 3 && full.back() == u'\\') full.pop_back();
    return platform::upperCase(full);
}

} // namespace

void putFile(const std::u16string& path, const std::string& bytes, std::uint32_t attributes) {
    FakeFile f;
    f.bytes = bytes;
    f.durable = bytes;
    f.attributes = attributes;
    f.id = files().nextId++;
    files().files[key(path)] = f;
}

void putSymbolicLink(const std::u16string& path, const std::u16string& target) {
    FakeFile f;
    f.attributes = 0x20 | 0x400; // archive, reparse point
    f.linkTarget = target;
    f.id = files().nextId++;
    files().files[key(path)] = f;
}

void putFolder(const std::u16string& path) {
    FakeFile f;
    f.folder = true;
    f.attributes = 0x10;
    f.id = files().nextId++;
    files().files[key(path)] = f;
}

FakeFile* findFile(const std::u16string& path) {
    if (path.empty()) return nullptr;
    auto it = files().files.find(key(path));
    return it == files().files.end() ? nullptr : &it->second;
}

void powerCut() {
    for (auto& [path, f] : files().files) f.bytes = f.durable;
}

} // namespace fake

namespace platform {

bool readFileExclusive(std::u16string_view path, std::string& bytes) {
    if (namesDevice(path)) return false;
    fake::FakeFile* f = fake::findFile(std::u16string(path));
    if (!f || f->folder || f->lockedByOtherProcess) return false;
    if (static_cast<std::int64_t>(f->bytes.size()) > MaxWholeReadBytes || f->readFails) return false;
    bytes = f->bytes;
    return true;
}

bool readFileExclusiveInSteps(std::u16string_view path, const std::function<bool(std::string_view)>& take) {
    fake::FakeFile* f = fake::findFile(std::u16string(path));
    if (!f || f->folder || f->lockedByOtherProcess) return false;
    const std::string_view bytes(f->bytes);
    for (std::size_t at = 0; at < bytes.size() && take(bytes.substr(at, 65536)); at += 65536) {
    }
    return true;
}

bool readFileStart(std::u16string_view path, std::size_t count, std::string& bytes) {
    if (namesDevice(path)) return false;
    fake::FakeFile* f = fake::findFile(std::u16string(path));
    if (!f || f->folder) return false;
    bytes = f->bytes.substr(0, count);
    return true;
}

bool readFileAt(std::u16string_view path, std::int64_t offset, std::size_t count, std::string& bytes) {
    fake::FakeFile* f = fake::findFile(std::u16string(path));
    if (!f || f->folder || offset < 0) return false;
    bytes = static_cast<std::size_t>(offset) < f->bytes.size() ? f->bytes.substr(static_cast<std::size_t>(offset), count) : "";
    return true;
}

std::int64_t pathSizeOrKind(std::u16string_view path) {
    if (namesDevice(path)) return PathIsDevice;
    fake::FakeFile* f = fake::findFile(std::u16string(path));
    if (!f) return PathMissing;
    if (f->folder) return PathIsFolder;
    return static_cast<std::int64_t>(f->bytes.size());
}

bool fileAttributes(std::u16string_view path, std::uint32_t& attributes) {
    fake::FakeFile* f = fake::findFile(std::u16string(path));
    if (!f) return false;
    attributes = f->attributes;
    return true;
}

bool volumeIsReadOnly(std::u16string_view path) {
    if (path.size() < 2) return false;
    auto& volumes = fake::files().readOnlyVolumes;
    auto it = volumes.find(upperCase(path.substr(0, 2)));
    return it != volumes.end() && it->second;
}

// The fake's ANSI code page is Latin-1: every byte is the code point of the same number.
std::u16string ansiToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char b : bytes) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(b)));
    return out;
}

std::string utf16ToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) out.push_back(c > 0xFF ? '?' : static_cast<char>(c));
    return out;
}

} // namespace platform
