// bare_editor.exe: the least a Win32 program does to show a menu file's labels in an editor-sized window;
// the yardstick for how long Vorlix's editor takes to reach the screen (bench/editor_timing.sh).
//
//   bare_editor MENUFILE
//
// The menu is UTF-8 "label=definition" lines, split at the first "=". The window, titled "bare editor - "
// and the path, has a 700 x 345 client area and a report list view, number 3, with one row per label.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> readLabels(const wchar_t* path) {
    std::vector<std::wstring> labels;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return labels;
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    int wide = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), wide);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        size_t equals = line.find(L'=');
        if (equals != std::wstring::npos) labels.push_back(line.substr(0, equals));
        start = end + 1;
    }
    return labels;
}

LRESULT CALLBACK windowProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(w, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2) return 2;
    const std::vector<std::wstring> labels = readLabels(argv[1]);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareEditor";
    RegisterClassW(&wc);
    const DWORD style = WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, 700, 345};
    AdjustWindowRect(&frame, style, FALSE);
    const std::wstring title = std::wstring(L"bare editor - ") + argv[1];
    HWND window = CreateWindowExW(0, wc.lpszClassName, title.c_str(), style, 0, 0, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                    LVS_SHOWSELALWAYS,
                                8, 8, 300, 329, window, reinterpret_cast<HMENU>(3), instance, nullptr);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 280;
    ListView_InsertColumn(list, 0, &column);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    for (size_t i = 0; i < labels.size(); ++i) {
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(labels[i].c_str());
        ListView_InsertItem(list, &item);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    SetFocus(list);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    LocalFree(argv);
    return 0;
}
