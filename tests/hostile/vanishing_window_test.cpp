// A window destroyed between two of the probe's queries, made certain with a hook: the
// probe's loader seam hands out wrappers of the seven user32 functions, and the wrapper of
// one query destroys the window right after that query. The real capture path then shows
// the live values read before and the values of an invalid handle read after.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "bench/in_process_inspector.h"
#include "tests/e2e/harness.h"
#include "tests/hostile/capture_oracle.h"

namespace {

constexpr RECT kTargetRect{40, 40, 240, 160};
constexpr POINT kTargetPoint{140, 100};

// The queries in the probe's order; the window vanishes right after the named one.
enum Query { windowFromPoint, windowText, className, classLong, style, controlId, windowRect };

struct Race {
    HWND target = nullptr;
    Query destroyAfter = windowFromPoint;
    bool destroyed = false;
};
Race race;

void after(Query query) {
    if (race.destroyed || query != race.destroyAfter)
        return;
    DestroyWindow(race.target);
    race.destroyed = true;
}

BOOL WINAPI hookGetCursorPos(LPPOINT point) {
    return GetCursorPos(point);
}
HWND WINAPI hookWindowFromPoint(POINT point) {
    HWND found = WindowFromPoint(point);
    after(windowFromPoint);
    return found;
}
int WINAPI hookGetWindowTextA(HWND window, LPSTR text, int size) {
    const int length = GetWindowTextA(window, text, size);
    after(windowText);
    return length;
}
int WINAPI hookGetClassNameA(HWND window, LPSTR name, int size) {
    const int length = GetClassNameA(window, name, size);
    after(className);
    return length;
}
DWORD WINAPI hookGetClassLongA(HWND window, int index) {
    const DWORD value = GetClassLongA(window, index);
    after(classLong);
    return value;
}
LONG WINAPI hookGetWindowLongA(HWND window, int index) {
    const LONG value = GetWindowLongA(window, index);
    after(index == GWL_STYLE ? style : controlId);
    return value;
}
BOOL WINAPI hookGetWindowRect(HWND window, LPRECT rect) {
    const BOOL done = GetWindowRect(window, rect);
    after(windowRect);
    return done;
}

// Function pointers pass through void* because FARPROC's own signature is a placeholder.
template <class Function>
FARPROC asFarProc(Function function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
}

// The real lookup decides whether a module has the function (the probe searches several
// libraries for one entry); only a found user32 function is swapped for its wrapper.
FARPROC WINAPI hookedGetProcAddress(HMODULE module, LPCSTR name) {
    const FARPROC real = GetProcAddress(module, name);
    if (real == nullptr)
        return nullptr;
    const struct {
        const char* name;
        FARPROC hook;
    } hooks[] = {
        {"GetCursorPos", asFarProc(hookGetCursorPos)},
        {"WindowFromPoint", asFarProc(hookWindowFromPoint)},
        {"GetWindowTextA", asFarProc(hookGetWindowTextA)},
        {"GetClassNameA", asFarProc(hookGetClassNameA)},
        {"GetClassLongA", asFarProc(hookGetClassLongA)},
        {"GetWindowLongA", asFarProc(hookGetWindowLongA)},
        {"GetWindowRect", asFarProc(hookGetWindowRect)},
    };
    for (const auto& hook : hooks) {
        if (std::strcmp(hook.name, name) == 0)
            return hook.hook;
    }
    return real;
}

const LibraryApi kHookedApi{LoadLibraryA, hookedGetProcAddress, FreeLibrary};

HWND createTarget() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = "VanishingWindow";
    RegisterClassA(&windowClass);
    return CreateWindowExA(
        WS_EX_TOPMOST | WS_EX_NOACTIVATE, "VanishingWindow", "vanishing", WS_POPUP | WS_VISIBLE,
        kTargetRect.left, kTargetRect.top, kTargetRect.right - kTargetRect.left,
        kTargetRect.bottom - kTargetRect.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

std::string boxText(HWND box) {
    char text[300] = {};
    GetWindowTextA(box, text, sizeof text);
    return text;
}

TEST(VanishingWindow, QueriesAfterTheDestructionShowAnInvalidHandlesValues) {
    InProcessInspector inspector(kHookedApi);
    ASSERT_TRUE(inspector.created());
    ASSERT_TRUE(e2e::moveCursor(kTargetPoint));
    const std::array<HWND, 7> boxes = {
        inspector.editBoxWindow(EditBox::editBox7), inspector.editBoxWindow(EditBox::editBox1),
        inspector.editBoxWindow(EditBox::editBox2), inspector.editBoxWindow(EditBox::editBox3),
        inspector.editBoxWindow(EditBox::editBox4), inspector.editBoxWindow(EditBox::editBox5),
        inspector.editBoxWindow(EditBox::editBox8)};
    const char* const names[] = {
        "WindowFromPoint",           "GetWindowTextA",         "GetClassNameA", "GetClassLongA",
        "GetWindowLongA(GWL_STYLE)", "GetWindowLongA(GWL_ID)", "GetWindowRect"};

    for (const Query destroyAfter :
         {windowFromPoint, windowText, className, classLong, style, controlId, windowRect}) {
        race = Race{createTarget(), destroyAfter, false};
        ASSERT_NE(race.target, nullptr);
        InProcessInspector::pumpMessages();
        ASSERT_EQ(WindowFromPoint(kTargetPoint), race.target);
        const hostile::Queried live = hostile::queryWindow(race.target);

        inspector.controller().onTick();
        ASSERT_TRUE(race.destroyed) << names[destroyAfter];
        const hostile::Queried dead = hostile::queryWindow(race.target);

        // Fields read up to the destruction are live; the others are an invalid handle's.
        hostile::Queried expected = live;
        if (destroyAfter < windowText)
            expected.title = dead.title;
        if (destroyAfter < className)
            expected.className = dead.className;
        if (destroyAfter < classLong)
            expected.atom = dead.atom;
        if (destroyAfter < style)
            expected.style = dead.style;
        if (destroyAfter < controlId)
            expected.id = dead.id;
        if (destroyAfter < windowRect)
            expected.rect = dead.rect;
        const e2e::CaptureTexts wanted = hostile::shownFor(expected);
        e2e::CaptureTexts shown;
        for (size_t i = 0; i < boxes.size(); ++i)
            shown[i] = boxText(boxes[i]);
        EXPECT_EQ(shown, wanted) << "destroyed after " << names[destroyAfter] << "\n  shown "
                                 << e2e::describe(shown) << "\n  wanted " << e2e::describe(wanted);
        std::printf("[vanishing] destroyed after %-26s %s\n", names[destroyAfter],
                    e2e::describe(shown).c_str());
    }
    EXPECT_TRUE(inspector.fatalErrors().empty());
    UnregisterClassA("VanishingWindow", GetModuleHandleA(nullptr));
}

}  // namespace
