// The protocol every page follows (see page.h).
#include "shell/page.h"

#include "foundations/entries.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "options/patrol.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/delete_on_reboot.h"
#include "shell/help.h"
#include "shell/layout.h"
#include "shell/listview.h"
#include "shell/pages.h"
#include "shell/properties_dialog.h"
#include "shell/report_sections.h"

#include <commctrl.h>
#include <cstring>

BOOL PageOnInitDialog(HWND page, const PageDescription& description)
{
    for (int i = 0; i < description.textCount; ++i)
        SetItemTextById(page, description.texts[i].text, description.texts[i].control);
    if (GetDlgItem(page, IDC_HELP_LABEL)) SetItemTextById(page, IDS_HELP_LABEL, IDC_HELP_LABEL);
    if (GetDlgItem(page, IDC_MONITOR_LABEL)) SetItemTextById(page, IDS_MONITOR_LABEL, IDC_MONITOR_LABEL);

    HWND list = GetDlgItem(page, IDC_LIST);
    if (list) {
        ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
        for (int i = 0; i < description.columnCount; ++i)
            AddListColumnById(list, i, description.columns[i], description.command);
    }
    ResetSortDirections();

    // The Cookies page uses 1004 for an edit; only a button is the page's Close button.
    HWND close = GetDlgItem(page, IDC_CLOSE_BUTTON);
    char className[16] = "";
    if (close && GetClassNameA(close, className, sizeof className) && lstrcmpiA(className, "Button") == 0) {
        SetItemTextById(page, IDS_CLOSE, IDC_CLOSE_BUTTON);
        if (!IsNT()) ShowWindow(close, SW_HIDE);
    }

    SetActivePage(description.command);
    FirstPlacement(page, SHEET_PLACEMENT);
    return TRUE;
}

void PageShowPatrolState(HWND page, const PageDescription& description)
{
    if (description.patrolKind == 0) return;
    const int* value = PatrolSettingValue(description.patrolKind);
    SetMonitorIcon(page, IDC_MONITOR_ICON, value && *value > 0);
}

void PageShowSelectedPath(HWND page)
{
    int index = SelectedEntry(GetDlgItem(page, IDC_LIST));
    if (index < 0 || !StatusBar()) return;
    char path[ENTRY_PATH_CHARS];
    GetEntryPath(index, path);
    SetStatusText(path);
}

void PageRefill(HWND page, const PageDescription& description)
{
    HWND list = GetDlgItem(page, IDC_LIST);
    if (description.fill) description.fill(page);
    if (list && ListView_GetItemCount(list) > 0) SelectRow(list, 0);
}

void PageOnSetActive(HWND page, const PageDescription& description)
{
    PageRefill(page, description);
    PageActivated(page);
    SetActivePage(description.command);
    PageShowPatrolState(page, description);
}

void PageOnKillActive(HWND page)
{
    PageDeactivated(page);
}

void PageOnDestroy(HWND page)
{
    DestroyImageList(0);
    SavePlacement(GetParent(page), SHEET_PLACEMENT);
    SetActivePage(ACTIVE_PAGE_NONE);
    PostMessageA(MainWindow(), WM_CLOSE, 0, 0);
}

void PageOnRelayout(HWND page, const PageDescription& description)
{
    if (!description.relayout) return;
    LayOutPage(PageLayoutOf(page, description.buttons, description.buttonCount, description.alternates));
}

bool PageOnListButtons(HWND page, int command, int code)
{
    HWND list = GetDlgItem(page, IDC_LIST);
    if (code == 2) command = IDOK;  // treated as Enter
    switch (command) {
    case IDOK:
    case IDC_INFO: ShowProperties(page, list); return true;
    case IDC_DELETE_ON_REBOOT: OfferDeleteOnReboot(list); return true;
    default: return false;
    }
}

bool PageOnCommonCommand(HWND page, const PageDescription& description, int command, int code)
{
    if (code != BN_CLICKED) return false;
    switch (command) {
    case IDC_HELP_ICON:
        OpenHelp(page, description.command);
        return true;
    case IDC_MONITOR_ICON:
        if (description.patrolKind != 0) EditPatrolTime(page, description.patrolKind);
        return true;
    case IDC_CLOSE_BUTTON:
        PostMessageA(page, WM_CLOSE, 0, 0);
        return true;
    case IDC_FULL_REPORT_CMD:
        StartFullReport(page);
        return true;
    case IDC_SAVE_CSV_CMD:
        StartCsvSave(page);
        return true;
    default:
        return false;
    }
}

bool PageOnCommonMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result)
{
    switch (message) {
    case WM_SETCURSOR:
        CursorOverControl(reinterpret_cast<HWND>(wParam));
        *result = FALSE;
        return true;
    case WM_DRAWITEM:
        *result = DrawLink(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return true;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        IconMouseHandler(page, message, wParam, lParam);
        *result = FALSE;
        return true;
    default:
        return false;
    }
}

bool ProgramListNotify(HWND page, const NMHDR* header)
{
    HWND list = GetDlgItem(page, IDC_LIST);
    switch (header->code) {
    case LVN_ITEMCHANGED:
    case NM_CLICK:
    case LVN_KEYDOWN: PageShowSelectedPath(page); return true;
    case NM_DBLCLK: ShowProperties(page, list); return true;
    default: return false;
    }
}

void PageShowNotKnown(HWND page)
{
    HWND list = GetDlgItem(page, IDC_LIST);
    HWND bar = StatusBar();
    int row = list ? FirstSelectedRow(list) : -1;
    if (!bar || row < 0 || !RowMarkedNotKnown(list, row)) return;
    char text[1024] = "";
    char mark[128];
    if (LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, 0, 0)) < sizeof text)
        SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    LoadText(IDS_NOT_KNOWN_MARK, mark);
    if (strstr(text, mark)) return;
    AppendText(text, mark);
    SetStatusText(text);
}

static INT_PTR OnListNotify(const PageDescription& description, HWND page, NMHDR* header)
{
    if (ResolveDeferredIcon(header)) return TRUE;
    if (description.onListNotify && description.onListNotify(page, header)) {
        PageShowNotKnown(page);
        return TRUE;
    }
    switch (header->code) {
    case LVN_COLUMNCLICK: {
        const NMLISTVIEW* click = reinterpret_cast<const NMLISTVIEW*>(header);
        if (click->iSubItem >= 0 && click->iSubItem <= 4)
            OnListColumnClick(header->hwndFrom, description.command, click->iSubItem);
        return TRUE;
    }
    case NM_RCLICK:
        if (!description.sharedContextMenu) return FALSE;
        ShowListContextMenu(page, description.command, IDC_LIST);
        return TRUE;
    default:
        return FALSE;
    }
}

static INT_PTR OnStandardNotify(const PageDescription& description, HWND page, NMHDR* header)
{
    if (header->idFrom == IDC_LIST) return OnListNotify(description, page, header);
    switch (header->code) {
    case PSN_SETACTIVE:
        PageOnSetActive(page, description);
        if (description.onActivated) description.onActivated(page);
        PageShowNotKnown(page);
        return TRUE;
    case PSN_KILLACTIVE:
        PageOnKillActive(page);
        SetWindowLongPtrA(page, DWLP_MSGRESULT, FALSE);
        return TRUE;
    default:
        return FALSE;
    }
}

static BOOL OnStandardInit(const PageDescription& description, HWND page)
{
    BOOL result = PageOnInitDialog(page, description);
    return description.onInit ? description.onInit(page) : result;
}

static void OnStandardCommand(const PageDescription& description, HWND page, int command, int code)
{
    if (PageOnCommonCommand(page, description, command, code)) return;
    if (description.onCommand) description.onCommand(page, command, code);
}

INT_PTR StandardPageProc(const PageDescription& description, HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = FALSE;
    if (PageOnCommonMessage(page, message, wParam, lParam, &result)) return result;
    switch (message) {
    case WM_INITDIALOG:
        return OnStandardInit(description, page);
    case WM_NOTIFY:
        return OnStandardNotify(description, page, reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
        OnStandardCommand(description, page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case MSG_REFILL:
        if (description.fill) description.fill(page);
        return TRUE;
    case MSG_RELAYOUT:
        PageOnRelayout(page, description);
        return TRUE;
    case WM_CLOSE:
    case WM_DESTROY:
        PageOnDestroy(page);
        return message == WM_CLOSE ? FALSE : TRUE;
    default:
        return FALSE;
    }
}
