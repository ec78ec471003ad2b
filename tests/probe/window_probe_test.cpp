// Binding by name through a counting fake loader, and the eight calls of a capture made to
// recording functions of the Windows declarations' types.
#include "probe/window_probe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace {

// --- the fake user32: one window, every call written to the shared log

struct FakeWindow {
    POINT cursor = {321, 123};
    HWND handle = reinterpret_cast<HWND>(0xA0B2C);
    const char* title = "Fake title";  // nullptr: the query writes nothing
    const char* className = "FakeClass";
    DWORD classAtom = 0xC1A4;
    LONG style = static_cast<LONG>(0x94CF0000);
    LONG controlId = -1;
    bool writesRect = true;
    RECT rect = {-8, -8, 1288, 1008};
};

struct FakeState {
    FakeWindow window;
    std::vector<std::string> log;  // loader events and calls, in order
};
FakeState* fake = nullptr;

std::string handleText(HWND window) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%lX",
                  static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)));
    return text;
}

// The receive buffer must arrive as 255 blanks followed by a NUL.
const char* bufferText(const char* buffer) {
    return std::string(buffer, 256) == std::string(255, ' ') + '\0' ? "blank buffer"
                                                                    : "dirty buffer";
}

void copyText(const char* text, LPSTR buffer, int size) {
    if (text == nullptr || size <= 0)
        return;
    const size_t length = std::min(std::strlen(text), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
}

void logCall(const std::string& call) {
    fake->log.push_back(call);
}

BOOL WINAPI fakeGetCursorPos(LPPOINT point) {
    logCall("GetCursorPos");
    *point = fake->window.cursor;
    return TRUE;
}

HWND WINAPI fakeWindowFromPoint(POINT point) {
    logCall("WindowFromPoint(" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")");
    return fake->window.handle;
}

int WINAPI fakeGetWindowTextA(HWND window, LPSTR buffer, int size) {
    logCall("GetWindowTextA(" + handleText(window) + ", " + bufferText(buffer) + ", " +
            std::to_string(size) + ")");
    copyText(fake->window.title, buffer, size);
    return 0;
}

int WINAPI fakeGetClassNameA(HWND window, LPSTR buffer, int size) {
    logCall("GetClassNameA(" + handleText(window) + ", " + bufferText(buffer) + ", " +
            std::to_string(size) + ")");
    copyText(fake->window.className, buffer, size);
    return 0;
}

DWORD WINAPI fakeGetClassLongA(HWND window, int index) {
    logCall("GetClassLongA(" + handleText(window) + ", " + std::to_string(index) + ")");
    return index == GCW_ATOM ? fake->window.classAtom : 0;
}

LONG WINAPI fakeGetWindowLongA(HWND window, int index) {
    logCall("GetWindowLongA(" + handleText(window) + ", " + std::to_string(index) + ")");
    if (index == GWL_STYLE)
        return fake->window.style;
    if (index == GWL_ID)
        return fake->window.controlId;
    return 0;
}

BOOL WINAPI fakeGetWindowRect(HWND window, LPRECT rect) {
    logCall("GetWindowRect(" + handleText(window) + ")");
    if (fake->window.writesRect)
        *rect = fake->window.rect;
    return TRUE;
}

// The wrong calling convention: leaves its arguments on the stack.
int __cdecl cdeclGetWindowTextA(HWND window, LPSTR, int) {
    logCall("cdecl GetWindowTextA(" + handleText(window) + ")");
    return 0;
}

static_assert(std::is_same_v<decltype(&fakeGetCursorPos), GetCursorPosFunction>);
static_assert(std::is_same_v<decltype(&fakeWindowFromPoint), WindowFromPointFunction>);
static_assert(std::is_same_v<decltype(&fakeGetWindowTextA), GetWindowTextFunction>);
static_assert(std::is_same_v<decltype(&fakeGetClassNameA), GetClassNameFunction>);
static_assert(std::is_same_v<decltype(&fakeGetClassLongA), GetClassLongFunction>);
static_assert(std::is_same_v<decltype(&fakeGetWindowLongA), GetWindowLongFunction>);
static_assert(std::is_same_v<decltype(&fakeGetWindowRect), GetWindowRectFunction>);

template <class Function>
FARPROC procAddress(Function function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(function));
}

// --- the fake loader: a new handle per load, exports per lower-case file name

std::string lowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string fileNamePart(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderPart(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

struct FakeLoader {
    std::map<std::string, std::map<std::string, FARPROC>> exports;
    std::set<std::string> failingLoads;  // lower-case file names
    std::vector<std::string> loadedPaths;
    std::map<HMODULE, std::string> open;  // handles loaded and not yet freed
    std::vector<std::string> faults;      // use of handles that are not open
    uintptr_t lastHandle = 0x70000000;
};
FakeLoader* loader = nullptr;

HMODULE WINAPI fakeLoadLibraryA(LPCSTR path) {
    loader->loadedPaths.push_back(path);
    const std::string file = fileNamePart(path);
    fake->log.push_back("load " + file);
    const std::string key = lowerCase(file);
    if (loader->failingLoads.count(key) != 0 || loader->exports.count(key) == 0)
        return nullptr;
    loader->lastHandle += 0x10000;
    const HMODULE module = reinterpret_cast<HMODULE>(loader->lastHandle);
    loader->open[module] = file;
    return module;
}

FARPROC WINAPI fakeGetProcAddress(HMODULE module, LPCSTR name) {
    const auto found = loader->open.find(module);
    if (found == loader->open.end()) {
        loader->faults.push_back(std::string("lookup in a module not open: ") + name);
        return nullptr;
    }
    fake->log.push_back("find " + found->second + " " + name);
    const auto& functions = loader->exports[lowerCase(found->second)];
    const auto function = functions.find(name);
    return function == functions.end() ? nullptr : function->second;
}

BOOL WINAPI fakeFreeLibrary(HMODULE module) {
    const auto found = loader->open.find(module);
    if (found == loader->open.end()) {
        loader->faults.push_back("free of a module not open");
        return FALSE;
    }
    fake->log.push_back("free " + found->second);
    loader->open.erase(found);
    return TRUE;
}

const LibraryApi fakeApi = {&fakeLoadLibraryA, &fakeGetProcAddress, &fakeFreeLibrary};

struct FatalError {
    std::string message;
    int32_t code;
};

// The eight calls of one capture of the fake window.
std::vector<std::string> captureCalls(const std::string& handle, const std::string& point) {
    return {
        "GetCursorPos",
        "WindowFromPoint(" + point + ")",
        "GetWindowTextA(" + handle + ", blank buffer, 255)",
        "GetClassNameA(" + handle + ", blank buffer, 255)",
        "GetClassLongA(" + handle + ", -32)",
        "GetWindowLongA(" + handle + ", -16)",
        "GetWindowLongA(" + handle + ", -12)",
        "GetWindowRect(" + handle + ")",
    };
}

std::string systemFolder() {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder, length);
}

class WindowProbeTest : public testing::Test {
protected:
    WindowProbeTest() {
        fake = &state_;
        loader = &loader_;
        for (const char* library : systemLibraries)
            loader_.exports[lowerCase(library)];
        loader_.exports["user32.dll"] = {
            {"GetCursorPos", procAddress(&fakeGetCursorPos)},
            {"WindowFromPoint", procAddress(&fakeWindowFromPoint)},
            {"GetWindowTextA", procAddress(&fakeGetWindowTextA)},
            {"GetClassNameA", procAddress(&fakeGetClassNameA)},
            {"GetClassLongA", procAddress(&fakeGetClassLongA)},
            {"GetWindowLongA", procAddress(&fakeGetWindowLongA)},
            {"GetWindowRect", procAddress(&fakeGetWindowRect)},
        };
    }
    ~WindowProbeTest() override {
        EXPECT_TRUE(loader_.faults.empty()) << loader_.faults.front();
        fake = nullptr;
        loader = nullptr;
    }

    FatalErrorHandler recordErrors() {
        return [this](std::string_view message, int32_t code) {
            errors_.push_back({std::string(message), code});
        };
    }

    FakeState state_;
    FakeLoader loader_;
    std::vector<FatalError> errors_;
};

TEST_F(WindowProbeTest, FirstCaptureBindsEachEntryAtItsFirstCall) {
    WindowProbe probe(recordErrors(), fakeApi);
    const WindowSnapshot snapshot = probe.captureUnderCursor();

    const std::vector<std::string> calls = captureCalls("0xA0B2C", "321, 123");
    const std::vector<std::string> expected = {
        "load user32.dll",
        "find user32.dll GetCursorPos",
        calls[0],
        "load user32.dll",
        "find user32.dll WindowFromPoint",
        calls[1],
        "load user32.dll",
        "find user32.dll GetWindowTextA",
        calls[2],
        "load user32.dll",
        "find user32.dll GetClassNameA",
        calls[3],
        // No library named: the system libraries are searched in order, and those that
        // lack the function are released at once.
        "load Kernel32.dll",
        "find Kernel32.dll GetClassLongA",
        "free Kernel32.dll",
        "load Gdi32.dll",
        "find Gdi32.dll GetClassLongA",
        "free Gdi32.dll",
        "load User32.dll",
        "find User32.dll GetClassLongA",
        calls[4],
        "load user32.dll",
        "find user32.dll GetWindowLongA",
        calls[5],
        // The ID query reuses the address bound for the style query.
        calls[6],
        "load user32.dll",
        "find user32.dll GetWindowRect",
        calls[7],
    };
    EXPECT_EQ(state_.log, expected);
    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(loader_.open.size(), 7u) << "each entry keeps its own module";

    // Every library comes from the system folder, never from a search that could find a
    // planted file beside the program or in the current folder.
    for (const std::string& path : loader_.loadedPaths)
        EXPECT_EQ(folderPart(path), systemFolder());

    EXPECT_EQ(snapshot.handle, 0xA0B2Cu);
    EXPECT_EQ(snapshot.title, "Fake title");
    EXPECT_EQ(snapshot.className, "FakeClass");
    EXPECT_EQ(snapshot.classAtom, 0xC1A4u);
    EXPECT_EQ(snapshot.style, 0x94CF0000u);
    EXPECT_EQ(snapshot.controlId, 0xFFFFFFFFu);
    EXPECT_EQ(snapshot.rect.left, -8);
    EXPECT_EQ(snapshot.rect.top, -8);
    EXPECT_EQ(snapshot.rect.right, 1288);
    EXPECT_EQ(snapshot.rect.bottom, 1008);
}

TEST_F(WindowProbeTest, LaterCapturesLoadAndLookUpNothing) {
    WindowProbe probe(recordErrors(), fakeApi);
    probe.captureUnderCursor();
    state_.log.clear();
    state_.window.cursor = {5, 6};

    probe.captureUnderCursor();
    probe.captureUnderCursor();

    std::vector<std::string> expected = captureCalls("0xA0B2C", "5, 6");
    const std::vector<std::string> again = expected;
    expected.insert(expected.end(), again.begin(), again.end());
    EXPECT_EQ(state_.log, expected);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(WindowProbeTest, NoWindowAtTheCursorStillMakesAllEightCalls) {
    state_.window.handle = nullptr;
    state_.window.title = nullptr;
    state_.window.className = nullptr;
    state_.window.writesRect = false;
    WindowProbe probe(recordErrors(), fakeApi);
    probe.captureUnderCursor();
    state_.log.clear();

    const WindowSnapshot snapshot = probe.captureUnderCursor();

    EXPECT_EQ(state_.log, captureCalls("0x0", "321, 123"));
    EXPECT_EQ(snapshot.handle, 0u);
    // What the calls left: the untouched buffers are the 255 blanks, the rectangle zeros.
    EXPECT_EQ(snapshot.title, std::string(255, ' '));
    EXPECT_EQ(snapshot.className, std::string(255, ' '));
    EXPECT_EQ(snapshot.rect.left, 0);
    EXPECT_EQ(snapshot.rect.top, 0);
    EXPECT_EQ(snapshot.rect.right, 0);
    EXPECT_EQ(snapshot.rect.bottom, 0);
}

TEST_F(WindowProbeTest, FatalErrorsStopTheCaptureWhereTheyHappen) {
    struct Case {
        const char* name;
        std::function<void(FakeLoader&)> arrange;
        int32_t code;
        std::vector<std::string> messageHas;
        std::vector<std::string> messageLacks;
        size_t callsMade;  // of the eight, counted from the start
        uint32_t handle;   // as far as the capture got
        std::string title;
        size_t modulesKept;
    };
    const std::string unbalanced = WindowProbe::unbalancedStackMessage;
    const std::string blanks(255, ' ');
    const Case cases[] = {
        // clang-format off
        {"named library lacks the function",
         [](FakeLoader& l) { l.exports["user32.dll"].erase("GetWindowTextA"); },
         0, {"user32.dll", "GetWindowTextA"}, {}, 2, 0xA0B2C, blanks, 2},
        {"named library does not load",
         [](FakeLoader& l) { l.failingLoads.insert("user32.dll"); },
         0, {"user32.dll", "GetCursorPos"}, {}, 0, 0, blanks, 0},
        {"function in none of the system libraries",
         [](FakeLoader& l) { l.exports["user32.dll"].erase("GetClassLongA"); },
         0, {"GetClassLongA"}, {".dll", "Kernel32", "User32"}, 4, 0xA0B2C, "Fake title", 4},
        {"stack unbalanced by a cdecl function",
         [](FakeLoader& l) {
             l.exports["user32.dll"]["GetWindowTextA"] = procAddress(&cdeclGetWindowTextA);
         },
         6, {unbalanced}, {}, 2, 0xA0B2C, blanks, 3},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeState state;
        fake = &state;
        FakeLoader cleanLoader = loader_;
        loader = &cleanLoader;
        c.arrange(cleanLoader);
        errors_.clear();
        {
            WindowProbe probe(recordErrors(), fakeApi);
            const WindowSnapshot snapshot = probe.captureUnderCursor();

            ASSERT_EQ(errors_.size(), 1u);
            EXPECT_EQ(errors_[0].code, c.code);
            for (const std::string& piece : c.messageHas) {
                EXPECT_NE(errors_[0].message.find(piece), std::string::npos) << piece;
            }
            for (const std::string& piece : c.messageLacks) {
                EXPECT_EQ(errors_[0].message.find(piece), std::string::npos) << piece;
            }
            std::vector<std::string> calls;
            for (const std::string& line : state.log) {
                if (line.rfind("load ", 0) != 0 && line.rfind("find ", 0) != 0 &&
                    line.rfind("free ", 0) != 0) {
                    calls.push_back(line);
                }
            }
            std::vector<std::string> expectedCalls = captureCalls("0xA0B2C", "321, 123");
            expectedCalls.resize(c.callsMade);
            if (c.code == WindowProbe::unbalancedStackErrorCode) {
                expectedCalls.push_back("cdecl GetWindowTextA(0xA0B2C)");
            }
            EXPECT_EQ(calls, expectedCalls);
            EXPECT_EQ(snapshot.handle, c.handle);
            EXPECT_EQ(snapshot.title, c.title);
            EXPECT_EQ(cleanLoader.open.size(), c.modulesKept)
                << "a module that did not supply its function is released at once";
        }
        EXPECT_TRUE(cleanLoader.open.empty());
        EXPECT_TRUE(cleanLoader.faults.empty());
    }
    fake = &state_;
    loader = &loader_;
}

TEST_F(WindowProbeTest, SearchedLibraryThatFailsToLoadIsSkipped) {
    loader_.failingLoads.insert("kernel32.dll");
    WindowProbe probe(recordErrors(), fakeApi);
    const WindowSnapshot snapshot = probe.captureUnderCursor();

    EXPECT_TRUE(errors_.empty());
    EXPECT_EQ(snapshot.classAtom, 0xC1A4u);
    const std::vector<std::string>& log = state_.log;
    const auto kernel32 = std::find(log.begin(), log.end(), "load Kernel32.dll");
    ASSERT_NE(kernel32, log.end());
    EXPECT_EQ(*(kernel32 + 1), "load Gdi32.dll");
}

TEST_F(WindowProbeTest, ThrowingErrorHandlerUnwindsWithoutLeakingModules) {
    loader_.exports["user32.dll"].erase("GetClassLongA");
    {
        WindowProbe probe([](std::string_view, int32_t) { throw std::runtime_error("fatal"); },
                          fakeApi);
        EXPECT_THROW(probe.captureUnderCursor(), std::runtime_error);
        EXPECT_EQ(loader_.open.size(), 4u);
        EXPECT_EQ(std::count(state_.log.begin(), state_.log.end(), "GetWindowLongA(0xA0B2C, -16)"),
                  0);
    }
    EXPECT_TRUE(loader_.open.empty());
}

TEST_F(WindowProbeTest, ReleaseModulesFreesEachKeptModuleOnce) {
    WindowProbe probe(recordErrors(), fakeApi);
    probe.captureUnderCursor();
    const std::map<HMODULE, std::string> kept = loader_.open;
    ASSERT_EQ(kept.size(), 7u);
    state_.log.clear();

    probe.releaseModules();

    const std::vector<std::string> expected = {
        "free user32.dll", "free user32.dll", "free user32.dll", "free user32.dll",
        "free User32.dll", "free user32.dll", "free user32.dll",
    };
    EXPECT_EQ(state_.log, expected);
    EXPECT_TRUE(loader_.open.empty());

    // Nothing is left to free, and the entries are unbound: a capture binds them again.
    state_.log.clear();
    probe.releaseModules();
    EXPECT_TRUE(state_.log.empty());
    probe.captureUnderCursor();
    EXPECT_EQ(loader_.open.size(), 7u);
    EXPECT_TRUE(errors_.empty());
}

TEST_F(WindowProbeTest, DestructorReleasesEveryKeptModule) {
    {
        WindowProbe probe(recordErrors(), fakeApi);
        probe.captureUnderCursor();
        EXPECT_EQ(loader_.open.size(), 7u);
    }
    EXPECT_TRUE(loader_.open.empty());
}

TEST(SystemLibraryPath, NamesTheFileInTheSystemFolder) {
    EXPECT_EQ(systemLibraryPath("user32.dll"), systemFolder() + "\\user32.dll");
}

}  // namespace
