// Helpers for the tests that create the real main window: an event recorder, message
// pumping with a bounded wait, and reading window texts and rectangles.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/event_record.h"

class RecordingEventSink : public EventSink {
public:
    bool raiseEvent(EventRecord& record) override {
        records.push_back(record);
        if (onEvent)
            onEvent(record);
        return false;
    }
    size_t count(Control control, Event event) const {
        size_t n = 0;
        for (const EventRecord& record : records) {
            if (record.control == control && record.event == event)
                ++n;
        }
        return n;
    }

    std::vector<EventRecord> records;
    std::function<void(EventRecord&)> onEvent;
};

// Dispatches this thread's messages until done() holds or the time is up; returns done().
inline bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return done();
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

inline std::string windowText(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof(buffer));
    return buffer;
}

inline std::string className(HWND window) {
    char buffer[256] = {};
    GetClassNameA(window, buffer, sizeof(buffer));
    return buffer;
}

// A child's outer rectangle in its parent's client coordinates.
inline RECT rectInParent(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
