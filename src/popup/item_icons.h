#pragma once
#include "platform/handles.h"

namespace vorlix {

// The 16 x 16 icon of app.currentEntry, or 0. The caller owns and destroys it.
platform::IconHandle loadItemIcon();

// Within a batch (one popup build), each distinct icon source is asked only once, and every call still
// returns a handle of its own, so no icon is shared between items: the first item of a source gets the
// icon as loaded, later ones icons made from its image. That image is read from the first item's icon
// when the second item asks, so icons handed out must stay alive until the batch ends. The icons stay
// with the items when the batch ends.
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
