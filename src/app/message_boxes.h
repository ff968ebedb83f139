#pragma once
// The program's message boxes: the owner-centred box of the editor's questions and its placement rule.
#include <cstdint>
#include <string_view>

#include "platform/handles.h"

namespace vorlix {

// Position of a box of width x height centred on the owner's outer rectangle (halves truncated toward
// zero), also when that puts it partly off-screen. false when the owner's left edge is exactly 0: such a
// box keeps the platform's placement.
bool centredBoxPosition(const platform::Rect& owner, std::int32_t width, std::int32_t height,
                        platform::Point& position);

// MessageBoxW over the middle of owner instead of the middle of the screen. Returns the button code
// (AnswerOk, AnswerCancel, AnswerYes, AnswerNo, ...). Without a readable owner rectangle, or when the
// hook cannot be installed, the box is shown where the platform puts it.
int centredMessageBox(platform::WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                      unsigned style);

// The editor's two questions. true for IDYES / IDOK.
bool askSaveChanges(platform::WindowHandle owner);
bool askRemoveEntry(platform::WindowHandle owner, std::u16string_view labelText);
// The menu file was changed by another program since it was read; true (IDYES) overwrites it.
bool askOverwriteChanged(platform::WindowHandle owner);
// Tells the user that the menu file could not be saved: "Cannot save menu file:" and the path.
void reportSaveFailure(platform::WindowHandle owner);

} // namespace vorlix
