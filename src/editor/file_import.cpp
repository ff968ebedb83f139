#include "editor/file_import.h"

#include "core/app_state.h"
#include "core/text.h"
#include "editor/editor.h"
#include "editor/entry_editing.h"
#include "editor/explorer_entries.h"
#include "editor/url_file.h"
#include "menufile/encoding.h"
#include "menufile/storable.h"
#include "platform/files.h"
#include "platform/shell_links.h"

namespace vorlix {

std::u16string addressOfUrlFile(std::string_view bytes) {
    const std::u16string text = decodeUtf8(bytes);
    std::u16string_view rest(text);
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of(u"\r\n");
        const std::u16string line = strip(rest.substr(0, end));
        if (line.starts_with(u"URL=")) return storableImport(line.substr(4), FieldRole::Command);
        if (end == std::u16string_view::npos) break;
        // CR LF ends one line, not two; an empty line in between would change nothing anyway.
        rest = rest.substr(end + (rest.substr(end, 2) == u"\r\n" ? 2 : 1));
    }
    return {};
}

// A shortcut that cannot be resolved, or an Internet shortcut that cannot be opened, stands for itself.
void importPickedFile() {
    std::u16string& picked = app.editor.pickedPath;
    adjustLabel(FromPickedFile); // from the dropped file's own name, a shortcut's and not its target's
    const std::u16string extension = lowerCase(extensionOf(picked));
    std::string bytes;
    if (extension == u"url" && readUrlFileAddressLine(picked, bytes)) {
        setControlText(CommandField, addressOfUrlFile(bytes));
        return;
    }
    platform::ShortcutInfo shortcut;
    if ((extension == u"lnk" || extension == u"pif") && platform::resolveShortcut(picked, shortcut)) {
        // What a shortcut holds is anybody's text: a line break in it would add a line to the menu.
        setControlText(ParametersField, storableImport(shortcut.arguments, FieldRole::Parameters));
        setControlText(DirectoryField, storableImport(shortcut.workingDirectory, FieldRole::Directory));
        picked = storableImport(shortcut.target, FieldRole::Command);
        applyPickedPath(PickedFile); // a shortcut to a folder too: the folder becomes the command
        return;
    }
    const bool folder = platform::pathSizeOrKind(picked) == platform::PathIsFolder;
    applyPickedPath(folder ? PickedFolder : PickedFile);
}

} // namespace vorlix
