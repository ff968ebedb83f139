#pragma once
// What the editor asks of the program above it: its questions, its failure box and the info window.
#include <string_view>

#include "platform/handles.h"

namespace vorlix {

struct EditorHost {
    bool (*askSaveChanges)(platform::WindowHandle owner);
    bool (*askRemoveEntry)(platform::WindowHandle owner, std::u16string_view label);
    // Another program changed the menu file since it was read: true when the user's changes may replace it.
    bool (*askOverwriteChanged)(platform::WindowHandle owner);
    void (*reportSaveFailure)(platform::WindowHandle owner);
    void (*showInfo)();
};

// The host of the editor that is running.
const EditorHost& editorHost();

} // namespace vorlix
