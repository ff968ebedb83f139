// Rows of the editor's list views and choices of its drop-down lists. What the program itself does to a
// list (inserting, deleting, selecting rows) raises no change event: only a user's choice does.
#include "platform/controls.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/native_handles.h"
#include "platform/win32/ui_internal.h"
#include "platform/win32/wide.h"

namespace platform {

using win32::hwnd;

namespace {

int rowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

// The next row after `after` (-1: from the start) that has the state flag (LVNI_SELECTED, LVNI_FOCUSED).
int nextRow(HWND list, int after, UINT flag) {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(after), flag));
}

// The row text as LVITEMW wants it (a writable pointer; the list copies the text).
LVITEMW textItem(int index, std::u16string& text) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = wbuf(text);
    return item;
}

constexpr int NoImageList = -1; // a report view: its rows have no image member at all

bool insertRow(HWND list, int index, std::u16string text, int image) {
    LVITEMW item = textItem(index, text);
    if (image != NoImageList) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
    return SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) >= 0;
}

// A row of an icon list without LVIF_IMAGE would show the first icon; I_IMAGENONE shows none.
int imageFor(HWND list, IconHandle icon) {
    HIMAGELIST icons = reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    if (!icons) return NoImageList;
    const int image = icon ? ImageList_AddIcon(icons, win32::native<HICON>(icon)) : -1; // copies the icon
    return image >= 0 ? image : I_IMAGENONE;
}

class RedrawPaused {
public:
    explicit RedrawPaused(HWND list) : list_(list) { SendMessageW(list_, WM_SETREDRAW, FALSE, 0); }
    ~RedrawPaused() {
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    RedrawPaused(const RedrawPaused&) = delete;
    RedrawPaused& operator=(const RedrawPaused&) = delete;

private:
    HWND list_;
};

} // namespace

// ---- Drop-down lists ---------------------------------------------------------------------------------

bool addChoice(WindowHandle box, const std::u16string& text) {
    return SendMessageW(hwnd(box), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wz(text))) >= 0;
}

bool selectChoice(WindowHandle box, int index) { // CB_SETCURSEL sends no CBN_SELCHANGE
    const LRESULT result = SendMessageW(hwnd(box), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (index < 0) return IsWindow(hwnd(box)) != FALSE; // clearing answers CB_ERR as well
    return result == index;
}

int selectedChoice(WindowHandle box) { return static_cast<int>(SendMessageW(hwnd(box), CB_GETCURSEL, 0, 0)); }

// ---- List views --------------------------------------------------------------------------------------

bool insertListRow(WindowHandle list, int index, const std::u16string& text, IconHandle icon) {
    HWND target = hwnd(list);
    if (!IsWindow(target) || index < 0) return false;
    const int count = rowCount(target);
    win32::QuietChanges quiet(target);
    return insertRow(target, index < count ? index : count, text, imageFor(target, icon));
}

bool appendListRows(WindowHandle list, const std::u16string* texts, std::size_t count) {
    HWND target = hwnd(list);
    if (!IsWindow(target)) return false;
    if (count == 0) return true;
    const int first = rowCount(target);
    win32::QuietChanges quiet(target);
    RedrawPaused paused(target);
    SendMessageW(target, LVM_SETITEMCOUNT, static_cast<WPARAM>(first) + count, LVSICF_NOINVALIDATEALL);
    const int noImage = imageFor(target, 0);
    for (std::size_t i = 0; i < count; ++i) {
        if (!insertRow(target, first + static_cast<int>(i), texts[i], noImage)) return false;
    }
    return true;
}

bool setListRowText(WindowHandle list, int index, const std::u16string& text) {
    std::u16string copy = text;
    LVITEMW item = textItem(index, copy);
    win32::QuietChanges quiet(hwnd(list));
    return SendMessageW(hwnd(list), LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) !=
           FALSE;
}

std::u16string listRowText(WindowHandle list, int index) {
    if (index < 0 || index >= rowCount(hwnd(list))) return {};
    // The list answers how much it copied, not how long the text is: grow until the text fits.
    for (std::size_t size = 256;; size *= 2) {
        std::u16string text(size, u'\0');
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = wbuf(text);
        item.cchTextMax = static_cast<int>(size);
        const LRESULT copied =
            SendMessageW(hwnd(list), LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        if (copied < 0) return {};
        if (static_cast<std::size_t>(copied) < size - 1 || size >= (1u << 20)) {
            text.resize(static_cast<std::size_t>(copied));
            return text;
        }
    }
}

bool deleteListRow(WindowHandle list, int index) {
    win32::QuietChanges quiet(hwnd(list));
    return SendMessageW(hwnd(list), LVM_DELETEITEM, static_cast<WPARAM>(index), 0) != FALSE;
}

bool clearListRows(WindowHandle list) {
    HWND target = hwnd(list);
    win32::QuietChanges quiet(target);
    if (!SendMessageW(target, LVM_DELETEALLITEMS, 0, 0)) return false;
    // No row shows an icon now: the copies can go.
    HIMAGELIST icons = reinterpret_cast<HIMAGELIST>(SendMessageW(target, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    if (icons) ImageList_RemoveAll(icons);
    return true;
}

int listRowCount(WindowHandle list) { return rowCount(hwnd(list)); }

int selectedListRow(WindowHandle list) {
    return nextRow(hwnd(list), -1, LVNI_SELECTED);
}

bool selectListRow(WindowHandle list, int index) {
    HWND target = hwnd(list);
    if (!IsWindow(target) || index < -1 || index >= rowCount(target)) return false;
    win32::QuietChanges quiet(target);
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    // Only the rows that have the states lose them: clearing "every row" (index -1) visits all of a long list.
    for (const UINT flag : {UINT{LVNI_SELECTED}, UINT{LVNI_FOCUSED}}) {
        for (int row = nextRow(target, -1, flag); row >= 0; row = nextRow(target, row, flag)) {
            if (row == index) continue;
            item.state = 0;
            if (!SendMessageW(target, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)))
                return false;
        }
    }
    if (index < 0) return true;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    return SendMessageW(target, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != FALSE;
}

bool ensureListRowVisible(WindowHandle list, int index) {
    return SendMessageW(hwnd(list), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE) != FALSE;
}

bool fitListColumn(WindowHandle list) {
    // A column already as wide as the list is left as it is: setting it again scrolls and repaints a shown
    // list (about 12 ms under Wine), and the editor fits the column at every change of the selection.
    RECT client{};
    if (GetClientRect(hwnd(list), &client) && SendMessageW(hwnd(list), LVM_GETCOLUMNWIDTH, 0, 0) == client.right)
        return true;
    return SendMessageW(hwnd(list), LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(LVSCW_AUTOSIZE_USEHEADER, 0)) != FALSE;
}

} // namespace platform
