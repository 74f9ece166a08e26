// Stand-in for the Cookies page until it is built (see ../CMakeLists.txt).
#include "shell/pages.h"

INT_PTR CALLBACK CookiesPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
