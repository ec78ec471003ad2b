// Move-only owners for Windows handles: each handle is released exactly once, by its owner.
// Each handle kind also counts the handles its owners hold, since Wine reports no GDI or
// USER object counts (GetGuiResources gives 0 there) and leak checks need a figure.
#pragma once

#include <windows.h>

#include <atomic>

// How many handles of the kind closed by Close are held by owners right now.
template <class Close>
struct LiveHandleCount {
    static inline std::atomic<long> count{0};
};

template <class Close>
long liveHandles() {
    return LiveHandleCount<Close>::count.load(std::memory_order_relaxed);
}

template <class Handle, class Close>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) { adopt(handle); }
    ~Owned() { reset(); }
    // A move hands the handle over without a change in the count.
    Owned(Owned&& other) noexcept : handle_(other.handle_) { other.handle_ = Handle(); }
    Owned& operator=(Owned&& other) noexcept {
        reset(other.release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle(); }
    // The caller owns the handle from now on; it no longer counts as held.
    Handle release() {
        Handle handle = handle_;
        if (handle != Handle())
            LiveHandleCount<Close>::count.fetch_sub(1, std::memory_order_relaxed);
        handle_ = Handle();
        return handle;
    }
    void reset(Handle handle = Handle()) {
        if (handle_ != Handle()) {
            Close()(handle_);
            LiveHandleCount<Close>::count.fetch_sub(1, std::memory_order_relaxed);
        }
        handle_ = handle;
        adopt(handle);
    }

private:
    static void adopt(Handle handle) {
        if (handle != Handle())
            LiveHandleCount<Close>::count.fetch_add(1, std::memory_order_relaxed);
    }

    Handle handle_ = Handle();
};

struct CloseIcon {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct CloseGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct CloseModule {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
// Not named CloseWindow: the user32 function of that name would hide the struct.
struct CloseWindowHandle {
    void operator()(HWND window) const { DestroyWindow(window); }
};

using OwnedIcon = Owned<HICON, CloseIcon>;
using OwnedFont = Owned<HFONT, CloseGdiObject>;
using OwnedBrush = Owned<HBRUSH, CloseGdiObject>;
using OwnedModule = Owned<HMODULE, CloseModule>;
using OwnedWindow = Owned<HWND, CloseWindowHandle>;
