#include "editor/icon_dialog.h"

#include <vector>

#include "core/app_state.h"
#include "core/text.h"
#include "platform/controls.h"
#include "platform/events.h"
#include "platform/file_dialogs.h"
#include "platform/files.h"
#include "platform/guards.h"
#include "platform/icon_files.h"
#include "platform/icons.h"
#include "platform/keyboard.h"
#include "platform/top_windows.h"
#include "platform/window_geometry.h"
#include "popup/item_icons.h"

namespace vorlix {

namespace {

using platform::ControlKind;

constexpr int ClientWidth = 355;
constexpr int ClientHeight = 205;

struct DialogControlRow {
    int number;
    ControlKind kind;
    int x, y, w, h;
    const char16_t* caption;
};

// Creation order is the Tab order.
constexpr DialogControlRow DialogControls[] = {
    {IconChoiceList, ControlKind::IconList, 10, 10, 335, 150, u""},
    {BrowseIconButton, ControlKind::Button, 10, 170, 80, 24, u"Browse"},
    {DefaultIconButton, ControlKind::Button, 95, 170, 80, 24, u"Default"},
    {OkIconButton, ControlKind::Button, 180, 170, 80, 24, u"Ok"},
    {CancelIconButton, ControlKind::Button, 265, 170, 80, 24, u"Cancel"},
};

// The icons extracted from the browsed file. The list shows copies of them, so they are the dialog's to
// destroy, whenever another file replaces them and when the dialog closes.
class HeldIcons {
public:
    HeldIcons() = default;
    ~HeldIcons() { clear(); }
    HeldIcons(const HeldIcons&) = delete;
    HeldIcons& operator=(const HeldIcons&) = delete;
    void clear() {
        for (platform::IconHandle icon : icons_)
            if (icon != 0) platform::destroyIcon(icon);
        icons_.clear();
    }
    void take(std::vector<platform::IconHandle> icons) {
        clear();
        icons_ = std::move(icons);
    }
    int count() const { return static_cast<int>(icons_.size()); }
    platform::IconHandle operator[](int i) const { return icons_[static_cast<std::size_t>(i)]; }

private:
    std::vector<platform::IconHandle> icons_;
};

struct IconDialog {
    platform::WindowHandle window = 0;
    platform::WindowHandle list = 0;
    std::u16string startPath;
    IconChoice result;
    HeldIcons icons;
    bool browsed = false; // the list shows a browsed file's icons, not the current icon
};

constexpr const char16_t* IconFilePatterns = u"*.exe;*.dll;*.icl;*.ico";

void centreOn(platform::WindowHandle window, platform::WindowHandle parent) {
    platform::Rect outer, around;
    if (!platform::windowScreenRect(window, outer) || !platform::windowScreenRect(parent, around)) return;
    const int x = around.left + (around.width() - outer.width()) / 2;
    const int y = around.top + (around.height() - outer.height()) / 2;
    platform::moveWindow(window, x, y);
}

bool createDialogControls(IconDialog& d) {
    for (const DialogControlRow& row : DialogControls) {
        const platform::Rect bounds{row.x, row.y, row.x + row.w, row.y + row.h};
        const platform::WindowHandle control = platform::createControl(d.window, row.kind, row.number, bounds, row.caption);
        if (control == 0) return false;
        if (row.number == IconChoiceList) d.list = control;
    }
    return true;
}

// A damaged ".ico", program or library crashes the system's icon reader: such a file holds no icon to offer.
int offeredIconCount(const std::u16string& file) {
    if (iconFileIsDamaged(file)) return 0;
    const int count = platform::fileIconCount(file);
    return count < MaxOfferedIcons ? count : MaxOfferedIcons;
}

void browse(IconDialog& d) {
    if (platform::pathSizeOrKind(d.startPath) != platform::PathIsFolder) d.startPath = directoryPart(d.startPath);
    std::u16string chosen;
    if (!platform::pickFileToOpen(d.window, u"Icon File", d.startPath, u"Icon File", IconFilePatterns, chosen)) return;
    d.result.field = d.startPath = chosen;
    d.icons.clear();
    d.icons.take(platform::extractSmallIcons(chosen, offeredIconCount(chosen)));
    d.browsed = true;
    platform::clearListRows(d.list);
    for (int i = 0; i < d.icons.count(); ++i)
        platform::insertListRow(d.list, i, u"-- " + toDecimal(i) + u" --", d.icons[i]);
    if (d.icons.count() > 0) platform::selectListRow(d.list, 0);
}

// true when a selection was accepted. A browsed file with a single icon needs no selection.
bool accept(IconDialog& d) {
    const int selected = platform::selectedListRow(d.list);
    if (selected < 0 && !(d.browsed && d.icons.count() == 1)) return false;
    if (selected >= 1) d.result.field += u"," + toDecimal(selected);
    // Without a browsed file the list holds the current icon alone: accepting it keeps it.
    d.result.kind = d.result.field.empty() ? IconChoice::Kind::Kept : IconChoice::Kind::NewIcon;
    return true;
}

// Runs the dialog's loop until a button or a double click ends it; only control events count, so a
// close request (Alt+F4) is ignored.
void runDialog(IconDialog& d) {
    for (;;) {
        const platform::WindowEvent event = platform::waitEvent(d.window);
        if (event.kind == platform::EventKind::None) { // the window is gone
            d.result = {};
            return;
        }
        if (event.kind != platform::EventKind::Control) continue;
        const bool click = event.action == platform::ControlAction::Click;
        switch (event.control) {
        case CancelIconButton:
            if (click) {
                d.result = {};
                return;
            }
            break;
        case DefaultIconButton:
            if (click) {
                d.result = {IconChoice::Kind::DefaultIcon, {}};
                return;
            }
            break;
        case OkIconButton:
            if (click && accept(d)) return;
            break;
        case IconChoiceList:
            if (event.action == platform::ControlAction::DoubleClick && accept(d)) return;
            break;
        case BrowseIconButton:
            if (click) browse(d);
            break;
        default: break;
        }
    }
}

} // namespace

IconChoice iconSelectionDialog(const std::u16string& startSpec, platform::IconHandle currentIcon) {
    // The editor is the active window when its icon button is clicked.
    const platform::WindowHandle parent = app.editor.window;
    const platform::WindowHandle focused = platform::focusedWindow();
    platform::OwnedFont font;
    font.reset(platform::createDialogFont());
    IconDialog d;
    d.window = platform::createOwnedDialogWindow(parent, u"Icon Selection", ClientWidth, ClientHeight);
    if (d.window == 0) return {};
    platform::setDefaultControlFont(d.window, font.get());
    if (!createDialogControls(d)) {
        platform::destroyWindow(d.window);
        return {};
    }
    centreOn(d.window, parent);
    platform::enableWindow(parent, false);
    if (currentIcon != 0) {
        platform::insertListRow(d.list, 0, u"", currentIcon);
        platform::selectListRow(d.list, 0);
    }
    d.startPath = std::u16string(fieldAt(startSpec, u',', 0));
    platform::showWindow(d.window, platform::ShowShow);
    platform::setFocus(d.list);
    runDialog(d);
    d.icons.clear();
    // The owner is enabled and made active before its dialog goes: a dialog destroyed while it is the
    // active window hands the activation to whatever window comes next, often another program's.
    platform::enableWindow(parent, true);
    platform::setForegroundWindow(parent);
    platform::destroyWindow(d.window);
    platform::setFocus(focused);
    return d.result;
}

} // namespace vorlix
