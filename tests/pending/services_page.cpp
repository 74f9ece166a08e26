// Stand-in for the Services page until it is built (see ../CMakeLists.txt).
#include "shell/pages.h"

INT_PTR CALLBACK ServicesPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
