#include "app/startup.h"

#include "core/app_state.h"
#include "app/command_line.h"
#include "app/popup_cycle.h"
#include "core/text.h"
#include "platform/controls.h"
#include "platform/environment.h"
#include "platform/keyboard.h"
#include "platform/menus.h"
#include "platform/top_windows.h"
#include "popup/popup_menu.h"
#include "vorlix_version.h"

namespace vorlix {

namespace {

// The hidden main window's title. A window with exactly this title means another instance is in its
// popup cycle; an editor's title has the menu file behind it and does not count.
constexpr const char16_t* MainWindowTitle = u"Vorlix - ";
constexpr int MainWindowWidth = 150;
constexpr int MainWindowHeight = 40;
constexpr std::size_t LanguageNameLimit = 63; // a 64-unit buffer with its terminating zero

std::u16string buildToolTag() {
#if defined(__clang__)
    return u"clang " + toDecimal(__clang_major__);
#elif defined(__GNUC__)
    return u"g++ " + toDecimal(__GNUC__) + u"." + toDecimal(__GNUC_MINOR__);
#else
    return u"C++";
#endif
}

// The path is taken whole even beyond 260 characters, so the program's directory stays right.
void readProgramIdentity() {
    resetAppState();
    app.programPath = platform::moduleFileName();
    app.programDir = directoryPart(app.programPath);
    app.commandLineRest = TextCursor{platform::processCommandLine(), 0};
}

bool anotherInstanceShowsItsMenu() { return platform::findTopLevelWindow(MainWindowTitle) != 0; }

// A program on a removable or optical drive relocates the drive letters of its menu; "Vdrive" tells menu
// commands and started programs where it runs from. A network path has no drive letter.
void detectProgramDrive() {
    if (app.programPath.size() < 2 || app.programPath[1] != u':') return;
    app.programDrive = upperCase(std::u16string_view(app.programPath).substr(0, 2));
    platform::setEnvironmentVariable(u"Vdrive", app.programDrive);
    const int type = platform::driveType(app.programDrive);
    if (type == platform::DriveRemovable || type == platform::DriveCdrom) app.driveRelocation = true;
}

void setDefaults() {
    app.timeoutMs = 1000;
    app.menuFilePath = u"Vorlix.lst";
    nextArgument(); // the program's own name
    detectProgramDrive();
    app.versionTitle = u"Vorlix - ver. " VORLIX_VERSION_TEXT " (64 bit)";
    app.buildText = u"Compiled: 2021-02-07,  " + buildToolTag();
    app.entries.clear();
    app.menuEncoding = MenuEncoding::Utf8;
    app.menuHasBom = true;
    app.keywordList = u"configuration;vorlix;files;rem;cancel;submenu";
    app.folderSubmenus.clear();
    app.folderItems.clear();
    app.localeLanguageName = platform::localeNativeLanguageName().substr(0, LanguageNameLimit);
    app.runModeList = u",min,max,admin";
}

// The hidden window that owns the popup and later serves as the "Vorlix Configuration" button. Its label
// comes when the button is first shown (addConfigurationLabel).
bool openMainWindow() {
    app.mainWindow = platform::createFramedPopup(MainWindowTitle, MainWindowWidth, MainWindowHeight);
    if (app.mainWindow == 0) return false;
    platform::addShortcut(app.mainWindow, platform::KeyReturn, platform::NoModifier, EnterCommand);
    platform::addShortcut(app.mainWindow, platform::KeyEscape, platform::NoModifier, EscapeCommand);
    return true;
}

} // namespace

// A label is a control of the common controls, version 6 (the manifest asks for it), and the first one
// loads that library: under Wine about a tenth of the time a popup takes to reach the screen. So the
// label is made only for a button that is about to show, not before every popup.
platform::WindowHandle addConfigurationLabel() {
    return platform::createLabel(app.mainWindow, ConfigurationLabel, {0, 0, MainWindowWidth, MainWindowHeight},
                                 u"Vorlix Configuration", platform::rgb(170, 0, 0));
}

void initialiseAppState() {
    readProgramIdentity();
    setDefaults();
    platform::workArea(app.workArea);
}

int programMain() {
    readProgramIdentity();
    if (anotherInstanceShowsItsMenu()) return 0;
    setDefaults();
    platform::setMenuNoticeHook(popupMenuNotice);
    platform::workArea(app.workArea);
    if (!openMainWindow()) return 0;
    runPopupCycle();
    return 0;
}

} // namespace vorlix
