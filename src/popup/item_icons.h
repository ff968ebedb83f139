#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/handles.h"
#include "platform/menus.h"

namespace vorlix {

// Whether the first bytes of an ".ico" file (at least its directory) describe images that lie inside a file
// of fileSize bytes. A damaged directory crashes the system's icon reader under Wine.
bool icoDirectoryIsSound(std::string_view start, std::int64_t fileSize);
// An ".ico" file (by its name) whose directory is not sound, or a program or library (by its first bytes)
// whose structure is not; any other file is not judged.
bool iconFileIsDamaged(const std::u16string& path);

// The 16 x 16 icon of app.currentEntry, or 0. The caller owns and destroys it.
platform::IconHandle loadItemIcon();

// The icon of app.currentEntry for an item of the popup. Within a batch (one popup build) each distinct
// icon source is asked only once: the first item of a source gets the icon as loaded, which the caller
// owns and destroys after the popup has closed, and later items of that source get the same icon to copy
// when they are first drawn, so an item never drawn costs no copy. Outside a batch every item gets an
// icon of its own.
platform::ItemIcon loadMenuItemIcon();
void beginIconBatch();
void endIconBatch();

// A batch for the life of a scope.
class IconBatchScope {
public:
    IconBatchScope() { beginIconBatch(); }
    ~IconBatchScope() { endIconBatch(); }
    IconBatchScope(const IconBatchScope&) = delete;
    IconBatchScope& operator=(const IconBatchScope&) = delete;
};

} // namespace vorlix
