// Move-only owners for Windows handles: each handle is released exactly once, by its owner.
#pragma once

#include <windows.h>

template <class Handle, class Close>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : handle_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        reset(other.release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle(); }
    Handle release() {
        Handle handle = handle_;
        handle_ = Handle();
        return handle;
    }
    void reset(Handle handle = Handle()) {
        if (handle_ != Handle()) Close()(handle_);
        handle_ = handle;
    }

private:
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
struct CloseWindow {
    void operator()(HWND window) const { DestroyWindow(window); }
};

using OwnedIcon = Owned<HICON, CloseIcon>;
using OwnedFont = Owned<HFONT, CloseGdiObject>;
using OwnedBrush = Owned<HBRUSH, CloseGdiObject>;
using OwnedModule = Owned<HMODULE, CloseModule>;
using OwnedWindow = Owned<HWND, CloseWindow>;
