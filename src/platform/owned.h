#pragma once
// One non-copyable guard for every kind of handle that is freed by one call: Owned<Handle, free> frees
// its handle with free when it goes or is replaced. Each use names its trap where it is declared.
#include <utility>

namespace platform {

// By default a handle is held when it is not the empty value; a kind with another failure value says so.
template <typename Handle> constexpr bool notEmpty(Handle handle) { return static_cast<bool>(handle); }

template <typename Handle, auto free, auto held = notEmpty<Handle>>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    void reset(Handle handle = Handle{}) {
        if (held(handle_)) free(handle_);
        handle_ = handle;
    }
    // Frees the handle now and says whether that worked: for a close whose failure matters.
    bool close() {
        const Handle handle = std::exchange(handle_, Handle{});
        return held(handle) && free(handle);
    }
    Handle get() const { return handle_; }
    bool valid() const { return held(handle_); }

private:
    Handle handle_{};
};

} // namespace platform
