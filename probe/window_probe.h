// The window probe: reads the window under the cursor through user32 functions that are
// bound by name at their first use, each call checked for a balanced stack.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "core/window_snapshot.h"
#include "probe/function_binding.h"
#include "probe/library_api.h"

// Reports a fatal error (message, error code). In the program it never returns (runTimeError).
using FatalErrorHandler = std::function<void(std::string_view message, int32_t errorCode)>;

class WindowProbe {
public:
    static constexpr int32_t bindingErrorCode = 0;
    static constexpr int32_t unbalancedStackErrorCode = 6;
    static constexpr const char* unbalancedStackMessage = "调用库函数后堆栈不平衡。";

    explicit WindowProbe(FatalErrorHandler onFatalError,
                         const LibraryApi& api = systemLibraryApi());
    ~WindowProbe();  // releases every kept module
    WindowProbe(const WindowProbe&) = delete;
    WindowProbe& operator=(const WindowProbe&) = delete;

    // Makes the eight queries and returns what they left. If a fatal error is reported and
    // its handler returns, no further call is made and the snapshot holds what was read.
    WindowSnapshot captureUnderCursor();

    // Frees every kept module and leaves every entry unbound.
    void releaseModules();

private:
    // The entry's function address, binding the entry first if needed; none after a
    // reported binding failure.
    FARPROC bindFunction(size_t entry);

    // Calls the entry's function with the stack check; false when a fatal error was
    // reported, in which case result is left alone.
    template <class Function, class Result, class... Given>
    bool callEntry(size_t entry, Result& result, Given... args);

    FatalErrorHandler onFatalError_;
    const LibraryApi& api_;  // not owned
    std::array<FunctionBinding, functionEntryCount> table_ = unboundFunctionTable();
};
