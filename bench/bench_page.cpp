// A console page hosted for the bench, as the tests host one, and filled as the sheet
// fills it.
#include "bench.h"

#include "foundations/strings.h"
#include "resource.h"

#include <commctrl.h>
#include <prsht.h>

HWND MakeBenchPage(int dialog, DLGPROC procedure)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    SetAppInstance(GetModuleHandleA(nullptr));
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "VigilarkBenchHost";
    RegisterClassA(&windowClass);  // a second page finds it registered
    HWND host = CreateWindowExA(WS_EX_CONTROLPARENT, windowClass.lpszClassName, "Bench",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 500, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    HWND page = host ? CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(dialog), host, procedure, 0)
                     : nullptr;
    if (page) ShowWindow(page, SW_SHOW);
    return page;
}

void PumpBenchMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int ActivateBenchPage(HWND page)
{
    NMHDR header = {};
    header.hwndFrom = GetParent(page);
    header.code = PSN_SETACTIVE;
    SendMessageA(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    // Until the user sees it: the list's first paint, where the icons of the rows drawn are
    // read, is part of the fill.
    HWND list = GetDlgItem(page, IDC_LIST);
    UpdateWindow(list);
    return ListView_GetItemCount(list);
}
