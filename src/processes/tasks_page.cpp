// The Active Tasks page: the programs running now.
#include "resource.h"
#include "shell/page.h"
#include "shell/pages.h"

namespace {

const ControlText kTexts[] = {
    {IDC_TASKS_INTRO, IDS_TASKS_INTRO}, {IDC_TASKS_HINT, IDS_TASKS_HINT},
    {IDC_INFO, IDS_INFO},               {IDC_REFRESH, IDS_REFRESH},
    {IDC_KILL_TASK, IDS_KILL_TASK},
};
const UINT kColumns[] = {IDS_COL_MODULE, IDS_COL_DESCRIPTION, IDS_COL_VERSION};
const int kButtons[] = {IDC_INFO, IDC_REFRESH, IDC_KILL_TASK, IDC_CLOSE_BUTTON};

const PageDescription kPage = {
    CMD_TASKS_PAGE, kTexts, 5, kColumns, 3, 0, kButtons, 4, nullptr, true, nullptr,
};

}  // namespace

INT_PTR CALLBACK TasksPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
