#include "platform/icons.h"

#include <string>

#include "platform/environment.h"
#include "platform/fake/fake_icons.h"

namespace fake {

IconsState& icons() {
    static IconsState state;
    return state;
}

void resetIcons() { icons() = IconsState{}; }

namespace {

std::u16string fileKey(const std::u16string& file, int index) {
    std::string digits = std::to_string(index);
    return platform::upperCase(file) + u"," + std::u16string(digits.begin(), digits.end());
}

platform::IconHandle issue(const std::u16string& source) {
    const platform::IconHandle handle{icons().nextHandle++};
    icons().live[handle] = source;
    return handle;
}

} // namespace

void putFileIcon(const std::u16string& file, int index) { icons().fileIcons.insert(fileKey(file, index)); }

std::u16string iconSource(platform::IconHandle icon) {
    auto it = icons().live.find(icon);
    return it == icons().live.end() ? std::u16string() : it->second;
}

platform::IconHandle copyIcon(platform::IconHandle icon) {
    auto it = icons().live.find(icon);
    if (it == icons().live.end()) return 0;
    ++icons().copies;
    return issue(std::u16string(it->second));
}

} // namespace fake

namespace platform {

IconHandle extractSmallIcon(const std::u16string& file, int index) {
    fake::icons().extractRequests.push_back({file, index});
    std::u16string key = fake::fileKey(file, index);
    if (!fake::icons().fileIcons.count(key)) return 0;
    return fake::issue(key);
}

IconHandle shellSmallIcon(const std::u16string& name) {
    fake::icons().shellRequests.push_back(name);
    if (!fake::icons().shellNames.count(name)) return 0;
    return fake::issue(u"shell:" + name);
}

IconHandle programIcon(int size) {
    std::string digits = std::to_string(size);
    return fake::issue(u"program:" + std::u16string(digits.begin(), digits.end()));
}

bool destroyIcon(IconHandle icon) {
    auto it = fake::icons().live.find(icon);
    if (it == fake::icons().live.end()) {
        ++fake::icons().badDestroys;
        return false;
    }
    fake::icons().live.erase(it);
    ++fake::icons().destroyed;
    return true;
}

} // namespace platform
