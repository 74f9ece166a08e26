// The IE Helpers page: browser helper objects, toolbars and extensions.
#include "resource.h"
#include "shell/page.h"
#include "shell/pages.h"

namespace {

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
    return page;
}
const PageDescription kPage = Describe();

}  // namespace

INT_PTR CALLBACK IEHelpersPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
