#include "editor/file_import.h"

#include "core/app_state.h"
#include "core/text.h"
#include "editor/explorer_entries.h"
#include "platform/files.h"

namespace vorlix {

std::u16string extensionOf(const std::u16string& path) {
    const std::size_t dot = path.rfind(u'.');
    if (dot == std::u16string::npos || path.find_first_of(u" /\\", dot) != std::u16string::npos) return {};
    return lowerCase(std::u16string_view(path).substr(dot + 1));
}

// Shortcuts are taken as the files they are until they can be resolved; folders become Explorer entries.
void importPickedFile() {
    const bool folder = platform::pathSizeOrKind(app.editor.pickedPath) == platform::PathIsFolder;
    applyPickedPath(folder ? PickedFolder : PickedFile);
}

} // namespace vorlix
