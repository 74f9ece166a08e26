// The IE Helpers page: browser helper objects, toolbars and extensions, with Info, Remove,
// Delete File on Reboot, help and the add-on patrol time.
#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/version_info.h"
#include "iehelpers/iehelpers.h"
#include "iehelpers/iehelpers_actions.h"
#include "iehelpers/iehelpers_patrol.h"
#include "resource.h"
#include "shell/console.h"
#include "shell/layout.h"
#include "shell/listview.h"
#include "shell/page.h"
#include "shell/pages.h"
#include "shell/properties_dialog.h"

#include <commctrl.h>

namespace {

void FillHelperList(HWND page);
BOOL OnInitDialog(HWND page);
void OnCommand(HWND page, int command, int code);
bool OnListNotify(HWND page, const NMHDR* header);
void ShowSelectedLocation(HWND page);

const ControlText kTexts[] = {
    {IDC_IEHELPERS_INTRO, IDS_IEHELPERS_INTRO}, {IDC_IEHELPERS_HINT, IDS_IEHELPERS_HINT},
    {IDC_INFO, IDS_INFO},                       {IDC_REMOVE, IDS_REMOVE},
};
const UINT kColumns[] = {IDS_COL_NAME, IDS_COL_PROGRAM, IDS_COL_COMPANY, IDS_COL_VERSION, IDS_COL_TYPE};
const int kButtons[] = {IDC_INFO, IDC_REMOVE, IDC_CLOSE_BUTTON};

PageDescription Describe()
{
    PageDescription page = DescribeListPage(CMD_IEHELPERS_PAGE, kTexts, kColumns, kButtons);
    page.patrolKind = IDS_PATROL_IEHELPERS;
    page.fill = FillHelperList;
    page.onInit = OnInitDialog;
    page.onActivated = ShowSelectedLocation;
    page.onCommand = OnCommand;
    page.onListNotify = OnListNotify;
    page.sharedContextMenu = true;
    return page;
}
const PageDescription kPage = Describe();

HWND List(HWND page) { return GetDlgItem(page, IDC_LIST); }

// The monitor's list of known add-ons, read once per fill.
KnownList g_known;

// An extension whose detail is an .ico file shows that icon; anything else its program's.
int HelperIcon(int index, const EntryCopy& entry)
{
    return DeferProgramIcon(index, ContainsNoCase(entry.detail, ".ico") ? entry.detail : entry.path, 0, 0);
}

void FillHelperRow(HWND list, int index)
{
    EntryCopy entry;
    CopyEntry(index, entry);
    InsertListRow(list, entry.title, index, HelperIcon(index, entry), !g_known.Has(entry.title));
    SetListCell(list, index, 1, entry.path + FileNameOffset(entry.path));

    // Company and version only of a file that names its product.
    char program[MAX_PATH];
    VersionFields fields;
    CanonicalProgramPath(entry.path, program, sizeof program);
    if (ReadVersionFields(program, &fields)) {
        SetListCell(list, index, 2, fields.companyName);
        SetListCell(list, index, 3, fields.productVersion);
    }
    char type[64];
    IeHelperTypeLabel(entry.kind, type, sizeof type);
    SetListCell(list, index, 4, type);
}

void FillHelperList(HWND page)
{
    LoadKnownIeHelpers(g_known);
    RefillList(List(page), EnumerateIeHelpers, FillHelperRow, CMD_IEHELPERS_PAGE);
}

// Where the selected add-on is registered, in the status bar.
void ShowSelectedLocation(HWND page)
{
    int index = SelectedEntry(List(page));
    if (index < 0 || !StatusBar()) return;
    char status[600];
    IeHelperStatusText(GetEntryKind(index), status, sizeof status);
    SetStatusText(status);
}

bool SelectedHelper(HWND page, int* index, EntryCopy& entry)
{
    *index = SelectedEntry(List(page));
    if (*index < 0 || !CopyEntry(*index, entry)) {
        InfoBox(IDS_NO_SELECTION);
        return false;
    }
    return true;
}

void OnRemove(HWND page)
{
    int index = -1;
    EntryCopy entry;
    if (!SelectedHelper(page, &index, entry)) return;
    char text[1400];
    FormatLoadedText(text, sizeof text, IDS_CONFIRM_REMOVE_IEHELPER, "s", entry.title);
    if (ConsoleMessageBox(text, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    bool removed = RemoveIeHelper(entry.path, index) != 0;
    PageRefill(page, kPage);
    if (removed) return;
    FormatLoadedText(text, sizeof text, IDS_IEHELPER_NOT_REMOVED, "s", entry.title);
    ConsoleMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

BOOL OnInitDialog(HWND)
{
    for (int base : {KIND_TYPE_BHO, KIND_TYPE_TOOLBAR, KIND_TYPE_EXTENSION}) {
        for (RegistryView view : {VIEW_NATIVE, VIEW_32BIT}) {
            char type[64];
            IeHelperTypeLabel(KindInView(base, view), type, sizeof type);
            SetKindTypeText(KindInView(base, view), type);
        }
    }
    return TRUE;
}

void OnCommand(HWND page, int command, int code)
{
    if (!PageOnListButtons(page, command, code) && command == IDC_REMOVE) OnRemove(page);  // Escape is ignored
}

bool OnListNotify(HWND page, const NMHDR* header)
{
    switch (header->code) {
    case LVN_ITEMCHANGED:
    case NM_CLICK:
    case LVN_KEYDOWN: ShowSelectedLocation(page); return true;
    case NM_DBLCLK: ShowProperties(page, List(page)); return true;
    default: return false;
    }
}

}  // namespace

INT_PTR CALLBACK IEHelpersPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
