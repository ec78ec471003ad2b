// Binding the probe's functions by name, and the eight stack-checked queries of a capture.
#include "probe/window_probe.h"

#include <cstring>
#include <string>
#include <utility>

#include "core/text_format.h"
#include "probe/stack_checked_call.h"

namespace {

// The receive buffers hold this many blanks plus a NUL; the queries are told this size,
// NUL included, so at most one byte fewer of text arrives.
constexpr int32_t receiveBufferSize = 255;

std::string receiveBuffer() {
    return blankText(receiveBufferSize).value();
}

// A receive buffer becomes its content up to the first NUL, whatever the query left.
std::string receivedText(std::string buffer) {
    buffer.resize(std::strlen(buffer.c_str()));
    return buffer;
}

std::string bindingFailureMessage(const FunctionBinding& binding) {
    if (*binding.libraryFile == '\0') {
        return std::string("在系统库中找不到函数“") + binding.functionName + "”。";
    }
    return std::string("在库文件“") + binding.libraryFile + "”中找不到函数“" +
           binding.functionName + "”。";
}

}  // namespace

WindowProbe::WindowProbe(FatalErrorHandler onFatalError, const LibraryApi& api)
    : onFatalError_(std::move(onFatalError)), api_(api) {}

WindowProbe::~WindowProbe() {
    releaseModules();
}

WindowSnapshot WindowProbe::captureUnderCursor() {
    POINT point = {0, 0};
    RECT rect = {0, 0, 0, 0};
    std::string title = receiveBuffer();
    std::string className = receiveBuffer();
    HWND window = nullptr;
    DWORD classAtom = 0;
    LONG style = 0;
    LONG controlId = 0;
    BOOL ignoredSuccess = FALSE;
    int ignoredLength = 0;

    // Always the same eight calls in this order; no result is looked at. Only a reported
    // fatal error (whose handler returned) stops the sequence.
    static_cast<void>(
        callEntry<GetCursorPosFunction>(getCursorPosEntry, ignoredSuccess, &point) &&
        callEntry<WindowFromPointFunction>(windowFromPointEntry, window, point) &&
        callEntry<GetWindowTextFunction>(getWindowTextEntry, ignoredLength, window, title.data(),
                                         receiveBufferSize) &&
        callEntry<GetClassNameFunction>(getClassNameEntry, ignoredLength, window, className.data(),
                                        receiveBufferSize) &&
        callEntry<GetClassLongFunction>(getClassLongEntry, classAtom, window, GCW_ATOM) &&
        callEntry<GetWindowLongFunction>(getWindowLongEntry, style, window, GWL_STYLE) &&
        callEntry<GetWindowLongFunction>(getWindowLongEntry, controlId, window, GWL_ID) &&
        callEntry<GetWindowRectFunction>(getWindowRectEntry, ignoredSuccess, window, &rect));

    WindowSnapshot snapshot;
    snapshot.handle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
    snapshot.title = receivedText(std::move(title));
    snapshot.className = receivedText(std::move(className));
    snapshot.classAtom = classAtom;
    snapshot.style = static_cast<uint32_t>(style);
    snapshot.controlId = static_cast<uint32_t>(controlId);
    snapshot.rect = {rect.left, rect.top, rect.right, rect.bottom};
    return snapshot;
}

FARPROC WindowProbe::bindFunction(size_t entry) {
    FunctionBinding& binding = table_.at(entry);
    if (binding.address != nullptr)
        return binding.address;

    const auto load = [this](const char* libraryFile) {
        const std::string path = systemLibraryPath(libraryFile);
        if (path.empty())
            return LoadedModule();
        return LoadedModule(api_.loadLibraryA(path.c_str()), api_);
    };

    LoadedModule module;
    FARPROC address = nullptr;
    if (*binding.libraryFile == '\0') {
        for (const char* libraryFile : systemLibraries) {
            LoadedModule candidate = load(libraryFile);
            if (!candidate)
                continue;
            address = api_.getProcAddress(candidate.get(), binding.functionName);
            if (address != nullptr) {
                module = std::move(candidate);
                break;
            }
            // A library that lacks the function is released at once.
        }
    } else {
        // Only the named library is asked.
        module = load(binding.libraryFile);
        if (module)
            address = api_.getProcAddress(module.get(), binding.functionName);
    }

    if (address == nullptr) {
        module.reset();
        onFatalError_(bindingFailureMessage(binding), bindingErrorCode);
        return nullptr;
    }
    binding.address = address;
    binding.module = std::move(module);
    return address;
}

void WindowProbe::releaseModules() {
    for (FunctionBinding& binding : table_) {
        binding.address = nullptr;
        binding.module.reset();
    }
}

template <class Function, class Result, class... Given>
bool WindowProbe::callEntry(size_t entry, Result& result, Given... args) {
    const FARPROC address = bindFunction(entry);
    // Never call through a missing address, even when the error handler returns.
    if (address == nullptr)
        return false;
    const auto call =
        stackCheckedCall(reinterpret_cast<Function>(reinterpret_cast<void*>(address)), args...);
    if (!call.stackBalanced) {
        onFatalError_(unbalancedStackMessage, unbalancedStackErrorCode);
        return false;
    }
    result = call.value;
    return true;
}
