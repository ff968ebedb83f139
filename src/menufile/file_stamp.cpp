#include "menufile/file_stamp.h"

#include <cstring>
#include <string>

#include "platform/files.h"

namespace vorlix {

// Eight bytes a step, so that every read of the menu, the popup's included, pays well under a millisecond
// for a menu of megabytes. It tells a change, it does not guard against a forger (who could write the file).
MenuFileStamp stampOf(std::string_view bytes) {
    std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ bytes.size();
    const auto mix = [&hash](std::uint64_t word) {
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
        hash ^= hash >> 29;
    };
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + at, 8);
        mix(word);
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, bytes.data() + at, bytes.size() - at);
    mix(tail);
    return {true, bytes.size(), hash};
}

bool menuFileChangedOnDisk() {
    std::string bytes;
    if (!platform::readFileExclusive(app.menuFilePath, bytes)) return false;
    return stampOf(bytes) != app.menuFileStamp;
}

} // namespace vorlix
