#pragma once
// Moving an entry between app.entries and the edit controls; inserting, removing, moving entries.
#include <cstdint>
#include <string>

namespace vorlix {

enum AdjustLabelMode : int { Sync = 1, ToggleSubmenu = 2, FromPickedFile = 4 };
enum MoveDirection : int { MoveUp = -1, MoveDown = 1 };

void loadSelectedEntry();
// Results are RefreshRequest bits.
unsigned commitFields();
bool checkDirectory();
bool adjustLabel(int mode);
unsigned insertEntry(const std::u16string& text);
unsigned removeEntry();
unsigned moveEntry(int direction);
void renameSubmenuMembers(const std::u16string& headerLabel);
// files: the dropped paths, separated by line feeds.
void insertDroppedFiles(std::int64_t row, const std::u16string& files);

// The label of a picked file or folder: its name after the last "\" or "/", up to a double quote,
// without the part from the last "." unless a space follows that ".".
std::u16string nameOfPickedFile(const std::u16string& path);
// The definition composed from the edit controls for an entry with label (already trimmed).
std::u16string composeDefinition(const std::u16string& label);

} // namespace vorlix
