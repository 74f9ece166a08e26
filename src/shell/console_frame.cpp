// The placement work that belongs to the console's own windows (see layout.h): the sheet's
// first placement with its subclass, minimum track size and status bar, made once per
// process, and the cookie list window's placement with its two icons.
#include "shell/layout.h"

#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"

#include <commctrl.h>

namespace {

WNDPROC g_previousSheetProc = nullptr;
POINT g_minimumTrackSize = {0, 0};
HWND g_statusBar = nullptr;

// Moves to (x, y) and, when a usable width and height are stored, sizes too: a missing or
// damaged size keeps the window as large as it is rather than collapsing it.
void MoveToStored(HWND window, int x, int y, const PlacementNames& names)
{
    int width = 0;
    int height = 0;
    bool sized = ReadPlacementNumber(names.width, &width) && ReadPlacementNumber(names.height, &height) &&
                 width > 0 && height > 0;
    SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (sized ? 0 : SWP_NOSIZE));
}

bool RestoreSheetRectangle(HWND sheet, const PlacementNames& names)
{
    int x = 0;
    int y = 0;
    if (!ReadPlacementNumber(names.left, &x) || !ReadPlacementNumber(names.top, &y)) return false;
    MoveToStored(sheet, x, y, names);
    return true;
}

void SetUpSheet(HWND sheet)
{
    g_previousSheetProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SheetSubclassProc)));
    RECT client = {};
    GetClientRect(sheet, &client);
    g_minimumTrackSize.x = client.right - client.left - 10;
    g_minimumTrackSize.y = client.bottom - client.top - 32;
    if (!StatusBar()) g_statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, "", sheet, IDC_STATUS_BAR);
}

}  // namespace

void FirstPlacement(HWND window, const PlacementNames& names)
{
    // Only a page has the sheet as its parent; a popup's "parent" is its owner.
    bool isPage = window && (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD);
    HWND sheet = isPage ? GetParent(window) : nullptr;
    if (sheet && IsNT() && !g_previousSheetProc) {
        SetUpSheet(sheet);
        if (RestoreSheetRectangle(sheet, names)) return;
    }
    // For a page the sheet places it again right after; the sheet itself keeps the place
    // the system gave it.
    CentreWindow(window);
}

POINT MinimumTrackSize() { return g_minimumTrackSize; }

WNDPROC PreviousSheetProc() { return g_previousSheetProc; }

HWND StatusBar() { return g_statusBar && IsWindow(g_statusBar) ? g_statusBar : nullptr; }

void SetStatusText(const char* text)
{
    HWND bar = StatusBar();
    if (bar) SendMessageA(bar, SB_SETTEXTA, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(text ? text : ""));
}

void SaveCookieWindowPlacement(HWND window)
{
    SavePlacement(window, COOKIE_WINDOW_PLACEMENT);
    RemoveIconProperties(GetDlgItem(window, IDC_HELP_ICON));
    RemoveIconProperties(GetDlgItem(window, IDC_MONITOR_ICON));
}

void RestoreCookieWindowPlacement(HWND window)
{
    const SharedDrawing& drawing = Drawing();
    SetIconProperties(GetDlgItem(window, IDC_HELP_ICON), drawing.helpBitmaps[0], drawing.helpBitmaps[1],
                      drawing.helpBitmaps[2], IDC_HELP_ICON);
    // The patrol-off images; the window shows the real state right after.
    SetIconProperties(GetDlgItem(window, IDC_MONITOR_ICON), drawing.monitorBitmaps[0], drawing.monitorBitmaps[1],
                      drawing.monitorBitmaps[2], IDC_MONITOR_ICON);

    const PlacementNames& names = COOKIE_WINDOW_PLACEMENT;
    int x = 0;
    int y = 0;
    if (!ReadPlacementNumber(names.left, &x)) {
        CentreWindow(window);
        return;
    }
    ReadPlacementNumber(names.top, &y);  // a missing top counts as 0
    MoveToStored(window, x, y, names);
}
