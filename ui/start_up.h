// The program from start to end: start-up, the message loop and the final clean-up.
#pragma once

#include "probe/library_api.h"

// Runs the whole program and returns the wParam of the WM_QUIT that ended the loop. The
// loader calls are a seam: a test program can hand in calls that fail, so that the first
// capture raises a run-time error (box, then exit code -1).
int runInspector(const LibraryApi& libraryApi = systemLibraryApi());
