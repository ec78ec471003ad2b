// Program entry: the command line is not looked at; the whole run is runInspector.
#include <windows.h>

#include "ui/start_up.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return runInspector();
}
