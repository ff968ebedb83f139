#pragma once
// Non-copyable guards of the handles that the portable code holds, each freeing its handle the one way
// that handle is freed. The comment of each names the trap it is there for. The Win32 side has its own
// (platform/win32/guards.h).
#include "platform/fonts.h"
#include "platform/handles.h"
#include "platform/icons.h"

namespace platform {

// A font for as long as its owner keeps it. Windows does not free a font with the controls that use it:
// it must outlive them and then be deleted by hand, so declare the guard before whatever makes them.
class OwnedFont {
public:
    OwnedFont() = default;
    explicit OwnedFont(FontHandle font) : font_(font) {}
    ~OwnedFont() { reset(0); }
    OwnedFont(const OwnedFont&) = delete;
    OwnedFont& operator=(const OwnedFont&) = delete;
    void reset(FontHandle font) {
        if (font_ != 0) destroyFont(font_);
        font_ = font;
    }
    FontHandle get() const { return font_; }

private:
    FontHandle font_ = 0;
};

// An icon the program loaded or extracted for itself. A control that shows an icon (an image, a button)
// does not own it and does not free it: the icon must outlive the control and is then destroyed here.
class OwnedIcon {
public:
    OwnedIcon() = default;
    explicit OwnedIcon(IconHandle icon) : icon_(icon) {}
    ~OwnedIcon() { reset(0); }
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;
    void reset(IconHandle icon) {
        if (icon_ != 0) destroyIcon(icon_);
        icon_ = icon;
    }
    IconHandle get() const { return icon_; }

private:
    IconHandle icon_ = 0;
};

} // namespace platform
