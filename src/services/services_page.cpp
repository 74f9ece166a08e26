// The Services page (NT family only): services that run a program file.
#include "resource.h"
#include "shell/page.h"
#include "shell/pages.h"

namespace {

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
    return page;
}
const PageDescription kPage = Describe();

}  // namespace

INT_PTR CALLBACK ServicesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
