// Stand-in for the Tasks page until it is built (see ../CMakeLists.txt).
#include "shell/pages.h"

INT_PTR CALLBACK TasksPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
