#include "platform/controls.h"

#include <algorithm>

#include "platform/fake/fake_controls.h"
#include "platform/fake/fake_icons.h"
#include "platform/fake/fake_ui.h"
#include "platform/fake/fake_window_geometry.h"
#include "platform/keyboard.h"
#include "platform/top_windows.h"

namespace fake {

ControlsState& controls() {
    static ControlsState state;
    return state;
}

void resetControls() { controls() = ControlsState{}; }

namespace {

constexpr std::uintptr_t FirstFontHandle = 0x6000;

FakeWindow* liveWindow(platform::WindowHandle handle) {
    FakeWindow* w = window(handle);
    return w && !w->destroyed ? w : nullptr;
}

using platform::ControlKind;

FakeWindow* liveList(platform::WindowHandle handle) {
    FakeWindow* w = liveWindow(handle);
    return w && w->parent != 0 && (w->kind == ControlKind::ListView || w->kind == ControlKind::IconList) ? w : nullptr;
}

bool inRange(int index, std::size_t count) { return index >= 0 && static_cast<std::size_t>(index) < count; }

bool checkable(const FakeWindow& w) { return w.kind == ControlKind::CheckBox || w.kind == ControlKind::ToggleButton; }

// The font controls made under parent get: the nearest default font of parent or a window around it.
platform::FontHandle defaultFontFor(platform::WindowHandle parent) {
    for (FakeWindow* w = liveWindow(parent); w; w = w->parent ? liveWindow(w->parent) : nullptr) {
        if (w->defaultFont) return w->defaultFont;
    }
    return 0;
}

platform::WindowHandle newDialog(platform::WindowHandle owner, bool systemMenu, const std::u16string& title,
                                 int clientWidth, int clientHeight) {
    if (ui().createFails) return 0;
    FakeWindow w;
    w.text = title;
    w.clientWidth = clientWidth;
    w.clientHeight = clientHeight;
    w.dialog = true;
    w.hasSystemMenu = systemMenu;
    w.owner = owner;
    platform::WindowHandle handle = newWindow(w);
    // A fixed 3-pixel frame and a 19-pixel caption, as on a classic Windows desktop.
    windowGeometry().rects[handle] = {0, 0, clientWidth + 6, clientHeight + 25};
    return handle;
}

void scriptUser(int number, platform::ControlAction action, UserAction::Change change, bool focuses,
                const std::u16string& text = {}, int index = -1) {
    ScriptedEvent scripted;
    scripted.event.kind = platform::EventKind::Control;
    scripted.event.control = number;
    scripted.event.id = number;
    scripted.event.action = action;
    scripted.action.control = number;
    scripted.action.change = change;
    scripted.action.text = text;
    scripted.action.index = index;
    scripted.action.focuses = focuses;
    scriptEvent(scripted);
}

} // namespace

FontRecord* font(platform::FontHandle handle) {
    for (FontRecord& f : controls().fonts) {
        if (f.handle == handle) return &f;
    }
    return nullptr;
}

std::size_t liveFonts() {
    std::size_t n = 0;
    for (const FontRecord& f : controls().fonts) n += f.destroyed ? 0 : 1;
    return n;
}

FakeWindow* control(int number) {
    for (FakeWindow& w : ui().windows) {
        if (!w.destroyed && w.parent != 0 && w.controlId == number) return &w;
    }
    return nullptr;
}

void typeText(int number, const std::u16string& text) {
    scriptUser(number, platform::ControlAction::Change, UserAction::Change::SetText, true, text);
}

void clickControl(int number) {
    scriptUser(number, platform::ControlAction::Click, UserAction::Change::Click, true);
}

void chooseRow(int number, int row) {
    scriptUser(number, platform::ControlAction::Change, UserAction::Change::SelectRow, true, {}, row);
}

void chooseChoice(int number, int index) {
    scriptUser(number, platform::ControlAction::Change, UserAction::Change::SelectChoice, true, {}, index);
}

void scriptControl(int number, platform::ControlAction action) {
    ScriptedEvent scripted;
    scripted.event.kind = platform::EventKind::Control;
    scripted.event.control = number;
    scripted.event.id = number;
    scripted.event.action = action;
    scriptEvent(scripted);
}

void scriptCommand(int id) {
    ScriptedEvent scripted;
    scripted.event.kind = platform::EventKind::Menu;
    scripted.event.id = id;
    scripted.event.byShortcut = true;
    scriptEvent(scripted);
}

void scriptDrop(int number, const std::u16string& files) {
    ScriptedEvent scripted;
    scripted.event.kind = platform::EventKind::FilesDropped;
    scripted.event.control = number;
    scripted.event.files = files;
    scripted.action.control = number;
    scripted.action.change = UserAction::Change::Drop;
    scriptEvent(scripted);
}

void scriptClose() { scriptEvent(platform::EventKind::Close); }

} // namespace fake

namespace platform {

bool initCommonControls() {
    if (fake::controls().initFails) return false;
    ++fake::controls().commonControlsInits;
    return true;
}

WindowHandle createDialogWindow(const std::u16string& title, int clientWidth, int clientHeight) {
    return fake::newDialog(0, true, title, clientWidth, clientHeight);
}

WindowHandle createOwnedDialogWindow(WindowHandle owner, const std::u16string& title, int clientWidth,
                                     int clientHeight) {
    if (!fake::liveWindow(owner)) return 0;
    return fake::newDialog(owner, false, title, clientWidth, clientHeight);
}

Point screenSize() { return fake::controls().screenSize; }

FontHandle createFont(const std::u16string& face, int points) {
    auto& state = fake::controls();
    if (state.fontFails) return 0;
    const FontHandle handle{fake::FirstFontHandle + 0x10 * state.fonts.size()};
    state.fonts.push_back({handle, face, points, false});
    return handle;
}

bool destroyFont(FontHandle font) {
    fake::FontRecord* f = fake::font(font);
    if (!f || f->destroyed) {
        ++fake::controls().badFontDestroys;
        return false;
    }
    f->destroyed = true;
    return true;
}

void setDefaultControlFont(WindowHandle window, FontHandle font) {
    if (fake::FakeWindow* w = fake::liveWindow(window)) w->defaultFont = font;
}

bool setControlFont(WindowHandle control, FontHandle font) {
    fake::FakeWindow* w = fake::liveWindow(control);
    if (!w) return false;
    w->font = font;
    return true;
}

WindowHandle createControl(WindowHandle parent, ControlKind kind, int id, const Rect& bounds,
                           const std::u16string& caption) {
    if (fake::ui().createFails || !fake::liveWindow(parent)) return 0;
    if ((kind == ControlKind::ListView || kind == ControlKind::IconList) && fake::controls().commonControlsInits == 0) {
        ++fake::controls().usedBeforeInit;
    }
    fake::FakeWindow w;
    w.parent = parent;
    w.kind = kind;
    w.controlId = id;
    w.bounds = bounds;
    w.text = caption;
    w.visible = true;
    w.font = fake::defaultFontFor(parent);
    return fake::newWindow(w);
}

bool setTextColour(WindowHandle label, Colour colour) {
    fake::FakeWindow* w = fake::liveWindow(label);
    if (!w || w->parent == 0) return false;
    w->textColour = colour;
    return true;
}

bool setLinkColours(WindowHandle link, Colour colour, Colour hotColour) {
    fake::FakeWindow* w = fake::liveWindow(link);
    if (!w || w->kind != ControlKind::Link) return false;
    w->textColour = colour;
    w->hotTextColour = hotColour;
    return true;
}

bool fitToText(WindowHandle control) {
    fake::FakeWindow* w = fake::liveWindow(control);
    if (!w || w->parent == 0) return false;
    w->fittedToText = true;
    return true;
}

bool setTooltip(WindowHandle window, WindowHandle control, const std::u16string& text) {
    fake::FakeWindow* c = fake::liveWindow(control);
    if (!fake::liveWindow(window) || !c || fake::rootOf(control) != window) return false;
    if (fake::controls().commonControlsInits == 0) ++fake::controls().usedBeforeInit;
    c->tooltip = text;
    c->hasTooltip = true;
    return true;
}

std::u16string windowText(WindowHandle window) {
    fake::FakeWindow* w = fake::liveWindow(window);
    return w ? w->text : std::u16string();
}

// true when the window exists (not, as EnableWindow's own answer, whether it was disabled before).
bool enableWindow(WindowHandle window, bool enabled) {
    fake::FakeWindow* w = fake::liveWindow(window);
    if (!w) return false;
    w->enabled = enabled;
    if (!enabled && fake::ui().focus == window) setFocus(0); // a disabled window cannot keep the focus
    return true;
}

bool windowEnabled(WindowHandle window) {
    fake::FakeWindow* w = fake::liveWindow(window);
    return w && w->enabled;
}

// IsWindowVisible: the window and every window around it.
bool windowVisible(WindowHandle window) {
    fake::FakeWindow* w = fake::liveWindow(window);
    for (; w; w = w->parent ? fake::liveWindow(w->parent) : nullptr) {
        if (!w->visible) return false;
        if (w->parent == 0) return true;
    }
    return false;
}

WindowHandle focusedWindow() { return fake::liveWindow(fake::ui().focus) ? fake::ui().focus : 0; }

int controlNumber(WindowHandle control) {
    fake::FakeWindow* w = fake::liveWindow(control);
    return w ? w->controlId : 0;
}

bool isChecked(WindowHandle button) {
    fake::FakeWindow* w = fake::liveWindow(button);
    return w && fake::checkable(*w) && w->checked;
}

bool setChecked(WindowHandle button, bool checked) {
    fake::FakeWindow* w = fake::liveWindow(button);
    if (!w || !fake::checkable(*w)) return false;
    w->checked = checked;
    return true;
}

bool setButtonIcon(WindowHandle button, IconHandle icon) {
    fake::FakeWindow* w = fake::liveWindow(button);
    if (!w || w->kind != ControlKind::ImageButton) return false;
    w->icon = icon;
    return true;
}

bool setImageIcon(WindowHandle image, IconHandle icon) {
    fake::FakeWindow* w = fake::liveWindow(image);
    if (!w || w->kind != ControlKind::Image) return false;
    w->icon = icon;
    return true;
}

bool addChoice(WindowHandle box, const std::u16string& text) {
    fake::FakeWindow* w = fake::liveWindow(box);
    if (!w || w->kind != ControlKind::DropDownList) return false;
    w->choices.push_back(text);
    return true;
}

// Like CB_SETCURSEL: -1 clears the selection; an index out of range fails and clears it too.
bool selectChoice(WindowHandle box, int index) {
    fake::FakeWindow* w = fake::liveWindow(box);
    if (!w || w->kind != ControlKind::DropDownList) return false;
    const bool valid = fake::inRange(index, w->choices.size());
    w->selectedChoice = valid ? index : -1;
    return valid || index == -1;
}

int selectedChoice(WindowHandle box) {
    fake::FakeWindow* w = fake::liveWindow(box);
    return w && w->kind == ControlKind::DropDownList ? w->selectedChoice : -1;
}

bool insertListRow(WindowHandle list, int index, const std::u16string& text, IconHandle icon) {
    fake::FakeWindow* w = fake::liveList(list);
    if (!w || index < 0) return false;
    const std::size_t at = std::min(static_cast<std::size_t>(index), w->rows.size());
    w->rows.insert(w->rows.begin() + static_cast<std::ptrdiff_t>(at),
                   fake::FakeRow{text, icon, icon ? fake::iconSource(icon) : std::u16string(), false, false});
    return true;
}

bool appendListRows(WindowHandle list, const std::u16string* texts, std::size_t count) {
    fake::FakeWindow* w = fake::liveList(list);
    if (!w || (count > 0 && !texts)) return false;
    for (std::size_t i = 0; i < count; ++i) w->rows.push_back(fake::FakeRow{texts[i], 0, {}, false, false});
    return true;
}

bool setListRowText(WindowHandle list, int index, const std::u16string& text) {
    fake::FakeWindow* w = fake::liveList(list);
    if (!w || !fake::inRange(index, w->rows.size())) return false;
    w->rows[static_cast<std::size_t>(index)].text = text;
    return true;
}

std::u16string listRowText(WindowHandle list, int index) {
    fake::FakeWindow* w = fake::liveList(list);
    if (!w || !fake::inRange(index, w->rows.size())) return {};
    return w->rows[static_cast<std::size_t>(index)].text;
}

bool deleteListRow(WindowHandle list, int index) {
    fake::FakeWindow* w = fake::liveList(list);
    if (!w || !fake::inRange(index, w->rows.size())) return false;
    w->rows.erase(w->rows.begin() + index);
    return true;
}

bool clearListRows(WindowHandle list) {
    fake::FakeWindow* w = fake::liveList(list);
    if (!w) return false;
    w->rows.clear();
    return true;
}

int listRowCount(WindowHandle list) {
    fake::FakeWindow* w = fake::liveList(list);
    return w ? static_cast<int>(w->rows.size()) : 0;
}

int selectedListRow(WindowHandle list) {
    fake::FakeWindow* w = fake::liveList(list);
    return w ? fake::selectedRowOf(*w) : -1;
}

bool selectListRow(WindowHandle list, int index) {
    fake::FakeWindow* w = fake::liveList(list);
    if (!w || (index != -1 && !fake::inRange(index, w->rows.size()))) return false;
    fake::selectRow(*w, index);
    return true;
}

bool ensureListRowVisible(WindowHandle list, int index) {
    fake::FakeWindow* w = fake::liveList(list);
    if (!w || !fake::inRange(index, w->rows.size())) return false;
    for (std::size_t i = 0; i < w->rows.size(); ++i) w->rows[i].scrolledTo = static_cast<int>(i) == index;
    return true;
}

bool fitListColumn(WindowHandle list) {
    fake::FakeWindow* w = fake::liveList(list);
    if (!w) return false;
    ++w->columnFits;
    return true;
}

} // namespace platform
