#pragma once
// The non-copyable guards of the Win32 side, one per handle kind, each freeing its handle the one way
// that handle is freed. The comment of each names the trap it is there for. The guards of handles that
// the portable code holds (fonts, icons) are in platform/guards.h.
#include <windows.h>
#include <objbase.h>

namespace platform::win32 {

// ---- Kernel handles ---------------------------------------------------------------------------------

// A file opened by CreateFileW. Its failure value is INVALID_HANDLE_VALUE, not 0, so a test for null
// alone would "close" an invalid handle; both count as none here.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : handle_(h) {}
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// A folder search. FindFirstFileW fails with INVALID_HANDLE_VALUE, not 0, and its handle is closed by
// FindClose, not CloseHandle.
class FindHandle {
public:
    explicit FindHandle(HANDLE h) : handle_(h) {}
    ~FindHandle() {
        if (valid()) FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// ---- Window-system objects --------------------------------------------------------------------------

// An accelerator table. Windows does not free it with the window it serves: DestroyAcceleratorTable is
// ours to call, also for every table replaced by a rebuilt one.
class AcceleratorTable {
public:
    AcceleratorTable() = default;
    ~AcceleratorTable() { reset(nullptr); }
    AcceleratorTable(const AcceleratorTable&) = delete;
    AcceleratorTable& operator=(const AcceleratorTable&) = delete;
    void reset(HACCEL table) {
        if (handle_) DestroyAcceleratorTable(handle_);
        handle_ = table;
    }
    HACCEL get() const { return handle_; }

private:
    HACCEL handle_ = nullptr;
};

// ---- GDI ----------------------------------------------------------------------------------------------

// A bitmap, brush or font: freed with DeleteObject, not DestroyIcon or CloseHandle, and never while it
// is still selected into a DC. GetIconInfo hands out two new bitmaps that leak without this.
template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle h) : handle_(h) {}
    ~GdiObject() { reset(nullptr); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    void reset(Handle h) {
        if (handle_) DeleteObject(handle_);
        handle_ = h;
    }
    Handle get() const { return handle_; }

private:
    Handle handle_ = nullptr;
};

// A memory DC compatible with the screen; DeleteDC, not ReleaseDC, frees it.
class MemoryDc {
public:
    MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
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

// Memory that COM or the shell hands out from the COM task allocator (an item-id list of the folder
// browser): CoTaskMemFree, not free, delete or LocalFree.
template <typename Pointer>
class TaskMemory {
public:
    explicit TaskMemory(Pointer memory) : memory_(memory) {}
    ~TaskMemory() {
        if (memory_) CoTaskMemFree(memory_);
    }
    TaskMemory(const TaskMemory&) = delete;
    TaskMemory& operator=(const TaskMemory&) = delete;
    Pointer get() const { return memory_; }

private:
    Pointer memory_;
};

} // namespace platform::win32
