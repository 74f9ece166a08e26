// Stand-in for the IEHelpers page until it is built (see ../CMakeLists.txt).
#include "shell/pages.h"

INT_PTR CALLBACK IEHelpersPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
