// The tabbed console (see console.h).
#include "shell/console.h"

#include "foundations/entries.h"
#include "foundations/platform.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/trace.h"
#include "options/sound.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/layout.h"
#include "shell/pages.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <cstddef>
#include <cstring>

namespace {

struct PageRow {
    int dialog;
    UINT caption;
    DLGPROC proc;
    int command;
    bool ntOnly;
};

// Tab order. The Services page exists on the NT family only.
const PageRow kPages[] = {
    {IDD_STARTUP_PAGE, IDS_TAB_STARTUP, StartupPageProc, CMD_STARTUP_PAGE, false},
    {IDD_IEHELPERS_PAGE, IDS_TAB_IEHELPERS, IEHelpersPageProc, CMD_IEHELPERS_PAGE, false},
    {IDD_SCHEDULED_PAGE, IDS_TAB_SCHEDULED, ScheduledPageProc, CMD_SCHEDULED_PAGE, false},
    {IDD_SERVICES_PAGE, IDS_TAB_SERVICES, ServicesPageProc, CMD_SERVICES_PAGE, true},
    {IDD_TASKS_PAGE, IDS_TAB_TASKS, TasksPageProc, CMD_TASKS_PAGE, false},
    {IDD_COOKIES_PAGE, IDS_TAB_COOKIES, CookiesPageProc, CMD_COOKIES_PAGE, false},
    {IDD_FILETYPES_PAGE, IDS_TAB_FILETYPES, FileTypesPageProc, CMD_FILETYPES_PAGE, false},
    {IDD_HOOKS_PAGE, IDS_TAB_HOOKS, HooksPageProc, CMD_HOOKS_PAGE, false},
    {IDD_ABOUT_PAGE, IDS_TAB_ABOUT, AboutPageProc, CMD_ABOUT_PAGE, false},
    {IDD_OPTIONS_PAGE, IDS_TAB_OPTIONS, OptionsPageProc, CMD_OPTIONS_PAGE, false},
};
const int kPageCount = sizeof kPages / sizeof kPages[0];

HWND g_currentPage = nullptr;

// The header up to its header bitmap (comctl32 4.71); MinGW's own macro for it does not compile.
const UINT kHeaderV2Size = (UINT)(offsetof(PROPSHEETHEADERA, hbmHeader) + sizeof(HBITMAP));

void TraceTab(const char* message) { Trace(message, "TabDialog"); }

// Zero-based tab position of a page command on this system, -1 when it has no tab.
int TabPosition(int command)
{
    bool nt = IsNT();
    int position = 0;
    for (const PageRow& row : kPages) {
        if (row.ntOnly && !nt) continue;
        if (row.command == command) return position;
        ++position;
    }
    return -1;
}

HWND Sheet() { return g_currentPage ? GetParent(g_currentPage) : nullptr; }

void RaiseOpenConsole(HWND owner, int command)
{
    HWND sheet = Sheet();
    if (command == CMD_COOKIES_PAGE) {
        BringWindowToTop(owner);
        SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(owner);
        if (sheet) SendMessageA(sheet, PSM_SETCURSEL, (WPARAM)TabPosition(CMD_COOKIES_PAGE), 0);
        return;
    }
    if (ActivePage() == CMD_TASKS_PAGE && g_currentPage) SendMessageA(g_currentPage, MSG_REFILL, 0, 0);
    BringWindowToTop(owner);
    SetForegroundWindow(owner);
    // The sheet is owned by the main window and follows it; raise it too in case the
    // window manager keeps owned windows where they are.
    if (sheet) SetForegroundWindow(sheet);
}

int CALLBACK SheetCallback(HWND, UINT message, LPARAM lParam)
{
    if (message != PSCB_PRECREATE || !lParam) return 0;
    // The template arrives as DLGTEMPLATE or DLGTEMPLATEEX (signature 0xFFFF).
    const DWORD addStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT | DS_3DLOOK;
    const DWORD addExStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;
    WORD* words = reinterpret_cast<WORD*>(lParam);
    if (words[0] == 1 && words[1] == 0xFFFF) {
        DWORD* exStyle = reinterpret_cast<DWORD*>(words + 4);
        DWORD* style = reinterpret_cast<DWORD*>(words + 6);
        *style |= addStyle;
        *exStyle |= addExStyle;
    } else {
        DLGTEMPLATE* dialog = reinterpret_cast<DLGTEMPLATE*>(lParam);
        dialog->style |= addStyle;
        dialog->dwExtendedStyle |= addExStyle;
    }
    return 0;
}

}  // namespace

bool IsNT() { return IsNtFamily(); }

DWORD CommonControlsVersion(const char* library)
{
    HMODULE module = LoadLibraryA(library);
    if (!module) return 0;
    DWORD version = 0;
    typedef HRESULT(CALLBACK * DllGetVersionFn)(DLLVERSIONINFO*);
    DllGetVersionFn getVersion =
        reinterpret_cast<DllGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
    if (getVersion) {
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof info;
        if (SUCCEEDED(getVersion(&info))) version = (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
    }
    FreeLibrary(module);
    return version;
}

void OpenConsole(HWND owner, int command)
{
    TraceTab("Check Active Dialog");
    if (ActivePage() > ACTIVE_PAGE_NONE) {
        RaiseOpenConsole(owner, command);
        return;
    }

    SetActivePage(ACTIVE_PAGE_BUILDING);
    TraceTab("Check ComValid DLL");
    bool currentSizes = CommonControlsVersion("comctl32.dll") >= MAKELONG(71, 4);
    const UINT pageSize = currentSizes ? PROPSHEETPAGEA_V2_SIZE : PROPSHEETPAGEA_V1_SIZE;
    const UINT headerSize = currentSizes ? kHeaderV2Size : PROPSHEETHEADERA_V1_SIZE;

    LoadText(IDS_APP_NAME, ConsoleCaption(), CAPTION_CHARS);
    TraceTab("Build Structure");

    // The sheet walks the page records at the declared size, so they are laid out
    // back to back at that size.
    char captions[kPageCount][64];
    BYTE records[kPageCount * sizeof(PROPSHEETPAGEA)] = {};
    int count = 0;
    int start = 0;
    bool nt = IsNT();
    for (int i = 0; i < kPageCount; ++i) {
        const PageRow& row = kPages[i];
        if (row.ntOnly) {
            TraceTab("Check if Windows 2000");
            if (!nt) continue;
            TraceTab("Confirm Windows 2000");
        }
        LoadText(row.caption, captions[count]);
        PROPSHEETPAGEA page = {};
        page.dwSize = pageSize;
        page.dwFlags = PSP_USETITLE;
        page.hInstance = AppInstance();
        page.pszTemplate = MAKEINTRESOURCEA(row.dialog);
        page.pfnDlgProc = row.proc;
        page.pszTitle = captions[count];
        page.lParam = 0;
        memcpy(records + (size_t)count * pageSize, &page, pageSize);
        if (row.command == command) start = count;
        ++count;
        if (row.command == CMD_ABOUT_PAGE) Trace("Added Tab", "RORO");
        if (row.command == CMD_OPTIONS_PAGE) Trace("Added Tab", "OPTIONS");
    }

    PROPSHEETHEADERA header = {};
    header.dwSize = headerSize;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    if (nt) {
        header.dwFlags |= PSH_USECALLBACK;
        header.pfnCallback = SheetCallback;
    }
    header.hwndParent = owner;
    header.hInstance = AppInstance();
    header.pszCaption = ConsoleCaption();
    header.nPages = (UINT)count;
    header.nStartPage = (UINT)start;
    header.ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(records);

    TraceTab("PropertySheet");
    PlaySoundEvent(SOUND_OPEN);
    if (PropertySheetA(&header) == -1) ErrorBox(IDS_ERR_SYSTEM);
    g_currentPage = nullptr;
}

// Only bitmap statics are icons: on the About page control 1077 is a plain text.
static bool IsBitmapStatic(HWND control)
{
    return control && (GetWindowLongPtrA(control, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP;
}

void SetIconProperties(HWND icon, HBITMAP rest, HBITMAP held, HBITMAP alt, int id)
{
    if (!IsBitmapStatic(icon)) return;
    SetPropA(icon, MAKEINTATOM(ICON_PROP_REST), rest);
    SetPropA(icon, MAKEINTATOM(ICON_PROP_HELD), held);
    SetPropA(icon, MAKEINTATOM(ICON_PROP_ALT), alt);
    SetPropA(icon, MAKEINTATOM(ICON_PROP_ID), reinterpret_cast<HANDLE>((INT_PTR)id));
}

void RemoveIconProperties(HWND icon)
{
    if (!icon) return;
    for (int prop = ICON_PROP_REST; prop <= ICON_PROP_ID; ++prop) RemovePropA(icon, MAKEINTATOM(prop));
}

void SetMonitorIcon(HWND page, int control, bool on)
{
    HWND icon = GetDlgItem(page, control);
    if (!icon) return;
    const HBITMAP* bitmaps = Drawing().monitorBitmaps;  // off, held, on
    HBITMAP rest = on ? bitmaps[2] : bitmaps[0];
    HBITMAP alt = on ? bitmaps[0] : bitmaps[2];
    SetIconProperties(icon, rest, bitmaps[1], alt, control);
    SendMessageA(icon, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(rest));
}

void AdjustSheetFrame(HWND page)
{
    HWND sheet = GetParent(page);
    if (!sheet) return;
    LONG_PTR exStyle = GetWindowLongPtrA(sheet, GWL_EXSTYLE);
    if (exStyle & WS_EX_CONTEXTHELP) SetWindowLongPtrA(sheet, GWL_EXSTYLE, exStyle & ~(LONG_PTR)WS_EX_CONTEXTHELP);
    HWND ok = GetDlgItem(sheet, IDOK);
    if (ok) {
        ShowWindow(ok, SW_HIDE);
        if (IsWindowEnabled(ok)) EnableWindow(ok, FALSE);
    }
    SetItemTextById(sheet, IDS_CLOSE, IDCANCEL);
}

void PageActivated(HWND page)
{
    TraceMemoryLoad("Create Active Page");
    const SharedDrawing& drawing = Drawing();
    SetIconProperties(GetDlgItem(page, IDC_HELP_ICON), drawing.helpBitmaps[0], drawing.helpBitmaps[1],
                      drawing.helpBitmaps[2], IDC_HELP_ICON);
    SetIconProperties(GetDlgItem(page, IDC_MONITOR_ICON), drawing.monitorBitmaps[0], drawing.monitorBitmaps[1],
                      drawing.monitorBitmaps[2], IDC_MONITOR_ICON);
    AdjustSheetFrame(page);

    SetWindowTextA(MainWindow(), ConsoleCaption());
    Trace("SetWindowText", ConsoleCaption());
    g_currentPage = page;

    if (StatusBar()) {
        Trace("Clear", "Status Bar");
        SetStatusText("");
    }
    if (IsNT()) {
        TraceMemoryLoad("ResizeTabWindow");
        ResizePages(page);
    }
}

void PageDeactivated(HWND page)
{
    TraceMemoryLoad("CleanupActivePage");
    FreeEntries();
    RemoveIconProperties(GetDlgItem(page, IDC_HELP_ICON));
    RemoveIconProperties(GetDlgItem(page, IDC_MONITOR_ICON));
    if (StatusBar()) SetStatusText("");
    SavePlacement(GetParent(page), SHEET_PLACEMENT);
}

HWND CurrentPage() { return g_currentPage; }

void ResizePages(HWND page)
{
    if (!IsNT()) return;
    HWND sheet = GetParent(page);
    RECT frame;
    if (!sheet || !GetWindowRect(sheet, &frame)) return;
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    const UINT sizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOSENDCHANGING | SWP_SHOWWINDOW;

    int rows = 0;
    HWND tabs = FindWindowExA(sheet, nullptr, "SysTabControl32", "");
    if (tabs) {
        rows = (int)SendMessageA(tabs, TCM_GETROWCOUNT, 0, 0);
        SetWindowPos(tabs, nullptr, 0, 0, width - 20, height - 67, sizeOnly);
    }
    if (StatusBar()) SetWindowPos(StatusBar(), nullptr, 0, 0, width - 28, height - 131, sizeOnly);

    // The sheet's own Close button gives way to the page's Close button.
    char close[64];
    LoadText(IDS_CLOSE, close);
    HWND closeButton = FindWindowExA(sheet, nullptr, "Button", close);
    if (closeButton) {
        SetWindowPos(closeButton, nullptr, width - 92, height - 66, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(closeButton, SW_HIDE);
    }

    SetWindowPos(page, nullptr, 0, 0, width - 28, rows == 1 ? height - 102 : height - 112, sizeOnly);
    SendMessageA(page, MSG_RELAYOUT, 0, 0);
    UpdateWindow(page);
    ShowWindow(page, SW_SHOWNORMAL);
}

LRESULT CALLBACK SheetSubclassProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETMINMAXINFO) {
        MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = MinimumTrackSize();
        TraceMemoryLoad("Set MinMax");
    } else if (message == WM_SIZE && IsWindow(g_currentPage)) {
        TraceMemoryLoad("ResizeTabWindow");
        ResizePages(g_currentPage);
        TraceMemoryLoad("ok");
    }
    WNDPROC previous = PreviousSheetProc();
    return previous ? CallWindowProcA(previous, sheet, message, wParam, lParam)
                    : DefWindowProcA(sheet, message, wParam, lParam);
}

int ConsoleMessageBox(const char* text, UINT flags)
{
    return MessageBoxExA(MainWindow(), text, ConsoleCaption(), flags | MB_TOPMOST, MessageLanguage());
}

void ErrorBox(UINT id)
{
    char text[1024];
    LoadText(id, text);
    ConsoleMessageBox(text, MB_OK | MB_ICONHAND);
}

void InfoBox(UINT id)
{
    char text[1024];
    char caption[128];
    LoadText(id, text);
    LoadText(IDS_HELP_CAPTION, caption);
    MessageBoxExA(MainWindow(), text, caption, MB_OK | MB_ICONQUESTION | MB_TOPMOST, MessageLanguage());
}
