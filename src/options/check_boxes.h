// Check boxes through their messages (the 95 family's user32 has the wrappers too, but the
// messages keep the import list as it is).
#pragma once

#include <windows.h>

inline void SetBoxChecked(HWND dialog, int control, bool checked)
{
    SendDlgItemMessageA(dialog, control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

inline bool BoxChecked(HWND dialog, int control)
{
    return SendDlgItemMessageA(dialog, control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
