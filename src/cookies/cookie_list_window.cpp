// The cookie list window: every cookie of the chosen browser with a check box (checked
// means keep), removal of the unchecked or the checked ones, and the cookie file's text.
#include "cookies/cookie_windows.h"

#include "cookies/cookie_filters.h"
#include "cookies/cookies.h"
#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "options/patrol.h"
#include "resource.h"
#include "shell/console.h"
#include "shell/help.h"
#include "shell/layout.h"
#include "shell/listview.h"
#include "shell/page.h"

#include <commctrl.h>
#include <string>
#include <vector>

namespace {

const int MIN_TRACK_WIDTH = 640;
const int MIN_TRACK_HEIGHT = 320;
const int kButtons[] = {IDC_VIEW_COOKIE, IDC_REMOVE_UNCHECKED, IDC_REMOVE_CHECKED, IDCANCEL};
const UINT kIeColumns[] = {IDS_TAB_COOKIES, IDS_COL_CREATION_DATE};
const UINT kMozillaColumns[] = {IDS_COL_COOKIE_NAME, IDS_COL_EXPIRES, IDS_COL_PATH, IDS_COL_VALUE, IDS_COL_SSL};
const ControlText kTexts[] = {
    {IDC_COOKIELIST_INTRO, IDS_COOKIELIST_INTRO}, {IDC_COOKIELIST_HINT, IDS_COOKIELIST_HINT},
    {IDC_VIEW_COOKIE, IDS_VIEW},                   {IDC_REMOVE_UNCHECKED, IDS_REMOVE_UNCHECKED},
    {IDC_REMOVE_CHECKED, IDS_REMOVE_CHECKED},      {IDCANCEL, IDS_CLOSE},
    {IDC_HELP_LABEL, IDS_HELP_LABEL},              {IDC_MONITOR_LABEL, IDS_MONITOR_LABEL},
};

HWND List(HWND window) { return GetDlgItem(window, IDC_LIST); }

bool IsIe() { return CookieBrowser() == COOKIE_BROWSER_IE; }

// The list kind by which the columns are sized and the rows compared.
int ListKind() { return IsIe() ? CMD_COOKIES_PAGE : CMD_COOKIE_LIST; }

int RowEntry(HWND list, int row)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return ListView_GetItem(list, &item) ? (int)item.lParam : -1;
}

int AppendRow(HWND list, const char* text, int entry)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = const_cast<char*>(text);
    item.lParam = entry;
    return (int)SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void AddIeRow(HWND list, int entry)
{
    char path[ENTRY_PATH_CHARS];
    char created[ENTRY_DETAIL_CHARS];
    GetEntryPath(entry, path);
    GetEntryDetail(entry, created);
    const char* name = path + FileNameOffset(path);
    int row = AppendRow(list, name, entry);
    const ListedCookie* cookie = ListedCookieAt(entry);
    if (row < 0 || !cookie) return;
    if (cookie->kept) ListView_SetCheckState(list, row, TRUE);
    SetListCell(list, row, 1, created);
}

void AddMozillaRow(HWND list, int entry)
{
    EntryCopy cookie;
    const ListedCookie* listed = ListedCookieAt(entry);
    if (!listed || listed->hidden || !CopyEntry(entry, cookie)) return;  // filtered or removed
    int row = AppendRow(list, cookie.title, entry);
    if (row < 0) return;
    if (listed->kept) ListView_SetCheckState(list, row, TRUE);
    char ssl[16];
    LoadText(cookie.value ? IDS_TRUE : IDS_FALSE, ssl);
    SetListCell(list, row, 1, cookie.detail);
    SetListCell(list, row, 2, cookie.path);
    SetListCell(list, row, 3, cookie.extra);
    SetListCell(list, row, 4, ssl);
}

void ShowNotListed(HWND window, int notListed)
{
    char text[256] = "";
    if (notListed > 0) FormatLoadedText(text, sizeof text, IDS_COOKIES_NOT_LISTED, "d", notListed);
    SendDlgItemMessageA(window, IDC_STATUS_BAR, SB_SETTEXTA, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(text));
}

int FillCookieList(HWND window)
{
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    HWND list = List(window);
    ListView_DeleteAllItems(list);
    CookieCollection collection = {};
    int count = CollectCookies(COOKIE_PASS_LISTING, &collection);
    for (int entry = 0; entry < count; ++entry) IsIe() ? AddIeRow(list, entry) : AddMozillaRow(list, entry);
    ShowNotListed(window, collection.notListed);
    int sorted = GetOption("SortCookie", 0);
    if (sorted > 0) SortList(list, ListKind(), sorted - 1);
    SetCursor(previous ? previous : LoadCursorA(nullptr, IDC_ARROW));
    return count;
}

void OnView(HWND window)
{
    int entry = SelectedEntry(List(window));
    if (entry < 0) {
        InfoBox(IDS_NO_COOKIE_SELECTED);
        return;
    }
    char path[MAX_PATH];
    GetEntryPath(entry, path);
    if (FindProgramFile(path, sizeof path)) ShowTextViewer(window, path, IDS_COOKIE_VIEWER_TITLE);
}

// Removes the rows whose check state equals `removeChecked`; the others are kept.
void OnRemove(HWND window, bool removeChecked)
{
    char question[512];
    LoadText(removeChecked ? IDS_CONFIRM_REMOVE_CHECKED : IDS_CONFIRM_REMOVE_UNCHECKED, question);
    if (ConsoleMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;

    UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    HWND list = List(window);
    int browser = CookieBrowser();
    int rows = ListView_GetItemCount(list);
    for (int row = 0; row < rows; ++row) {
        int entry = RowEntry(list, row);
        bool checked = ListView_GetCheckState(list, row) != 0;
        if (checked == removeChecked)
            RemoveListedCookie(browser, entry);
        else if (!removeChecked)
            KeepListedCookie(entry);
    }
    if (browser != COOKIE_BROWSER_IE) CollectCookies(COOKIE_PASS_FILTERING);
    FillCookieList(window);
    // Newest first: by the second column, descending, leaving its direction flag as it was.
    SetSortDirection(1, 1);
    SortList(list, ListKind(), 1);
    SetSortDirection(1, 0);
    SetErrorMode(previousMode);
}

void OnMonitor(HWND window)
{
    ErrorBox(IDS_COOKIE_PATROL_ADVICE);
    EditPatrolTime(window, IDS_PATROL_COOKIES);
}

void AddColumns(HWND list)
{
    const UINT* columns = IsIe() ? kIeColumns : kMozillaColumns;
    int count = IsIe() ? (int)(sizeof kIeColumns / sizeof kIeColumns[0])
                       : (int)(sizeof kMozillaColumns / sizeof kMozillaColumns[0]);
    for (int column = 0; column < count; ++column) AddListColumnById(list, column, columns[column], ListKind());
}

BOOL OnInitDialog(HWND window)
{
    for (const ControlText& text : kTexts) SetItemTextById(window, text.text, text.control);
    ResetSortDirections();
    RestoreCookieWindowPlacement(window);
    HWND list = List(window);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    SetCookieCompareSource(CookieBrowser());
    AddColumns(list);
    if (!IsIe()) ShowWindow(GetDlgItem(window, IDC_VIEW_COOKIE), SW_HIDE);
    char folder[MAX_PATH];
    FindCookieFolder(CookieBrowser(), folder, sizeof folder);
    SetDlgItemTextA(window, IDC_COOKIELIST_FOLDER, folder);
    SetMonitorIcon(window, IDC_MONITOR_ICON, CurrentOptions().cookies > 0);
    CreateStatusWindowA(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, "", window, IDC_STATUS_BAR);
    FillCookieList(window);
    return TRUE;
}

void OnSize(HWND window)
{
    SendDlgItemMessageA(window, IDC_STATUS_BAR, WM_SIZE, 0, 0);
    LayOutCookieWindow(PageLayoutOf(window, kButtons, (int)(sizeof kButtons / sizeof kButtons[0]), nullptr));
}

void OnCommand(HWND window, int command)
{
    switch (command) {
    case IDOK:
    case IDC_VIEW_COOKIE: if (IsIe()) OnView(window); break;
    case IDC_REMOVE_UNCHECKED: OnRemove(window, false); break;
    case IDC_REMOVE_CHECKED: OnRemove(window, true); break;
    case IDC_MONITOR_ICON: OnMonitor(window); break;
    case IDC_HELP_ICON: OpenHelp(window, CMD_COOKIES_PAGE); break;
    case IDCANCEL: EndDialog(window, IDCANCEL); break;
    default: break;
    }
}

INT_PTR OnNotify(HWND window, const NMHDR* header)
{
    if (header->idFrom != IDC_LIST) return FALSE;
    switch (header->code) {
    case LVN_COLUMNCLICK: {
        int column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
        if (column >= 0 && column <= 4) OnListColumnClick(List(window), ListKind(), column);
        return TRUE;
    }
    case NM_RCLICK: ShowListContextMenu(window, CMD_COOKIES_PAGE, IDC_LIST); return TRUE;
    case NM_DBLCLK: OnCommand(window, IDC_VIEW_COOKIE); return TRUE;
    default: return FALSE;
    }
}

INT_PTR CALLBACK CookieListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(window);
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return TRUE;
    case WM_NOTIFY: return OnNotify(window, reinterpret_cast<const NMHDR*>(lParam));
    case WM_SIZE: OnSize(window); return TRUE;
    case WM_GETMINMAXINFO: {
        MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = MIN_TRACK_WIDTH;
        info->ptMinTrackSize.y = MIN_TRACK_HEIGHT;
        return TRUE;
    }
    case WM_SETCURSOR: CursorOverControl(reinterpret_cast<HWND>(wParam)); return FALSE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: IconMouseHandler(window, message, wParam, lParam); return FALSE;
    case WM_DESTROY: SaveCookieWindowPlacement(window); return FALSE;
    default: return FALSE;
    }
}

}  // namespace

void ShowCookieList(HWND owner)
{
    DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_COOKIE_LIST), owner, CookieListProc, 0);
}
