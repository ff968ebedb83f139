#pragma once

namespace vorlix {

// Replaces the drive letter that the menu's definitions use by the program's own drive letter.
void relocateDriveLetters();

} // namespace vorlix
