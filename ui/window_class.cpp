// Registration of the program's own window classes.
#include "ui/window_class.h"

bool registerPlainWindowClass(const char* name, UINT classStyle, WNDPROC procedure) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (GetClassInfoA(instance, name, &existing))
        return true;
    WNDCLASSA windowClass = {};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}
