#include "editor/editor_window.h"

#include <string>

#include "core/app_state.h"
#include "menufile/storable.h"
#include "platform/controls.h"
#include "platform/guards.h"
#include "platform/keyboard.h"
#include "platform/menus.h"
#include "platform/system_colours.h"
#include "platform/top_windows.h"
#include "platform/window_geometry.h"

namespace vorlix {

namespace {

using platform::ControlKind;

constexpr int ClientWidth = 700;
constexpr int ClientHeight = 345;

enum Place : int { InWindow, InToolbar, InFields };

enum ControlFlag : unsigned {
    NoFlag = 0,
    OpensPanel = 1,  // a panel: the rows after it with its place go inside it
    Marlett = 2,     // the arrow glyphs
    Disabled = 4,
    AcceptsFiles = 8,
    Hidden = 16,
    RedText = 32,
};

struct ControlRow {
    int number; // 0 for panels and labels
    ControlKind kind;
    Place place;
    int x, y, w, h;
    const char16_t* caption;
    const char16_t* tooltip;
    unsigned flags;
};

// Creation order is the Tab order.
constexpr ControlRow Controls[] = {
    {EntryList, ControlKind::ListView, InWindow, 0, 5, 230, 337, u"", nullptr, AcceptsFiles},
    {0, ControlKind::Panel, InToolbar, 237, 6, 458, 40, u"", nullptr, OpensPanel},
    {MoveUpArrow, ControlKind::Button, InToolbar, 6, 4, 30, 15, u"5", u"move up", Marlett},
    {MoveDownArrow, ControlKind::Button, InToolbar, 6, 19, 30, 15, u"6", u"move down", Marlett},
    {NewItemButton, ControlKind::Button, InToolbar, 54, 8, 100, 24, u"New Item", nullptr, NoFlag},
    {SeparatorButton, ControlKind::Button, InToolbar, 159, 8, 100, 24, u"S&eparator", nullptr, NoFlag},
    {RemoveButton, ControlKind::Button, InToolbar, 264, 8, 100, 24, u"Remove", nullptr, NoFlag},
    {OnTopToggle, ControlKind::ToggleButton, InToolbar, 387, 8, 30, 24, u"T", u"stay on top", NoFlag},
    {HelpMenuButton, ControlKind::Button, InToolbar, 422, 8, 30, 24, u"?", nullptr, NoFlag},
    {0, ControlKind::Panel, InFields, 237, 52, 458, 248, u"", nullptr, OpensPanel},
    {0, ControlKind::Label, InFields, 6, 9, 100, 20, u"Menu Item", nullptr, NoFlag},
    {InSubmenuBox, ControlKind::CheckBox, InFields, 126, 6, 100, 22, u"in submenu", nullptr, NoFlag},
    {LabelField, ControlKind::TextField, InFields, 6, 29, 417, 24, u"", nullptr, NoFlag},
    {IconButton, ControlKind::ImageButton, InFields, 427, 29, 25, 24, u"", nullptr, NoFlag},
    {0, ControlKind::Label, InFields, 6, 61, 100, 20, u"Command", nullptr, NoFlag},
    {CommandField, ControlKind::TextField, InFields, 6, 81, 417, 24, u"", nullptr, AcceptsFiles},
    {BrowseCommandButton, ControlKind::Button, InFields, 427, 81, 25, 24, u"...", u"browse", NoFlag},
    {0, ControlKind::Label, InFields, 6, 113, 200, 20, u"Parameters (optional)", nullptr, NoFlag},
    {SplitWindowBox, ControlKind::CheckBox, InFields, 236, 110, 100, 22, u"split window", nullptr, Hidden},
    {AsRootBox, ControlKind::CheckBox, InFields, 356, 110, 100, 22, u"as root", nullptr, Hidden},
    {ParametersField, ControlKind::TextField, InFields, 6, 133, 446, 24, u"", nullptr, NoFlag},
    {0, ControlKind::Label, InFields, 6, 165, 200, 20, u"Directory (optional)", nullptr, NoFlag},
    {DirectoryField, ControlKind::TextField, InFields, 6, 185, 417, 24, u"", nullptr, NoFlag},
    {BrowseDirectoryButton, ControlKind::Button, InFields, 427, 185, 25, 24, u"...", u"browse", NoFlag},
    {0, ControlKind::Label, InFields, 6, 221, 40, 20, u" Run", nullptr, NoFlag},
    {RunModeBox, ControlKind::DropDownList, InFields, 46, 217, 100, 22, u"", nullptr, NoFlag},
    {OkButton, ControlKind::DefaultButton, InFields, 236, 216, 85, 24, u"Ok", nullptr, Disabled},
    {CancelButton, ControlKind::Button, InFields, 326, 216, 85, 24, u"Cancel", nullptr, NoFlag},
    {ReadOnlyNote, ControlKind::Label, InWindow, 243, 314, 150, 24, u"", nullptr, RedText},
    {CloseButton, ControlKind::Button, InWindow, 430, 311, 85, 24, u"Clo&se", u"Save and exit", Disabled},
    {QuitButton, ControlKind::Button, InWindow, 520, 311, 85, 24, u"Quit", u"Quit without saving", NoFlag},
    {ApplyButton, ControlKind::Button, InWindow, 610, 311, 85, 24, u"Apply", u"Save changes", NoFlag},
};

constexpr const char16_t* RunModeChoices[] = {u"normal", u"minimized", u"maximized", u"as administrator"};

struct Shortcut {
    int key;
    unsigned modifiers;
    int command;
};

constexpr Shortcut Shortcuts[] = {
    {platform::KeyUp, platform::WithCtrl, MoveUpArrow},     {platform::KeyUp, platform::WithAlt, MoveUpArrow},
    {platform::KeyDown, platform::WithCtrl, MoveDownArrow}, {platform::KeyDown, platform::WithAlt, MoveDownArrow},
    {'N', platform::WithAlt, NewItemButton},                {'E', platform::WithAlt, SeparatorButton},
    {'R', platform::WithAlt, RemoveButton},                 {'M', platform::WithAlt, FocusRunModeCommand},
    {'T', platform::WithAlt, OnTopToggle},                  {platform::KeyF1, platform::NoModifier, HelpCommand},
    {platform::KeyReturn, platform::NoModifier, EnterKeyCommand}, {'O', platform::WithAlt, OkButton},
    {'C', platform::WithAlt, CancelButton},                 {'S', platform::WithAlt, CloseButton},
    {'A', platform::WithAlt, ApplyButton},                  {'Q', platform::WithAlt, QuitButton},
    {platform::KeyF2, platform::NoModifier, FocusLabelCommand}, {platform::KeyEscape, platform::NoModifier, EscapeKeyCommand},
};

constexpr platform::Colour ReadOnlyColour = platform::rgb(255, 0, 0);

// High contrast wants the system's colours only; the note's words say enough without the red.
platform::Colour readOnlyColour() {
    return platform::highContrastOn() ? platform::systemColour(platform::SystemColour::WindowText) : ReadOnlyColour;
}

struct WindowResources {
    platform::OwnedFont dialogFont;
    platform::OwnedFont arrowFont;
};

WindowResources& resources() {
    static WindowResources r;
    return r;
}

// The window's top-left corner: the /S position when it is given, otherwise centred on the screen.
platform::Point windowPlace(platform::WindowHandle window) {
    if ((app.options & StartEditor) && std::int64_t{app.positionX} + app.positionY != 0)
        return {app.positionX, app.positionY};
    platform::Rect outer;
    platform::windowScreenRect(window, outer);
    const platform::Point screen = platform::screenSize();
    return {(screen.x - outer.width()) / 2, (screen.y - outer.height()) / 2};
}

bool createControls() {
    EditorState& ed = app.editor;
    platform::WindowHandle panels[3] = {ed.window, 0, 0};
    for (const ControlRow& row : Controls) {
        const platform::WindowHandle parent = row.flags & OpensPanel ? ed.window : panels[row.place];
        const platform::Rect bounds{row.x, row.y, row.x + row.w, row.y + row.h};
        const platform::WindowHandle control = platform::createControl(parent, row.kind, row.number, bounds, row.caption);
        if (control == 0) return false;
        if (row.flags & OpensPanel) panels[row.place] = control;
        if (row.number != 0) ed.controls[static_cast<std::size_t>(row.number)] = control;
        if (row.flags & Marlett) platform::setControlFont(control, resources().arrowFont.get());
        if (row.tooltip) platform::setTooltip(ed.window, control, row.tooltip);
        if (row.flags & Disabled) platform::enableWindow(control, false);
        if (row.flags & Hidden) platform::showWindow(control, platform::ShowHide);
        if (row.flags & AcceptsFiles) platform::acceptDroppedFiles(control);
        if (row.flags & RedText) platform::setTextColour(control, readOnlyColour());
    }
    for (const char16_t* choice : RunModeChoices) platform::addChoice(ed.controls[RunModeBox], choice);
    // A longer label would push its "=" past where the reader looks for it.
    platform::limitText(ed.controls[LabelField], MaxLabelLength);
    if (app.readOnlyMenu) platform::setWindowText(ed.controls[ReadOnlyNote], u"Read Only");
    return true;
}

void addShortcutsAndHelpMenu() {
    EditorState& ed = app.editor;
    for (const Shortcut& s : Shortcuts) platform::addShortcut(ed.window, s.key, s.modifiers, s.command);
    ed.helpMenu = platform::createPopupMenu();
    platform::appendMenuItem(ed.helpMenu, HelpCommand, u"Help", {});
    platform::appendMenuItem(ed.helpMenu, InfoCommand, u"Info", {});
}

} // namespace

bool buildEditorWindow() {
    EditorState& ed = app.editor;
    platform::initCommonControls();
    resources().dialogFont.reset(platform::createDialogFont());
    resources().arrowFont.reset(platform::createFont(u"Marlett", 8));
    ed.window = platform::createDialogWindow(app.editorTitle, ClientWidth, ClientHeight);
    if (ed.window == 0) return false;
    const platform::Point place = windowPlace(ed.window);
    platform::moveWindow(ed.window, place.x, place.y);
    platform::setDefaultControlFont(ed.window, resources().dialogFont.get());
    if (!createControls()) {
        destroyEditorWindow();
        return false;
    }
    addShortcutsAndHelpMenu();
    return true;
}

void destroyEditorWindow() {
    EditorState& ed = app.editor;
    if (ed.helpMenu != 0) platform::destroyMenu(ed.helpMenu);
    if (ed.window != 0) platform::destroyWindow(ed.window);
    ed.helpMenu = 0;
    ed.window = 0;
    ed.controls.fill(0);
    resources().dialogFont.reset(0);
    resources().arrowFont.reset(0);
}

} // namespace vorlix
