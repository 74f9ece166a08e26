// The File Types page: the programs associated with the monitored file types.
#include "resource.h"
#include "shell/page.h"
#include "shell/pages.h"

namespace {

const ControlText kTexts[] = {
    {IDC_FILETYPES_INTRO, IDS_FILETYPES_INTRO}, {IDC_FILETYPES_HINT, IDS_FILETYPES_HINT},
    {IDC_INFO, IDS_INFO},                       {IDC_ADD, IDS_ADD},
    {IDC_REMOVE, IDS_REMOVE},
};
const UINT kColumns[] = {IDS_COL_TITLE, IDS_COL_COMMAND, IDS_COL_CLASS, IDS_COL_EXTENSION};
const int kButtons[] = {IDC_INFO, IDC_ADD, IDC_REMOVE, IDC_CLOSE_BUTTON};

PageDescription Describe()
{
    PageDescription page = DescribeListPage(CMD_FILETYPES_PAGE, kTexts, kColumns, kButtons);
    page.patrolKind = IDS_PATROL_FILETYPES;
    return page;
}
const PageDescription kPage = Describe();

}  // namespace

INT_PTR CALLBACK FileTypesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
