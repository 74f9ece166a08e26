// The Active Tasks page: the programs running now, with Info, Refresh, Kill Task and
// Delete File on Reboot.
#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/platform.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/version_info.h"
#include "processes/processes.h"
#include "resource.h"
#include "shell/console.h"
#include "shell/layout.h"
#include "shell/listview.h"
#include "shell/page.h"
#include "shell/pages.h"
#include "shell/questions.h"

#include <commctrl.h>
#include <cstring>
#include <vector>

namespace {

void FillTaskList(HWND page);
BOOL OnInitDialog(HWND page);
void OnCommand(HWND page, int command, int code);

const ControlText kTexts[] = {
    {IDC_TASKS_INTRO, IDS_TASKS_INTRO}, {IDC_TASKS_HINT, IDS_TASKS_HINT},
    {IDC_INFO, IDS_INFO},               {IDC_REFRESH, IDS_REFRESH},
    {IDC_KILL_TASK, IDS_KILL_TASK},
};
const UINT kColumns[] = {IDS_COL_MODULE, IDS_COL_DESCRIPTION, IDS_COL_VERSION};
const int kButtons[] = {IDC_INFO, IDC_REFRESH, IDC_KILL_TASK, IDC_CLOSE_BUTTON};

PageDescription Describe()
{
    PageDescription page = DescribeListPage(CMD_TASKS_PAGE, kTexts, kColumns, kButtons);
    page.fill = FillTaskList;
    page.onInit = OnInitDialog;
    page.onCommand = OnCommand;
    page.onListNotify = ProgramListNotify;
    page.sharedContextMenu = true;
    return page;
}
const PageDescription kPage = Describe();

HWND List(HWND page) { return GetDlgItem(page, IDC_LIST); }

void AddTaskRow(HWND list, int index, const char* path)
{
    char title[ENTRY_TITLE_CHARS];
    GetEntryTitle(index, title);
    InsertListRow(list, path + FileNameOffset(path), index, DeferProgramIcon(index, path, 0, 0));

    char program[1024];
    VersionFields fields;
    CanonicalProgramPath(path, program, sizeof program);
    ReadVersionFields(program, &fields);
    SetListCell(list, index, 2, fields.productVersion[0] ? fields.productVersion : "?");
    if (title[0]) SetListCell(list, index, 1, title);
}

void FillTaskList(HWND page)
{
    // Only programs with a full path get a row.
    RefillList(List(page), BuildTaskList, [](HWND list, int index) {
        char path[ENTRY_PATH_CHARS];
        GetEntryPath(index, path);
        if (strchr(path, '\\')) AddTaskRow(list, index, path);
    }, CMD_TASKS_PAGE);
}

void OnKillTask(HWND page)
{
    std::vector<int> entries = SelectedEntries(List(page));
    if (entries.empty()) {
        InfoBox(IDS_NO_SELECTION);
        return;
    }
    // Each row's own entry, and only while its process is the one the list showed. A process
    // that cannot be ended is left out silently; the refill shows it still runs.
    std::vector<std::string> changed;
    for (int index : entries) {
        EntryCopy entry;
        CopyEntry(index, entry);
        if (EndListedTask(index) == TASK_NOT_AS_LISTED) changed.push_back(entry.path);
    }
    FillTaskList(page);
    if (!changed.empty())
        ConsoleMessageBox(FormatWithTargets(IDS_TASK_NOT_AS_LISTED, changed).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

BOOL OnInitDialog(HWND page)
{
    if (!IsNtFamily()) ShowWindow(GetDlgItem(page, IDC_CLOSE_BUTTON), SW_HIDE);
    return TRUE;
}

void OnCommand(HWND page, int command, int code)
{
    if (PageOnListButtons(page, command, code)) return;
    switch (command) {
    case IDC_REFRESH: FillTaskList(page); break;
    case IDC_KILL_TASK: OnKillTask(page); break;
    default: break;  // Escape is ignored; the full report comes with its own module
    }
}

}  // namespace

INT_PTR CALLBACK TasksPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
