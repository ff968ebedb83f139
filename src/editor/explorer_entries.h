#pragma once
// Picked folders and files, typed commands and the two Explorer check boxes.
namespace vorlix {

enum PickedPathMode : int { PickedFolder = 2, PickedFile = 8, CommandEdited = 16 };

void applyPickedPath(int mode);
void showExplorerOptions();
void applyExplorerOptions();

} // namespace vorlix
