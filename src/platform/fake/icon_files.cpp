// The icons of a file are those put with fake::putFileIcon (fake_icons.h): a file holds as many as it
// has from index 0 on without a gap, and each one extracted is a live handle in the icon ledger.
#include "platform/icon_files.h"

#include "platform/environment.h"
#include "platform/fake/fake_icons.h"
#include "platform/icons.h"

namespace platform {

int fileIconCount(const std::u16string& file) {
    const std::u16string prefix = upperCase(file) + u",";
    int count = 0;
    for (;;) {
        const std::string digits = std::to_string(count);
        if (!fake::icons().fileIcons.count(prefix + std::u16string(digits.begin(), digits.end()))) return count;
        ++count;
    }
}

std::vector<IconHandle> extractSmallIcons(const std::u16string& file, int count) {
    std::vector<IconHandle> icons;
    for (int i = 0; i < count; ++i) icons.push_back(extractSmallIcon(file, i));
    return icons;
}

} // namespace platform
