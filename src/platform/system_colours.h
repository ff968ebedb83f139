#pragma once
// The user's display settings that decide colours: high contrast, and the system's own colours.
#include "platform/handles.h"

namespace platform {

// SPI_GETHIGHCONTRAST with HCF_HIGHCONTRASTON: the user wants the system's colours and nothing else.
bool highContrastOn();

enum class SystemColour { Menu, MenuText, Highlight, HighlightText, GrayText, WindowText, Link };
// GetSysColor of the matching COLOR_ index (Link: COLOR_HOTLIGHT, the colour of hyperlinks).
Colour systemColour(SystemColour which);

// How the icon menu paints one item. Under high contrast both looks use the system's colours only: no
// shaded strip, no half-tint selection, no black frame.
struct ItemPaint {
    SystemColour background;
    SystemColour text;
    bool halfTint;   // background halfway between the highlight colour and white
    bool blackFrame;
    bool strip;      // the shaded icon strip of the alternative look
};

constexpr ItemPaint itemPaint(bool alternative, bool selected, bool greyed, bool highContrast) {
    const bool ownLook = alternative && !highContrast;
    ItemPaint paint{SystemColour::Menu, SystemColour::MenuText, false, false, ownLook && !selected};
    if (selected) {
        paint.background = SystemColour::Highlight;
        paint.halfTint = paint.blackFrame = ownLook;
        if (!ownLook) paint.text = SystemColour::HighlightText;
    }
    if (greyed) paint.text = SystemColour::GrayText;
    return paint;
}

} // namespace platform
