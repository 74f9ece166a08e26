// The Scheduled Tasks page: the work items of the Windows Task Scheduler.
#include "resource.h"
#include "shell/page.h"
#include "shell/pages.h"

namespace {

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
    return page;
}
const PageDescription kPage = Describe();

}  // namespace

INT_PTR CALLBACK ScheduledPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
