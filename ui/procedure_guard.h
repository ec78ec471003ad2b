// Keeps exceptions inside window procedures and callbacks: one that escapes the handling
// of a message is reported as a fatal error instead of crossing into Windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <new>
#include <string_view>

using FailureReport = std::function<void(std::string_view message, int32_t errorCode)>;

// Where escaped exceptions are reported (the program's runTimeError); none by default.
void setFailureReport(FailureReport report);

// Reports an escaped exception; never throws.
void reportEscapedException(bool outOfMemory) noexcept;

// Runs one message's handling; on an exception, reports it and returns fallback.
template <class Body>
LRESULT guardedProcedure(Body&& body, LRESULT fallback = 0) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        reportEscapedException(true);
    } catch (...) {
        reportEscapedException(false);
    }
    return fallback;
}
