// Captures of real windows under the real cursor, through the real loader and user32.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>

#include "probe/window_probe.h"

namespace {

constexpr const char* topClassName = "ProbeTestTopLevel";
constexpr const char* childClassName = "ProbeTestChild";
constexpr int childControlId = 0x4D2;
constexpr DWORD childStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPSIBLINGS;

void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// SetCursorPos does not always reach the X pointer under Wine: nudging one pixel off first
// and reading the position back makes the move take effect.
bool moveCursorTo(POINT target) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        SetCursorPos(target.x + 1, target.y);
        SetCursorPos(target.x, target.y);
        pumpMessages();
        POINT now = {};
        if (GetCursorPos(&now) && now.x == target.x && now.y == target.y)
            return true;
        Sleep(20);
    }
    return false;
}

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

class RegisteredClass {
public:
    RegisteredClass(const char* name, HBRUSH background) : name_(name) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        windowClass.hbrBackground = background;
        windowClass.lpszClassName = name;
        atom_ = RegisterClassA(&windowClass);
    }
    ~RegisteredClass() {
        if (atom_ != 0)
            UnregisterClassA(name_, GetModuleHandleA(nullptr));
    }
    RegisteredClass(const RegisteredClass&) = delete;
    RegisteredClass& operator=(const RegisteredClass&) = delete;
    ATOM atom() const { return atom_; }

private:
    const char* name_;
    ATOM atom_ = 0;
};

class RealCaptureTest : public testing::Test {
protected:
    RealCaptureTest()
        : topClass_(topClassName, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
          childClass_(childClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) {}

    // A topmost window in the middle of the screen with one child of a known ID.
    void createWindows(const std::string& childTitle) {
        top_.reset(CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, topClassName, "Probe top",
                                   WS_POPUP | WS_VISIBLE, 300, 200, 400, 300, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr));
        ASSERT_NE(top_, nullptr);
        child_ = CreateWindowExA(0, childClassName, childTitle.c_str(), childStyle, 40, 30, 250,
                                 150, top_.get(), reinterpret_cast<HMENU>(childControlId),
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(child_, nullptr);
        SetForegroundWindow(top_.get());
        pumpMessages();
    }

    FatalErrorHandler failOnError() {
        return [](std::string_view message, int32_t code) {
            ADD_FAILURE() << "fatal error " << code << ": " << std::string(message);
        };
    }

    RegisteredClass topClass_;
    RegisteredClass childClass_;
    OwnedWindow top_;       // owns child_ too
    HWND child_ = nullptr;  // not owned
};

TEST_F(RealCaptureTest, CapturesTheWindowUnderTheCursor) {
    struct Case {
        const char* name;
        std::string title;
        std::string expectedTitle;
    };
    const std::string longTitle = [] {
        std::string text;
        for (int i = 0; i < 300; ++i)
            text += static_cast<char>('A' + i % 26);
        return text;
    }();
    const Case cases[] = {
        {"plain title", "Probe target 探针", "Probe target 探针"},
        {"300-byte title arrives as its first 254 bytes", longTitle, longTitle.substr(0, 254)},
        {"empty title", "", ""},
    };
    ASSERT_NE(childClass_.atom(), 0);
    WindowProbe probe(failOnError());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        createWindows(c.title);
        RECT expectedRect = {};
        GetWindowRect(child_, &expectedRect);
        const POINT centre = {(expectedRect.left + expectedRect.right) / 2,
                              (expectedRect.top + expectedRect.bottom) / 2};
        ASSERT_TRUE(moveCursorTo(centre));

        const WindowSnapshot snapshot = probe.captureUnderCursor();

        EXPECT_EQ(snapshot.handle, reinterpret_cast<uintptr_t>(child_));
        EXPECT_EQ(snapshot.title, c.expectedTitle);
        EXPECT_EQ(snapshot.className, childClassName);
        EXPECT_EQ(snapshot.classAtom, GetClassLongA(child_, GCW_ATOM));
        EXPECT_EQ(snapshot.classAtom & 0xFFFF, childClass_.atom());
        EXPECT_EQ(snapshot.style, static_cast<uint32_t>(GetWindowLongA(child_, GWL_STYLE)));
        EXPECT_EQ(snapshot.style & childStyle, childStyle);
        EXPECT_EQ(snapshot.controlId, static_cast<uint32_t>(childControlId));
        EXPECT_EQ(snapshot.rect.left, expectedRect.left);
        EXPECT_EQ(snapshot.rect.top, expectedRect.top);
        EXPECT_EQ(snapshot.rect.right, expectedRect.right);
        EXPECT_EQ(snapshot.rect.bottom, expectedRect.bottom);
        top_.reset();
        pumpMessages();
    }
    probe.releaseModules();
}

TEST_F(RealCaptureTest, ReadsTheTopLevelWindowOutsideItsChild) {
    createWindows("child");
    RECT topRect = {};
    GetWindowRect(top_.get(), &topRect);
    ASSERT_TRUE(moveCursorTo({topRect.left + 10, topRect.bottom - 10}));

    WindowProbe probe(failOnError());
    const WindowSnapshot snapshot = probe.captureUnderCursor();

    EXPECT_EQ(snapshot.handle, reinterpret_cast<uintptr_t>(top_.get()));
    EXPECT_EQ(snapshot.title, "Probe top");
    EXPECT_EQ(snapshot.className, topClassName);
    EXPECT_EQ(snapshot.classAtom & 0xFFFF, topClass_.atom());
    // A top-level window has no control ID: GWL_ID reads its menu, which is none.
    EXPECT_EQ(snapshot.controlId, 0u);
    EXPECT_EQ(snapshot.rect.left, topRect.left);
    EXPECT_EQ(snapshot.rect.bottom, topRect.bottom);
}

}  // namespace
