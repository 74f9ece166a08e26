// The File Types page: the programs associated with the monitored file types, with Info,
// Add, Remove, help, the file-type patrol time and the full report.
#include "filetypes/add_filetype_dialog.h"
#include "filetypes/filetypes.h"
#include "foundations/entries.h"
#include "foundations/trace.h"
#include "resource.h"
#include "shell/console.h"
#include "shell/listview.h"
#include "shell/page.h"
#include "shell/pages.h"
#include "shell/properties_dialog.h"

#include <commctrl.h>

#include <string>

namespace {

void FillFileTypeList(HWND page);
BOOL OnInitDialog(HWND page);
void OnActivated(HWND page);
void OnCommand(HWND page, int command, int code);

const ControlText kTexts[] = {
    {IDC_FILETYPES_INTRO, IDS_FILETYPES_INTRO}, {IDC_FILETYPES_HINT, IDS_FILETYPES_HINT},
    {IDC_INFO, IDS_INFO},                       {IDC_ADD, IDS_ADD},
    {IDC_REMOVE, IDS_REMOVE},
};
const UINT kColumns[] = {IDS_COL_TITLE, IDS_COL_COMMAND, IDS_COL_CLASS, IDS_COL_EXTENSION};
const int kButtons[] = {IDC_INFO, IDC_ADD, IDC_REMOVE, IDC_CLOSE_BUTTON};
const int kTitleColumn = 0;
const int kExtensionColumn = 3;

PageDescription Describe()
{
    PageDescription page = DescribeListPage(CMD_FILETYPES_PAGE, kTexts, kColumns, kButtons);
    page.patrolKind = IDS_PATROL_FILETYPES;
    page.fill = FillFileTypeList;
    page.onInit = OnInitDialog;
    page.onActivated = OnActivated;
    page.onCommand = OnCommand;
    page.onListNotify = ProgramListNotify;
    page.sharedContextMenu = true;
    return page;
}
const PageDescription kPage = Describe();

HWND List(HWND page) { return GetDlgItem(page, IDC_LIST); }

// The DefaultIcon of the extension's class, else the icon of the program it opens with.
int FileTypeImage(int index, const EntryCopy& entry)
{
    std::string iconFile;
    int iconIndex = 0;
    if (IconSource(entry.detail, iconFile, &iconIndex)) return DeferProgramIcon(index, iconFile.c_str(), iconIndex, 0);
    return DeferProgramIcon(index, entry.path, 0, 0);
}

void FillFileTypeRow(HWND list, int index)
{
    EntryCopy entry;
    CopyEntry(index, entry);
    InsertListRow(list, entry.title, index, FileTypeImage(index, entry));
    char program[ENTRY_PATH_CHARS];
    FileTypeProgramName(entry.path, program, sizeof program);
    SetListCell(list, index, 1, program);
    SetListCell(list, index, 2, entry.extra);
    SetListCell(list, index, 3, entry.detail);
}

void FillFileTypeList(HWND page)
{
    RefillList(List(page), EnumerateMonitoredTypes, FillFileTypeRow, CMD_FILETYPES_PAGE);
}

void OnRemove(HWND page)
{
    int index = SelectedEntry(List(page));
    if (index < 0) {
        InfoBox(IDS_NO_SELECTION_REMOVE);
        return;
    }
    char extension[ENTRY_DETAIL_CHARS];
    GetEntryDetail(index, extension);
    RemoveMonitoredType(extension);
    FillFileTypeList(page);
}

void OnAdd(HWND page)
{
    RunAddFileTypeDialog(page);
    FillFileTypeList(page);
}

BOOL OnInitDialog(HWND)
{
    TraceMemoryLoad("WM_INITDIALOG");
    return TRUE;
}

// Each visit shows the types by extension; the next click on Title sorts in reverse.
void OnActivated(HWND page)
{
    SortList(List(page), CMD_FILETYPES_PAGE, kExtensionColumn);
    SetSortDirection(kTitleColumn, 1);
    PageShowSelectedPath(page);
}

void OnCommand(HWND page, int command, int)
{
    switch (command) {
    case IDOK:
    case IDC_INFO: ShowProperties(page, List(page)); break;
    case IDC_ADD: OnAdd(page); break;
    case IDC_REMOVE: OnRemove(page); break;
    default: break;  // Escape is ignored
    }
}

}  // namespace

INT_PTR CALLBACK FileTypesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
