#pragma once
// Set-up shared by the popup tests: clean state and clean fakes, including the menu, icon, folder and
// window fakes that the popup uses.
#include "platform/fake/fake_folders.h"
#include "platform/fake/fake_icons.h"
#include "platform/fake/fake_menus.h"
#include "platform/fake/fake_ui.h"
#include "test_support.h"

namespace popup_testing {

inline void resetPopupFakes() {
    testing_support::resetAll();
    fake::resetMenus();
    fake::resetIcons();
    fake::resetFolders();
    fake::resetUi();
}

} // namespace popup_testing
