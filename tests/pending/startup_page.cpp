// Stand-in for the Startup page until it is built (see ../CMakeLists.txt).
#include "shell/pages.h"

INT_PTR CALLBACK StartupPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
