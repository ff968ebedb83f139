#include "platform/win32/owner_draw_menu.h"

#include <oleacc.h>

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/system_colours.h"
#include "platform/win32/guards.h"
#include "platform/win32/icon_images.h"
#include "platform/win32/native_handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_hooks.h"

namespace platform::win32 {

namespace {

// Layout of an item, in pixels at 96 DPI.
constexpr int IconSize = 16;
constexpr int IconLeft = 2;            // the icon sits centred in the strip
constexpr int StripWidth = 20;         // shaded column of the alternative look
constexpr int TextLeft = IconLeft + 20; // text starts 20 pixels right of the icon
constexpr int TextRightMargin = 16;    // room for the submenu arrow
constexpr int SeparatorIndent = StripWidth + 4;
constexpr int LeastItemHeight = IconSize + 2;

struct DrawnItem {
    // First, as the accessibility proxy expects of an owner-drawn item's data: a screen reader reads the
    // item's text ("&" included) from it, since the system never sees what the program draws.
    MSAAMENUINFO accessible{};
    HMENU menu = nullptr;
    int position = 0; // within its menu
    DrawnKind kind = DrawnKind::Item;
    IconMenuLook look = IconMenuLook::Classic;
    std::u16string text;
    HICON icon = nullptr; // the item's own, or the one it copies
    bool copyWhenDrawn = false;
    HICON copy = nullptr; // made before the item is first shown; the table's to destroy
};

// The items of the menus built so far, in blocks that never move: an item's data is its record's address,
// which stays valid while menus still show it. Each block is twice the size of the one before, so a menu
// of 100,000 items has some 10 blocks to search when a record is looked up.
class DrawnTable {
public:
    DrawnItem& add() {
        if (count_ == capacity_) {
            const std::size_t size = blocks_.empty() ? 64 : 2 * blocks_.back().size;
            blocks_.push_back({std::make_unique<DrawnItem[]>(size), size});
            capacity_ += size;
        }
        Block& last = blocks_.back();
        ++count_;
        return last.items[last.size - (capacity_ - count_) - 1];
    }
    // The record at data, or nullptr when data is no record of this table (a stale or foreign value).
    DrawnItem* find(ULONG_PTR data) {
        std::size_t before = 0;
        for (Block& block : blocks_) {
            const auto first = reinterpret_cast<ULONG_PTR>(block.items.get());
            const std::size_t offset = (data - first) / sizeof(DrawnItem);
            if (data >= first && offset < block.size && data == first + offset * sizeof(DrawnItem))
                return before + offset < count_ ? &block.items[offset] : nullptr;
            before += block.size;
        }
        return nullptr;
    }
    template <typename Visit> void forEach(Visit visit) {
        std::size_t left = count_;
        for (Block& block : blocks_)
            for (std::size_t i = 0; i < block.size && left > 0; ++i, --left) visit(block.items[i]);
    }
    void clear() {
        blocks_.clear();
        count_ = capacity_ = 0;
    }

private:
    struct Block {
        std::unique_ptr<DrawnItem[]> items;
        std::size_t size;
    };
    std::vector<Block> blocks_;
    std::size_t count_ = 0;
    std::size_t capacity_ = 0;
};

DrawnTable& drawnItems() {
    static DrawnTable items;
    return items;
}

DrawnItem* findDrawnItem(ULONG_PTR data) { return drawnItems().find(data); }

// The image of each icon that items copy, read at the first copy and kept until the icons are released,
// so a source's pixels are read once however many of its items are drawn.
std::unordered_map<HICON, IconImage>& copiedImages() {
    static std::unordered_map<HICON, IconImage> images;
    return images;
}

HICON copyOf(HICON icon) {
    auto [it, inserted] = copiedImages().try_emplace(icon);
    if (inserted && !iconImage(win32::typed<IconHandle>(icon), it->second)) it->second.clear();
    if (!it->second.empty())
        if (IconHandle copy = iconFromImage(it->second)) return win32::native<HICON>(copy);
    return CopyIcon(icon);
}

void makeCopy(DrawnItem& item) {
    if (item.copyWhenDrawn && !item.copy && item.icon) item.copy = copyOf(item.icon);
}

// What the item draws: its own icon, or its copy, made now if it was not made yet. Should no copy be
// made, the item draws the icon it copies, which lives as long as the popup does, rather than none.
HICON iconToDraw(DrawnItem& item) {
    if (!item.copyWhenDrawn) return item.icon;
    makeCopy(item);
    return item.copy ? item.copy : item.icon;
}

int separatorHeight() { return GetSystemMetrics(SM_CYMENUSIZE) / 2; }

// Before the window system shows a menu it measures the menu's items, first to last. At the first, the
// items that can be in the menu's first frame (within a screen's height of the top of their column,
// each counted at its least height) make their copies, all at once. Copies made while the menu paints
// would hold the whole frame back, and the menu's window would stand unpainted meanwhile (under Wine
// for some 25 ms with 36 copies); made between the measurings they would cost twice as much. Items
// further down a menu taller than the screen make theirs when they are scrolled into view.
void copyForFirstFrame(HMENU menu) {
    const int screen = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    int column = 0;
    drawnItems().forEach([&](DrawnItem& item) {
        if (item.menu != menu) return;
        if (item.kind == DrawnKind::ColumnBreak) column = 0;
        if (column < screen) makeCopy(item);
        column += item.kind == DrawnKind::Item ? LeastItemHeight : separatorHeight();
    });
}

HFONT createMenuFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
    return CreateFontIndirectW(&metrics.lfMenuFont);
}

// The menu font lives for the whole process; deleting it while a menu still draws would leave the menu
// with the system font, so it is released only at exit.
HFONT menuFont() {
    static GdiObject<HFONT> font(createMenuFont());
    return font.get() ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// A memory DC with the menu font selected, kept for measuring every item: asking for the window's DC and
// selecting the font once per item costs more than the measuring itself.
struct MeasuringDc {
    MemoryDc dc;
    MeasuringDc() {
        if (dc.get()) SelectObject(dc.get(), menuFont());
    }
};

HDC measuringDc() {
    static MeasuringDc measuring;
    return measuring.dc.get();
}

int channelBetween(int from, int to, int step, int steps) { return from + (to - from) * step / steps; }

COLORREF colourBetween(COLORREF from, COLORREF to, int step, int steps) {
    return RGB(channelBetween(GetRValue(from), GetRValue(to), step, steps),
               channelBetween(GetGValue(from), GetGValue(to), step, steps),
               channelBetween(GetBValue(from), GetBValue(to), step, steps));
}

// DC_BRUSH takes its colour from the DC, so filling needs no brush to create and free.
void fill(HDC dc, const RECT& rect, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// One row of the strip, white at the left edge and the highlight colour at the right edge, as a pattern
// brush: one fill per item instead of one per pixel column. Made again when the highlight colour changes.
HBRUSH stripBrush() {
    static GdiObject<HBRUSH> brush;
    static COLORREF madeFor = CLR_INVALID;
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    if (brush.get() && madeFor == highlight) return brush.get();
    struct {
        BITMAPINFOHEADER header;
        DWORD pixels[StripWidth];
    } pattern{};
    pattern.header.biSize = sizeof pattern.header;
    pattern.header.biWidth = StripWidth;
    pattern.header.biHeight = 1;
    pattern.header.biPlanes = 1;
    pattern.header.biBitCount = 32;
    pattern.header.biCompression = BI_RGB;
    for (int x = 0; x < StripWidth; ++x) {
        COLORREF c = colourBetween(RGB(255, 255, 255), highlight, x, StripWidth - 1);
        pattern.pixels[x] = (static_cast<DWORD>(GetRValue(c)) << 16) | (static_cast<DWORD>(GetGValue(c)) << 8) |
                            GetBValue(c);
    }
    brush.reset(CreateDIBPatternBrushPt(&pattern, DIB_RGB_COLORS));
    madeFor = highlight;
    return brush.get();
}

void drawStrip(HDC dc, const RECT& item) {
    HBRUSH brush = stripBrush();
    if (!brush) return;
    POINT oldOrigin{};
    SetBrushOrgEx(dc, item.left, item.top, &oldOrigin);
    RECT strip{item.left, item.top, item.left + StripWidth, item.bottom};
    FillRect(dc, &strip, brush);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void drawSeparator(HDC dc, const DrawnItem& item, const RECT& rect) {
    bool alternative = item.look == IconMenuLook::Alternative;
    fill(dc, rect, GetSysColor(COLOR_MENU));
    if (itemPaint(alternative, false, false, highContrastOn()).strip) drawStrip(dc, rect);
    int middle = (rect.top + rect.bottom) / 2;
    RECT line{rect.left + (alternative ? SeparatorIndent : 1), middle - 1, rect.right - 1, middle + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
}

void drawItem(const DRAWITEMSTRUCT& draw, DrawnItem& item) {
    HDC dc = draw.hDC;
    const RECT& rect = draw.rcItem;
    bool alternative = item.look == IconMenuLook::Alternative;
    bool greyed = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const ItemPaint paint = itemPaint(alternative, (draw.itemState & ODS_SELECTED) != 0, greyed, highContrastOn());

    const COLORREF background = systemColour(paint.background);
    fill(dc, rect, paint.halfTint ? colourBetween(background, RGB(255, 255, 255), 1, 2) : background);
    if (paint.blackFrame) FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (paint.strip) drawStrip(dc, rect);

    if (HICON icon = iconToDraw(item)) {
        int top = rect.top + (heightOf(rect) - IconSize) / 2;
        if (greyed) {
            DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, rect.left + IconLeft, top, IconSize,
                       IconSize, DST_ICON | DSS_DISABLED);
        } else {
            DrawIconEx(dc, rect.left + IconLeft, top, icon, IconSize, IconSize, 0, nullptr, DI_NORMAL);
        }
    }

    SelectedObject font(dc, menuFont());
    COLORREF oldColour = SetTextColor(dc, systemColour(paint.text));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT textRect{rect.left + TextLeft, rect.top, rect.right - TextRightMargin, rect.bottom};
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_EXPANDTABS;
    if (draw.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
    DrawTextW(dc, wz(item.text), -1, &textRect, format);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
}

void measureItem(MEASUREITEMSTRUCT& measure, const DrawnItem& item) {
    if (item.kind != DrawnKind::Item) {
        measure.itemWidth = 0;
        measure.itemHeight = static_cast<UINT>(separatorHeight());
        return;
    }
    RECT text{};
    if (HDC dc = measuringDc()) DrawTextW(dc, wz(item.text), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    int height = std::max({GetSystemMetrics(SM_CYMENU) - 1, heightOf(text) + 4,
                           LeastItemHeight});
    measure.itemWidth = static_cast<UINT>(TextLeft + widthOf(text) + TextRightMargin);
    measure.itemHeight = static_cast<UINT>(height);
}

// The character after a single "&" (lower-cased), or 0: "&&" stands for a plain "&".
wchar_t accessKeyOf(const std::u16string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return static_cast<wchar_t>(reinterpret_cast<std::uintptr_t>(CharLowerW(
            reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(text[i + 1])))));
    }
    return 0;
}

// The window system finds access keys only in the texts it draws itself, so for drawn items it asks the
// owner (WM_MENUCHAR). One enabled match is chosen; several, or a greyed one, are selected in turn.
LRESULT menuCharacter(wchar_t typed, HMENU menu) {
    const wchar_t key = static_cast<wchar_t>(
        reinterpret_cast<std::uintptr_t>(CharLowerW(reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(typed)))));
    const int count = GetMenuItemCount(menu);
    int highlighted = -1;
    std::vector<int> matches;
    std::vector<bool> greyed;
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_STATE;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) continue;
        if (info.fState & MFS_HILITE) highlighted = position;
        if (!(info.fType & MFT_OWNERDRAW) || (info.fType & MFT_SEPARATOR)) continue;
        const DrawnItem* item = findDrawnItem(info.dwItemData);
        if (!item || item->kind != DrawnKind::Item || accessKeyOf(item->text) != key) continue;
        matches.push_back(position);
        greyed.push_back((info.fState & MFS_GRAYED) != 0);
    }
    if (matches.empty()) return MAKELRESULT(0, MNC_IGNORE);
    if (matches.size() == 1 && !greyed[0]) return MAKELRESULT(matches[0], MNC_EXECUTE);
    for (int m : matches)
        if (m > highlighted) return MAKELRESULT(m, MNC_SELECT);
    return MAKELRESULT(matches[0], MNC_SELECT);
}

} // namespace

ULONG_PTR rememberDrawnItem(HMENU menu, DrawnKind kind, IconMenuLook look, const std::u16string& text, ItemIcon icon) {
    DrawnItem& item = drawnItems().add();
    item = {{}, menu, std::max(GetMenuItemCount(menu), 0), kind, look, text, win32::native<HICON>(icon.icon),
            icon.copyWhenDrawn && icon.icon.value != 0, nullptr};
    // The record does not move and its text is not changed again, so the pointer holds.
    item.accessible = {MSAA_MENU_SIG, static_cast<DWORD>(item.text.size()), wbuf(item.text)};
    return reinterpret_cast<ULONG_PTR>(&item);
}

void releaseDrawnIcons() {
    drawnItems().forEach([](DrawnItem& item) {
        if (item.copy) DestroyIcon(item.copy);
        item.copy = nullptr;
        item.icon = nullptr;
        item.copyWhenDrawn = false;
    });
    copiedImages().clear();
}

void forgetDrawnItems() {
    releaseDrawnIcons();
    drawnItems().clear();
}

bool ownerDrawMenuMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!measure || measure->CtlType != ODT_MENU) return false;
        DrawnItem* item = findDrawnItem(measure->itemData);
        if (!item) return false;
        if (item->position == 0) copyForFirstFrame(item->menu);
        measureItem(*measure, *item);
        result = TRUE;
        return true;
    }
    if (message == WM_MENUCHAR) {
        // Only menus that hold drawn items; plain menus find their access keys themselves.
        HMENU menu = reinterpret_cast<HMENU>(lParam);
        MENUINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIM_MENUDATA;
        if (!menu || !GetMenuInfo(menu, &info) || info.dwMenuData == 0) return false;
        result = menuCharacter(static_cast<wchar_t>(LOWORD(wParam)), menu);
        return true;
    }
    if (message == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (!draw || draw->CtlType != ODT_MENU) return false;
        DrawnItem* item = findDrawnItem(draw->itemData);
        if (!item) return false;
        if (item->kind != DrawnKind::Item) drawSeparator(draw->hDC, *item, draw->rcItem);
        else drawItem(*draw, *item);
        result = TRUE;
        return true;
    }
    return false;
}

} // namespace platform::win32
