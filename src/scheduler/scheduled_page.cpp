// The Scheduled Tasks page: the work items of the Windows Task Scheduler, with Info,
// Remove, Delete File on Reboot, help and the task patrol time.
#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "resource.h"
#include "scheduler/scheduled_patrol.h"
#include "scheduler/task_scheduler.h"
#include "shell/console.h"
#include "shell/listview.h"
#include "shell/page.h"
#include "shell/pages.h"

#include <commctrl.h>

namespace {

void FillScheduledList(HWND page);
void OnCommand(HWND page, int command, int code);

const ControlText kTexts[] = {
    {IDC_SCHEDULED_INTRO, IDS_SCHEDULED_INTRO}, {IDC_SCHEDULED_HINT, IDS_SCHEDULED_HINT},
    {IDC_INFO, IDS_INFO},                       {IDC_REMOVE, IDS_REMOVE},
};
const UINT kColumns[] = {IDS_COL_NAME, IDS_COL_PROGRAM, IDS_COL_NEXT_RUN, IDS_COL_LAST_RUN};
const int kButtons[] = {IDC_INFO, IDC_REMOVE, IDC_CLOSE_BUTTON};

PageDescription Describe()
{
    PageDescription page = DescribeListPage(CMD_SCHEDULED_PAGE, kTexts, kColumns, kButtons);
    page.patrolKind = IDS_PATROL_TASKS;
    page.fill = FillScheduledList;
    page.onCommand = OnCommand;
    page.onListNotify = ProgramListNotify;
    page.sharedContextMenu = true;
    return page;
}
const PageDescription kPage = Describe();

HWND List(HWND page) { return GetDlgItem(page, IDC_LIST); }

// The monitor's list of known tasks, read once per fill.
KnownList g_known;

void AddTaskRow(HWND list, int index)
{
    EntryCopy entry;
    CopyEntry(index, entry);
    char name[ENTRY_TITLE_CHARS];
    char program[ENTRY_PATH_CHARS];
    TaskDisplayName(entry.title, name, sizeof name);
    CopyText(program, entry.path);  // the whole text when it has no backslash
    FileNamePart(entry.path, program, sizeof program);

    InsertListRow(list, name, index, DeferProgramIcon(index, entry.path, 0, 0), !g_known.Has(entry.title));
    SetListCell(list, index, 1, program);
    SetListCell(list, index, 2, entry.extra);
    SetListCell(list, index, 3, entry.detail);
}

void FillScheduledList(HWND page)
{
    LoadKnownTasks(g_known);
    RefillList(List(page), EnumerateScheduledTasks, AddTaskRow, CMD_SCHEDULED_PAGE);
}

void OnRemove(HWND page)
{
    int index = SelectedEntry(List(page));
    if (index < 0) {
        InfoBox(IDS_NO_SELECTION);
        return;
    }
    char title[ENTRY_TITLE_CHARS];
    char question[1400];
    GetEntryTitle(index, title);
    FormatLoadedText(question, sizeof question, IDS_CONFIRM_REMOVE_TASK, "s", title);
    if (ConsoleMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    HRESULT result = DeleteScheduledTask(title);
    PageRefill(page, kPage);
    if (FAILED(result)) ErrorBox(IDS_TASK_NOT_REMOVED);
}

void OnCommand(HWND page, int command, int code)
{
    if (!PageOnListButtons(page, command, code) && command == IDC_REMOVE) OnRemove(page);  // Escape is ignored
}

}  // namespace

INT_PTR CALLBACK ScheduledPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
