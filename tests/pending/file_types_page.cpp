// Stand-in for the FileTypes page until it is built (see ../CMakeLists.txt).
#include "shell/pages.h"

INT_PTR CALLBACK FileTypesPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
