/* The floor of the console's cold start: a bare program that shows a property sheet whose
 * one page holds an empty report list of three columns, the size of the Startup Programs
 * page's, with the console's manifest. It ends when its sheet is cancelled. */
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#define IDD_FLOOR_PAGE 100
#define IDC_FLOOR_LIST 1000

static INT_PTR CALLBACK PageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    (void)lParam;
    if (message == WM_INITDIALOG) {
        HWND list = GetDlgItem(page, IDC_FLOOR_LIST);
        static const char* const titles[] = {"Title", "Command", "Version"};
        int column;
        for (column = 0; column < 3; ++column) {
            LVCOLUMNA header;
            ZeroMemory(&header, sizeof header);
            header.mask = LVCF_WIDTH | LVCF_TEXT;
            header.cx = 150;
            header.pszText = (char*)titles[column];
            SendMessageA(list, LVM_INSERTCOLUMNA, (WPARAM)column, (LPARAM)&header);
        }
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    PROPSHEETPAGEA page;
    PROPSHEETHEADERA header;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    (void)previous;
    (void)commandLine;
    (void)show;
    InitCommonControlsEx(&controls);
    ZeroMemory(&page, sizeof page);
    page.dwSize = sizeof page;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEA(IDD_FLOOR_PAGE);
    page.pfnDlgProc = PageProcedure;
    ZeroMemory(&header, sizeof header);
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hInstance = instance;
    header.pszCaption = "Cold start floor";
    header.nPages = 1;
    header.ppsp = &page;
    return PropertySheetA(&header) == -1 ? 1 : 0;
}
