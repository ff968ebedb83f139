#pragma once
// Guards for COM: the library's initialisation on this thread and the interface pointers it hands out.
#include <windows.h>
#include <objbase.h>

namespace platform::win32 {

// CoInitialize for the life of the guard. S_FALSE ("already initialised on this thread") is a success and
// needs its CoUninitialize as well, so the test is SUCCEEDED, not == S_OK; RPC_E_CHANGED_MODE (another
// apartment kind) is a failure that must not be balanced.
class ComLibrary {
public:
    ComLibrary() : result_(CoInitialize(nullptr)) {}
    ~ComLibrary() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComLibrary(const ComLibrary&) = delete;
    ComLibrary& operator=(const ComLibrary&) = delete;

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

} // namespace platform::win32
