// Stand-in for the About page until it is built (see ../CMakeLists.txt).
#include "shell/pages.h"

INT_PTR CALLBACK AboutPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
