// The Services page (NT family only): the services that run a program file, with their
// program, state and start type; Info opens the Properties dialog, where a service is
// stopped or its start type changed.
#include "foundations/entries.h"
#include "foundations/platform.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "resource.h"
#include "services/service_text.h"
#include "services/services.h"
#include "services/services_patrol.h"
#include "shell/console.h"
#include "shell/listview.h"
#include "shell/page.h"
#include "shell/pages.h"
#include "shell/properties_dialog.h"

#include <commctrl.h>

namespace {

void FillServiceList(HWND page);
BOOL OnInitDialog(HWND page);
void OnCommand(HWND page, int command, int code);
bool OnListNotify(HWND page, const NMHDR* header);

const ControlText kTexts[] = {
    {IDC_SERVICES_INTRO, IDS_SERVICES_INTRO}, {IDC_SERVICES_HINT, IDS_SERVICES_HINT},
    {IDC_INFO, IDS_INFO},                     {IDC_HIDE_MS_SERVICES, IDS_HIDE_MS_SERVICES},
};
const UINT kColumns[] = {IDS_COL_TITLE, IDS_COL_COMMAND, IDS_COL_STATUS, IDS_COL_STARTUP};
const int kButtons[] = {IDC_INFO, IDC_HIDE_MS_SERVICES, IDC_CLOSE_BUTTON};

PageDescription Describe()
{
    PageDescription page = DescribeListPage(CMD_SERVICES_PAGE, kTexts, kColumns, kButtons);
    page.patrolKind = IDS_PATROL_SERVICES;
    page.fill = FillServiceList;
    page.onInit = OnInitDialog;
    page.onCommand = OnCommand;
    page.onListNotify = OnListNotify;
    page.sharedContextMenu = true;
    return page;
}
const PageDescription kPage = Describe();

HWND List(HWND page) { return GetDlgItem(page, IDC_LIST); }

// The monitor's list of known services, read once per fill.
KnownList g_known;

void AddServiceRow(HWND list, int index)
{
    EntryCopy entry;
    CopyEntry(index, entry);
    InsertListRow(list, entry.title, index, DeferProgramIcon(index, entry.path, 0, 0), !g_known.Has(entry.title));
    char text[ENTRY_PATH_CHARS + 16];
    ServiceCommandText(entry.path, entry.kind, text, sizeof text);
    SetListCell(list, index, 1, text);
    DWORD state = StateOfValue((DWORD)entry.value);
    text[0] = '\0';
    if (state) LoadText(ServiceStateTextId(state), text, sizeof text);
    SetListCell(list, index, 2, text[0] ? text : " ");
    SetListCell(list, index, 3, entry.extra);
}

// Every fill reads the states anew, once per service; the Status sort compares them.
void FillServiceList(HWND page)
{
    LoadKnownServices(g_known);
    RefillList(List(page), EnumerateServicesWithStates, AddServiceRow, CMD_SERVICES_PAGE);
}

void OnInfo(HWND page)
{
    HWND list = List(page);
    int row = FirstSelectedRow(list);
    if (!ShowProperties(page, list)) return;
    // A service may have been stopped or changed: show it fresh, on the same row number.
    FillServiceList(page);
    if (row < ListView_GetItemCount(list)) SelectRow(list, row);
}

void OnHideMicrosoftServices(HWND page)
{
    int hide = IsDlgButtonChecked(page, IDC_HIDE_MS_SERVICES) == BST_CHECKED ? 1 : 0;
    SetOption("HideMicrosoftServices", hide);
    CurrentOptions().hideMicrosoftServices = hide;
    FillServiceList(page);
}

BOOL OnInitDialog(HWND page)
{
    if (!IsNtFamily()) ShowWindow(GetDlgItem(page, IDC_CLOSE_BUTTON), SW_HIDE);
    CheckDlgButton(page, IDC_HIDE_MS_SERVICES, CurrentOptions().hideMicrosoftServices > 0 ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void OnCommand(HWND page, int command, int code)
{
    switch (command) {
    case IDC_INFO: OnInfo(page); break;
    case IDC_HIDE_MS_SERVICES:
        if (code == BN_CLICKED) OnHideMicrosoftServices(page);
        break;
    default: break;  // Enter and Escape do nothing here
    }
}

bool OnListNotify(HWND page, const NMHDR* header)
{
    switch (header->code) {
    case LVN_ITEMCHANGED:
    case NM_CLICK:
    case LVN_KEYDOWN: PageShowSelectedPath(page); return true;
    case NM_DBLCLK: OnInfo(page); return true;
    default: return false;
    }
}

}  // namespace

INT_PTR CALLBACK ServicesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
