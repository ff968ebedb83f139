// Feeds arbitrary bytes to the checks that stand between a damaged or hostile file and the system: the
// structure check of programs and libraries, the ".ico" directory check and the Internet-shortcut reader.
// Each must end without a fault, read only a bounded part of the file, and hold only a bounded line.
// Random bytes seldom look like a library, so the same input also damages a sound one: cut it short and
// change bytes in it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "library_file.h"
#include "editor/url_file.h"
#include "launch/launcher.h"
#include "popup/item_icons.h"
#include "popup/program_file_check.h"

using namespace vorlix;

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

// The check reads the file through few, small reads, whatever the file claims of itself.
void judgeAsProgram(std::string_view bytes, std::int64_t claimedSize) {
    std::size_t reads = 0;
    std::size_t readBytes = 0;
    const ReadFileBytes read = [&](std::int64_t offset, std::size_t count, std::string& out) {
        ++reads;
        readBytes += count;
        out.clear();
        if (offset < 0 || static_cast<std::uint64_t>(offset) >= bytes.size()) return true;
        out.assign(bytes.substr(static_cast<std::size_t>(offset), count));
        return true;
    };
    judgeProgramFile(claimedSize, read);
    require(reads <= 16);
    require(readBytes <= 1u << 20);
}

void findAddressLine(std::string_view bytes, std::size_t step) {
    UrlLineFinder finder;
    for (std::size_t at = 0; at < bytes.size(); at += step) {
        if (!finder.take(bytes.substr(at, step))) break;
    }
    const std::string line = finder.finish();
    require(line.size() <= 4 * MaxStartChars);
    require(line.find_first_of("\r\n") == std::string::npos);
}

// The input as changes to a sound library: its first two bytes say where the file is cut, every three
// after them a place (two bytes) and the byte put there.
std::string damagedLibrary(std::string_view input) {
    std::string file = testing_support::libraryFile();
    auto number = [&](std::size_t at) {
        return static_cast<std::size_t>(static_cast<unsigned char>(input[at]) |
                                        static_cast<unsigned char>(input[at + 1]) << 8);
    };
    for (std::size_t at = 2; at + 3 <= input.size(); at += 3) file[number(at) % file.size()] = input[at + 2];
    if (input.size() >= 2) file.resize(number(0) % (file.size() + 1));
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto fileSize = static_cast<std::int64_t>(size);
    judgeAsProgram(bytes, fileSize);
    judgeAsProgram(bytes, fileSize * 1000 + 7); // a file that says it is bigger than the bytes read
    const std::string library = damagedLibrary(bytes);
    judgeAsProgram(library, static_cast<std::int64_t>(library.size()));
    icoDirectoryIsSound(bytes, fileSize);
    icoDirectoryIsSound(bytes, fileSize / 2);
    findAddressLine(bytes, size > 0 ? 1 + data[0] % 64 : 1);
    findAddressLine(bytes, 4096);
    return 0;
}
