// The Cookies page: the cookie filter words and the way to the cookie list.
#include "resource.h"
#include "shell/page.h"
#include "shell/pages.h"

namespace {

const ControlText kTexts[] = {
    {IDC_COOKIES_INTRO, IDS_COOKIES_INTRO},
    {IDC_COOKIES_VIEW_HINT, IDS_COOKIES_VIEW_HINT},
    {IDC_COOKIES_FILTER_HINT, IDS_COOKIES_FILTER_HINT},
    {IDC_COOKIE_FILTERS_HEADING, IDS_COOKIE_FILTERS},
    {IDC_ADD, IDS_ADD},
    {IDC_REMOVE, IDS_REMOVE},
    {IDC_BROWSER_IE, IDS_BROWSER_IE},
    {IDC_BROWSER_MOZILLA, IDS_BROWSER_MOZILLA},
    {IDC_ALWAYS_VIEW_COOKIES, IDS_ALWAYS_VIEW_COOKIES},
    {IDC_VIEW_COOKIES, IDS_VIEW_COOKIES},
};

// The page keeps its dialog layout when the sheet is resized.
PageDescription Describe()
{
    PageDescription page = DescribePage(CMD_COOKIES_PAGE, kTexts);
    page.patrolKind = IDS_PATROL_NUTS;
    return page;
}
const PageDescription kPage = Describe();

}  // namespace

INT_PTR CALLBACK CookiesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
