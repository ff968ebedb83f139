#include "menufile/file_stamp.h"

#include <string>

#include "platform/files.h"

namespace vorlix {

MenuFileStamp stampOf(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a: a few milliseconds for a menu of megabytes
    for (unsigned char b : bytes) hash = (hash ^ b) * 1099511628211ull;
    return {true, bytes.size(), hash};
}

bool menuFileChangedOnDisk() {
    std::string bytes;
    if (!platform::readFileExclusive(app.menuFilePath, bytes)) return false;
    return stampOf(bytes) != app.menuFileStamp;
}

} // namespace vorlix
