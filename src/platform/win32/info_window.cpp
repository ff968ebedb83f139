#include "platform/info_window.h"

#include <windows.h>

#include <string>

#include "platform/system_colours.h"
#include "platform/win32/guards.h"
#include "platform/win32/native_handles.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

constexpr wchar_t InfoClassName[] = L"VorlixInfoWindow";
constexpr wchar_t LinkClassName[] = L"VorlixInfoLink";

constexpr int ClientWidth = 300;
constexpr int ClientHeight = 135;
constexpr DWORD InfoStyle = WS_POPUP | WS_THICKFRAME;
constexpr UINT FadeMs = 300;

constexpr COLORREF LinkColour = RGB(0, 0, 255);
constexpr COLORREF HotLinkColour = RGB(255, 0, 0);

// Posted by the window procedure so that the event loop sees a close request; WM_CLOSE itself is sent,
// never queued. Also posted to the thread when the window is destroyed behind the loop's back.
constexpr UINT InfoCloseRequest = WM_APP + 0x1F;

// The standard cursors by number: IDC_* follow the UNICODE setting, which this library does not set.
const wchar_t* const HandCursor = MAKEINTRESOURCEW(32649);  // IDC_HAND
const wchar_t* const ArrowCursor = MAKEINTRESOURCEW(32512); // IDC_ARROW

// GWLP_USERDATA of a link: 1 while the mouse is over it.
constexpr LONG_PTR LinkHot = 1;

HINSTANCE instance() { return GetModuleHandleW(nullptr); }

// The caller's font, kept in the info window's GWLP_USERDATA for the links to draw with.
HFONT fontOf(HWND window) { return reinterpret_cast<HFONT>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return text;
}

void paintLink(HWND link) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(link, &ps);
    if (!dc) return;
    RECT client{};
    GetClientRect(link, &client);
    const win32::SelectedObject font(dc, fontOf(GetParent(link)));
    SetBkMode(dc, TRANSPARENT);
    const bool hot = GetWindowLongPtrW(link, GWLP_USERDATA) == LinkHot;
    // High contrast wants the system's colours: its link colour, and the highlight for the one under the mouse.
    if (highContrastOn()) SetTextColor(dc, systemColour(hot ? SystemColour::Highlight : SystemColour::Link));
    else SetTextColor(dc, hot ? HotLinkColour : LinkColour);
    std::wstring text = windowText(link);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    EndPaint(link, &ps);
}

void setHot(HWND link, bool hot) {
    SetWindowLongPtrW(link, GWLP_USERDATA, hot ? LinkHot : 0);
    InvalidateRect(link, nullptr, TRUE);
}

// A link: its own text in blue, red under the mouse, hand cursor; reports the release of the left button.
LRESULT CALLBACK linkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paintLink(link);
        return 0;
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, HandCursor));
        return TRUE;
    case WM_MOUSEMOVE:
        if (GetWindowLongPtrW(link, GWLP_USERDATA) != LinkHot) {
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, link, 0};
            TrackMouseEvent(&track);
            setHot(link, true);
        }
        return 0;
    case WM_MOUSELEAVE:
        setHot(link, false);
        return 0;
    case WM_LBUTTONUP:
        PostMessageW(GetParent(link), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(link), 0), reinterpret_cast<LPARAM>(link));
        return 0;
    default:
        return DefWindowProcW(link, message, wParam, lParam);
    }
}

LRESULT CALLBACK infoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        PostMessageW(window, InfoCloseRequest, 0, 0);
        return 0;
    case WM_DESTROY:
        PostThreadMessageW(GetCurrentThreadId(), InfoCloseRequest, 0, reinterpret_cast<LPARAM>(window));
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool registerClasses() {
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    info.lpfnWndProc = infoProc;
    info.hInstance = instance();
    info.hCursor = LoadCursorW(nullptr, ArrowCursor);
    info.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    info.lpszClassName = InfoClassName;
    WNDCLASSEXW link = info;
    link.lpfnWndProc = linkProc;
    link.hCursor = LoadCursorW(nullptr, HandCursor);
    link.lpszClassName = LinkClassName;
    // A second registration in the same process fails with "already exists", which is fine.
    bool infoOk = RegisterClassExW(&info) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    bool linkOk = RegisterClassExW(&link) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return infoOk && linkOk;
}

HWND addControl(HWND parent, const wchar_t* className, const std::u16string& text, DWORD style, DWORD exStyle,
                int x, int y, int width, int height, int id) {
    HWND control = CreateWindowExW(exStyle, className, wz(text), WS_CHILD | WS_VISIBLE | style, x, y, width,
                                   height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance(),
                                   nullptr);
    const HFONT font = fontOf(parent);
    if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

// Only the text itself is clickable: a click beside it is a click on the window.
void narrowToText(HWND link, int height) {
    SIZE size{};
    bool measured = false;
    {
        const win32::WindowDc dc(link);
        if (!dc.get()) return;
        const win32::SelectedObject font(dc.get(), fontOf(GetParent(link)));
        std::wstring text = windowText(link);
        measured = GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size) != FALSE;
    }
    if (measured) SetWindowPos(link, nullptr, 0, 0, size.cx, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

WindowHandle openInfoWindow(WindowHandle owner, const InfoWindowContent& content) {
    if (!registerClasses()) return 0;

    RECT outer{0, 0, ClientWidth, ClientHeight};
    AdjustWindowRectEx(&outer, InfoStyle, FALSE, 0);
    int width = widthOf(outer);
    int height = heightOf(outer);
    RECT around{};
    HWND ownerWindow = win32::native<HWND>(owner);
    if (!ownerWindow || !GetWindowRect(ownerWindow, &around)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    }
    int x = (around.left + around.right - width) / 2;
    int y = (around.top + around.bottom - height) / 2;

    HWND window = CreateWindowExW(0, InfoClassName, L"", InfoStyle, x, y, width, height, ownerWindow, nullptr,
                                  instance(), nullptr);
    if (!window) return 0;
    SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(content.font.value));

    HWND image = addControl(window, L"STATIC", u"", SS_ICON, 0, 15, 25, 32, 32, 0);
    if (image && content.icon) SendMessageW(image, STM_SETICON, static_cast<WPARAM>(content.icon.value), 0);
    addControl(window, L"STATIC", content.versionLine, SS_LEFT | SS_NOPREFIX, 0, 65, 15, 400, 20, 0);
    addControl(window, L"STATIC", content.buildLine, SS_LEFT | SS_NOPREFIX, 0, 65, 35, 400, 20, 0);
    addControl(window, L"STATIC", content.thirdLine, SS_LEFT | SS_NOPREFIX, 0, 65, 55, 400, 20, 0);
    addControl(window, L"STATIC", u"", 0, WS_EX_CLIENTEDGE, 15, 77, 270, 4, 0);
    HWND web = addControl(window, LinkClassName, content.webAddress, 0, 0, 65, 87, 450, 20, InfoWebLink);
    HWND mail = addControl(window, LinkClassName, content.mailAddress, 0, 0, 65, 107, 400, 20, InfoMailLink);
    if (web) narrowToText(web, 20);
    if (mail) narrowToText(mail, 20);

    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    UpdateWindow(window);
    return win32::typed<WindowHandle>(window);
}

void drainInfoWindowEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // leave it for the outer loop
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

InfoEvent waitInfoWindowEvent(WindowHandle window) {
    HWND info = win32::native<HWND>(window);
    if (!IsWindow(info)) return {InfoEventKind::CloseRequest, 0};
    MSG msg;
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
        return {InfoEventKind::CloseRequest, 0};
    }
    if (msg.message == InfoCloseRequest && (msg.hwnd == info || msg.lParam == reinterpret_cast<LPARAM>(info))) {
        return {InfoEventKind::CloseRequest, 0};
    }
    if (msg.hwnd == info) {
        // Judged before dispatching, so a press on the sizing frame closes instead of starting a resize.
        switch (msg.message) {
        case WM_LBUTTONUP: return {InfoEventKind::ClientClick, 0};
        case WM_NCLBUTTONDOWN: return {InfoEventKind::FrameClick, 0};
        case WM_KEYDOWN: return {InfoEventKind::KeyPress, 0};
        case WM_COMMAND: return {InfoEventKind::Control, LOWORD(msg.wParam)};
        default: break;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return {InfoEventKind::Other, 0};
}

void closeInfoWindow(WindowHandle window) {
    HWND info = win32::native<HWND>(window);
    if (IsWindow(info)) {
        AnimateWindow(info, FadeMs, AW_BLEND | AW_HIDE);
        DestroyWindow(info);
    }
    // Drop the close request that the destruction posted, so no later loop mistakes it for its own.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, InfoCloseRequest, InfoCloseRequest, PM_REMOVE)) {
    }
}

} // namespace platform
