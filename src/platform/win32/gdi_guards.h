#pragma once
// Guards for GDI objects and memory DCs, shared by the icon code and the owner-drawn menu.
#include <windows.h>

namespace platform::win32 {

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

} // namespace platform::win32
