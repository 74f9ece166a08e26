// The About page (tab "RORO"): the versions of the monitor and the console, the link to
// the news page, the version check and the program search on the maker's server.
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/help.h"
#include "shell/help_addresses.h"
#include "shell/layout.h"
#include "shell/page.h"
#include "shell/pages.h"

#include <commctrl.h>

namespace {

// The search field takes what a program path can hold.
const int SEARCH_TEXT_CHARS = 260;

// The About search program type on the server.
const int LOOKUP_TYPE_ABOUT = 450;

void SetControlFont(HWND page, int control, HFONT font)
{
    if (font) SendDlgItemMessageA(page, control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

BOOL OnInitDialog(HWND page)
{
    const SharedDrawing& drawing = Drawing();
    SetControlFont(page, IDC_ABOUT_VERSION, drawing.aboutHeadingFont);
    SetControlFont(page, IDC_ABOUT_NOTICE, drawing.aboutTextFont);

    static const struct { int control; UINT text; } kTexts[] = {
        {IDC_ABOUT_NOTICE, IDS_ABOUT_NOTICE},     {IDC_ABOUT_SUPPORT, IDS_SUPPORT_CONTACT},
        {IDC_CHECK_VERSION, IDS_CHECK_VERSION},   {IDC_SEARCH_PROMPT, IDS_SEARCH_PROMPT},
        {IDC_SEARCH_BUTTON, IDS_SEARCH},
    };
    for (const auto& row : kTexts) SetItemTextById(page, row.text, row.control);

    // The link shows the server it leads to, so an override of the address shows too.
    char server[256];
    ServerAddress(server, sizeof server);
    if (server[0]) SetDlgItemTextA(page, IDC_ABOUT_NEWS_LINK, server);
    MakeLink(page, IDC_ABOUT_NEWS_LINK);
    SendDlgItemMessageA(page, IDC_SEARCH_EDIT, EM_LIMITTEXT, SEARCH_TEXT_CHARS - 1, 0);

    AdjustSheetFrame(page);
    SetActivePage(CMD_ABOUT_PAGE);
    FirstPlacement(page, SHEET_PLACEMENT);
    return TRUE;
}

void ShowVersion(HWND page)
{
    char version[300];
    if (VersionText(version, sizeof version) <= 0) return;
    char heading[400];
    LoadText(IDS_ABOUT_VERSION_PREFIX, heading);
    AppendText(heading, version);
    SetDlgItemTextA(page, IDC_ABOUT_VERSION, heading);
}

void OnSetActive(HWND page)
{
    ShowVersion(page);
    static const int kSearchControls[] = {IDC_SEARCH_PROMPT, IDC_SEARCH_EDIT, IDC_SEARCH_BUTTON};
    for (int control : kSearchControls) {
        HWND window = GetDlgItem(page, control);
        ShowWindow(window, SW_SHOW);
        EnableWindow(window, TRUE);
    }
    SendMessageA(page, DM_SETDEFID, IDC_SEARCH_BUTTON, 0);
    SetActivePage(CMD_ABOUT_PAGE);
    SetWindowTextA(MainWindow(), ConsoleCaption());
    // Control 1077 is the search prompt here, a text: the activation only gives bitmap
    // statics the Help icon's images.
    PageActivated(page);
}

void OnNewsLink()
{
    char server[256];
    char address[WEB_ADDRESS_CHARS];
    ServerAddress(server, sizeof server);
    if (ServerPageAddress(server, "news.html", address, sizeof address) > 0) OpenWebAddress(address);
}

void OnSearch(HWND page)
{
    char text[SEARCH_TEXT_CHARS] = "";
    GetDlgItemTextA(page, IDC_SEARCH_EDIT, text, sizeof text);
    LookUpProgram(LOOKUP_TYPE_ABOUT, text);
}

BOOL OnCommand(HWND page, int command)
{
    switch (command) {
    case IDC_ABOUT_NEWS_LINK:
        OnNewsLink();
        return TRUE;
    case IDC_SEARCH_BUTTON:
        OnSearch(page);
        return TRUE;
    case IDC_CHECK_VERSION:
        CheckForNewVersion();
        return TRUE;
    case IDOK:
    case IDCANCEL:
        return TRUE;
    default:
        return FALSE;
    }
}

void OnDestroy(HWND page)
{
    SetActivePage(ACTIVE_PAGE_NONE);
    SavePlacement(GetParent(page), SHEET_PLACEMENT);
    PostMessageA(MainWindow(), WM_CLOSE, 0, 0);
}

}  // namespace

INT_PTR CALLBACK AboutPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page);
    case WM_NOTIFY:
        // The page has no deactivation step: it holds no entries and no icons.
        if (reinterpret_cast<const NMHDR*>(lParam)->code != PSN_SETACTIVE) return FALSE;
        OnSetActive(page);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, 0);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(page, LOWORD(wParam));
    case WM_SETCURSOR:
    case WM_DRAWITEM: {
        // The link button's highlight and drawing; the page has no icons for the mouse.
        INT_PTR result = FALSE;
        PageOnCommonMessage(page, message, wParam, lParam, &result);
        return result;
    }
    case WM_CLOSE:
    case WM_DESTROY:
        OnDestroy(page);
        return message == WM_CLOSE ? FALSE : TRUE;
    default:
        return FALSE;
    }
}
