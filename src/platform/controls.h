#pragma once
// Child controls of the program's windows: the editor's window, its panels, buttons, fields, list views,
// labels and tooltips. Each function is one window-system call deep; what the controls mean is decided
// above this layer. Control events (click, change, ...) arrive through the event queue of
// platform/events.h, with the control's number.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/fonts.h"
#include "platform/handles.h"

namespace platform {

// InitCommonControlsEx for list views and tooltips; before the first such control is made.
bool initCommonControls();

// A top-level window with a caption, a close box and a system menu only (no minimise, maximise or
// sizing frame), its client area clientWidth x clientHeight, at (0, 0), hidden. 0 when it cannot be
// created. Tab and Shift+Tab move the focus through its controls in creation order, into and out of
// its panels.
WindowHandle createDialogWindow(const std::u16string& title, int clientWidth, int clientHeight);
// The same with a caption only (no system menu, no close box), owned by owner.
WindowHandle createOwnedDialogWindow(WindowHandle owner, const std::u16string& title, int clientWidth,
                                     int clientHeight);

// Controls created under window (directly or inside its panels) from now on use font.
void setDefaultControlFont(WindowHandle window, FontHandle font);
bool setControlFont(WindowHandle control, FontHandle font);

enum class ControlKind {
    Panel,         // a child window that holds controls, with a thin static-edge border
    Label,         // static text
    Button,        // push button
    DefaultButton, // default push button
    CheckBox,      // automatic check box
    ToggleButton,  // push-like automatic check box
    ImageButton,   // push button that shows an icon
    TextField,     // single-line edit, auto-scrolling
    DropDownList,  // choice-only combo box
    ListView,      // report view, one column, no header, single selection, selection always shown,
                   // full-row select, sunken edge, label tips
    IconList,      // list mode with small icons, single selection, selection always shown
    Image,         // an icon (setImageIcon), drawn at its own size
    Rule,          // a horizontal rule: an empty text with a sunken edge
    Link,          // text with the hand cursor (setLinkColours); the left button's release on it is a Click
};

// Creates a visible child control of parent (a window or a panel) with the number id at bounds (in the
// parent's client area). 0 when it cannot be created.
WindowHandle createControl(WindowHandle parent, ControlKind kind, int id, const Rect& bounds,
                           const std::u16string& caption);
// A centred text label (SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX) that reports clicks (SS_NOTIFY) as
// control events with controlId, drawn in textColour. 0 when it cannot be created.
WindowHandle createLabel(WindowHandle parent, int controlId, const Rect& bounds, const std::u16string& text,
                         Colour textColour);
// Draws a label's text in colour.
bool setTextColour(WindowHandle label, Colour colour);
// Draws a link's text in colour, and in hotColour while the mouse is over it.
bool setLinkColours(WindowHandle link, Colour colour, Colour hotColour);
// Narrows a control to the width its text needs in its font, so that a click beside the text misses it.
bool fitToText(WindowHandle control);
// The tooltip of control (a new one, or the text of the one it has); window is the top-level window.
bool setTooltip(WindowHandle window, WindowHandle control, const std::u16string& text);

// ---- State of any control ----------------------------------------------------------------------

std::u16string windowText(WindowHandle window);
// Puts text into a window or control without raising a change event.
bool setWindowText(WindowHandle window, const std::u16string& text);
// The most characters the user can type or paste into a text field (EM_LIMITTEXT); text put in by the
// program is not cut.
bool limitText(WindowHandle field, std::size_t count);
// Lets window (or a control) accept dropped files; they arrive as a FilesDropped event.
bool acceptDroppedFiles(WindowHandle window);
bool enableWindow(WindowHandle window, bool enabled);
bool windowEnabled(WindowHandle window);
bool windowVisible(WindowHandle window);
// The number of a control (GetDlgCtrlID), 0 for none.
int controlNumber(WindowHandle control);

// ---- Buttons and check boxes -------------------------------------------------------------------------

bool isChecked(WindowHandle button);
bool setChecked(WindowHandle button, bool checked);
// The icon an image button shows (0: none); the button does not own it.
bool setButtonIcon(WindowHandle button, IconHandle icon);
// The icon an image shows (0: none); the image does not own it.
bool setImageIcon(WindowHandle image, IconHandle icon);

// ---- Drop-down lists ---------------------------------------------------------------------------------

bool addChoice(WindowHandle box, const std::u16string& text);
bool selectChoice(WindowHandle box, int index); // raises no change event
int selectedChoice(WindowHandle box);           // -1 when none

// ---- List views (rows of text; icon lists also take icons) -------------------------------------------

// Inserts a row at index (at the end when index >= the count); the list makes its own copy of icon.
bool insertListRow(WindowHandle list, int index, const std::u16string& text, IconHandle icon = 0);
// Many rows at the end, drawn once when all are in.
bool appendListRows(WindowHandle list, const std::u16string* texts, std::size_t count);
bool setListRowText(WindowHandle list, int index, const std::u16string& text);
std::u16string listRowText(WindowHandle list, int index);
bool deleteListRow(WindowHandle list, int index);
bool clearListRows(WindowHandle list);
int listRowCount(WindowHandle list);
int selectedListRow(WindowHandle list); // -1 when none
// Selects and focuses the row (and only it); -1 clears the selection.
bool selectListRow(WindowHandle list, int index);
// Scrolls the row fully into view.
bool ensureListRowVisible(WindowHandle list, int index);
// The one column as wide as the list (LVSCW_AUTOSIZE_USEHEADER).
bool fitListColumn(WindowHandle list);

} // namespace platform
