// Stand-in for the Scheduled page until it is built (see ../CMakeLists.txt).
#include "shell/pages.h"

INT_PTR CALLBACK ScheduledPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
