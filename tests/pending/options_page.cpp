// Stand-in for the Options page until it is built (see ../CMakeLists.txt).
#include "shell/pages.h"

INT_PTR CALLBACK OptionsPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
