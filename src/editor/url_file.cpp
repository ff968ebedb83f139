#include "editor/url_file.h"

#include "editor/file_import.h"
#include "launch/launcher.h"
#include "platform/files.h"

namespace vorlix {

namespace {

// An address of MaxStartChars characters or more cannot be started, so it is no address. A UTF-8
// character takes at most three bytes per UTF-16 unit; the rest is room for the spaces around the line.
constexpr std::size_t HeldBytes = 3 * MaxStartChars + 1024;

bool beginsWithUrl(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    return first != std::string_view::npos && line.substr(first).starts_with("URL=");
}

} // namespace

bool UrlLineFinder::take(std::string_view bytes) {
    while (!found_ && !bytes.empty()) {
        const std::size_t end = bytes.find_first_of("\r\n");
        const std::string_view part = bytes.substr(0, end);
        const std::size_t room = HeldBytes - line_.size();
        line_.append(part.substr(0, room));
        if (part.size() > room) overlong_ = true;
        // An address line too long to hold is already known to give no address.
        if (overlong_ && beginsWithUrl(line_)) found_ = true;
        if (found_ || end == std::string_view::npos) break;
        // CR LF ends one line and an empty one, which changes nothing.
        bytes.remove_prefix(end + 1);
        found_ = endLine();
    }
    return !found_;
}

bool UrlLineFinder::endLine() {
    if (beginsWithUrl(line_)) return true;
    line_.clear();
    overlong_ = false;
    return false;
}

std::string UrlLineFinder::finish() {
    if (!found_ && !endLine()) return {};
    if (overlong_ || addressOfUrlFile(line_).size() >= MaxStartChars) return {};
    return line_;
}

bool readUrlFileAddressLine(const std::u16string& path, std::string& line) {
    UrlLineFinder finder;
    if (!platform::readFileExclusiveInSteps(path, [&finder](std::string_view bytes) { return finder.take(bytes); }))
        return false;
    line = finder.finish();
    return true;
}

} // namespace vorlix
