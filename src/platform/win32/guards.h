#pragma once
// The guards of the Win32 side, one per handle kind, each freeing its handle the one way that handle is
// freed: most are Owned (platform/owned.h) over the handle and its call; a DC lent by a window, a selection
// in a DC and COM need more than a handle and keep classes of their own. The comment of each names the
// trap it is there for. The guards of handles that the portable code holds (fonts, icons) are in
// platform/guards.h.
#include <windows.h>
#include <objbase.h>

#include "platform/owned.h"

namespace platform::win32 {

using platform::Owned;

// ---- Kernel handles ---------------------------------------------------------------------------------

inline bool closeKernelHandle(HANDLE handle) { return CloseHandle(handle) != FALSE; }
inline bool openedFile(HANDLE handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }

// A file opened by CreateFileW. Its failure value is INVALID_HANDLE_VALUE, not 0, so a test for null
// alone would "close" an invalid handle; both count as none here.
using FileHandle = Owned<HANDLE, closeKernelHandle, openedFile>;

inline bool closeSearch(HANDLE search) { return FindClose(search) != FALSE; }
inline bool openedSearch(HANDLE search) { return search != INVALID_HANDLE_VALUE && search != nullptr; }

// A folder search. FindFirstFileW fails with INVALID_HANDLE_VALUE, not 0, and its handle is closed by
// FindClose, not CloseHandle.
using FindHandle = Owned<HANDLE, closeSearch, openedSearch>;

// ---- Window-system objects --------------------------------------------------------------------------

inline bool destroyTable(HACCEL table) { return DestroyAcceleratorTable(table) != FALSE; }

// An accelerator table. Windows does not free it with the window it serves: DestroyAcceleratorTable is
// ours to call, also for every table replaced by a rebuilt one.
using AcceleratorTable = Owned<HACCEL, destroyTable>;

// ---- GDI ----------------------------------------------------------------------------------------------

template <typename Object> bool deleteObject(Object object) { return DeleteObject(object) != FALSE; }

// A bitmap, brush or font: freed with DeleteObject, not DestroyIcon or CloseHandle, and never while it
// is still selected into a DC. GetIconInfo hands out two new bitmaps that leak without this.
template <typename Object> using GdiObject = Owned<Object, deleteObject<Object>>;

inline bool deleteDc(HDC dc) { return DeleteDC(dc) != FALSE; }

// A memory DC compatible with the screen; DeleteDC, not ReleaseDC, frees it.
struct MemoryDc : Owned<HDC, deleteDc> {
    MemoryDc() : Owned(CreateCompatibleDC(nullptr)) {}
};

// The DC of a window (of the screen for none), from GetDC: it goes back with ReleaseDC to the window it
// came from, never DeleteDC. The window system has only a few common DCs to lend.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a DC and puts the previous one back. Forgetting that leaves the object in
// the DC (a menu's DC draws the next item with it), and an object still selected cannot be deleted.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// ---- COM ----------------------------------------------------------------------------------------------

// COM on this thread for the life of the guard (CoInitializeEx; the default flags are what CoInitialize
// asks for). S_FALSE ("already initialised on this thread") is a success and needs its CoUninitialize as
// well, so the test is SUCCEEDED, not == S_OK; RPC_E_CHANGED_MODE (another apartment kind already) is a
// failure that must not be balanced, though COM is then usable all the same.
class ComLibrary {
public:
    explicit ComLibrary(DWORD flags = COINIT_APARTMENTTHREADED) : result_(CoInitializeEx(nullptr, flags)) {}
    ~ComLibrary() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComLibrary(const ComLibrary&) = delete;
    ComLibrary& operator=(const ComLibrary&) = delete;
    // The thread is in the apartment asked for.
    bool initialised() const { return SUCCEEDED(result_); }
    // COM can be called: initialised here, or earlier in another apartment kind.
    bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

// One reference to a COM interface, released with the guard. It must be gone before the ComLibrary guard
// that the object was made under: declare that guard first.
template <typename Interface>
class ComObject {
public:
    ComObject() = default;
    ~ComObject() {
        if (object_) object_->Release();
    }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;
    Interface* get() const { return object_; }
    Interface* operator->() const { return object_; }
    // Where CoCreateInstance or QueryInterface write the new reference.
    void** out() { return reinterpret_cast<void**>(&object_); }

private:
    Interface* object_ = nullptr;
};

template <typename Pointer> bool freeTaskMemory(Pointer memory) {
    CoTaskMemFree(memory);
    return true;
}

// Memory that COM or the shell hands out from the COM task allocator (an item-id list of the folder
// browser): CoTaskMemFree, not free, delete or LocalFree.
template <typename Pointer> using TaskMemory = Owned<Pointer, freeTaskMemory<Pointer>>;

} // namespace platform::win32
