#include "platform/system_colours.h"

#include <windows.h>

namespace platform {

bool highContrastOn() {
    HIGHCONTRASTW settings{};
    settings.cbSize = sizeof settings;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof settings, &settings, 0) &&
           (settings.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Colour systemColour(SystemColour which) {
    constexpr int Indexes[] = {COLOR_MENU, COLOR_MENUTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
                               COLOR_GRAYTEXT, COLOR_WINDOWTEXT, COLOR_HOTLIGHT};
    return GetSysColor(Indexes[static_cast<int>(which)]);
}

} // namespace platform
