#pragma once
// The keyboard: the keys the program names, their state, keyboard shortcuts and the keyboard focus.
// (Keys pressed in a window arrive as KeyPressed events, platform/events.h.)
#include "platform/handles.h"

namespace platform {

// Virtual-key codes the program names.
enum VirtualKey : int {
    KeyReturn = 0x0D,
    KeyShift = 0x10,
    KeyControl = 0x11,
    KeyEscape = 0x1B,
    KeyUp = 0x26,
    KeyDown = 0x28,
    KeyDelete = 0x2E,
    KeyF1 = 0x70,
    KeyF2 = 0x71,
};

// The key is down now (GetAsyncKeyState, high bit).
bool keyDown(int virtualKey);

// Modifier bits of a shortcut (the accelerator flags FSHIFT, FCONTROL, FALT).
enum ShortcutModifier : unsigned { NoModifier = 0, WithShift = 0x04, WithCtrl = 0x08, WithAlt = 0x10 };
// While window (or one of its controls) has the focus, the key sends a menu event with command.
bool addShortcut(WindowHandle window, int virtualKey, unsigned modifiers, int command);

// Gives window the keyboard focus; returns the window that had it.
WindowHandle setFocus(WindowHandle window);
// The control of this thread that has the keyboard focus, or 0.
WindowHandle focusedWindow();

} // namespace platform
