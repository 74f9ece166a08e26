// The Options page: the settings the resident monitor obeys.
#include "history/history_dialog.h"
#include "resource.h"
#include "shell/page.h"
#include "shell/pages.h"

namespace {

const ControlText kTexts[] = {
    {IDC_OPTIONS_INTRO, IDS_OPTIONS_INTRO},
    {IDC_OPTIONS_GROUP, IDS_OPTIONS_GROUP},
    {IDC_STARTPAGE_LABEL, IDS_OPT_STARTPAGE_PATROL},
    {IDC_HOSTS_LABEL, IDS_OPT_HOSTS_PATROL},
    {IDC_WININIT_LABEL, IDS_OPT_WININIT_PATROL},
    {IDC_FULL_REPORT, IDS_FULL_REPORT},
    {IDC_VIEW_HOSTS, IDS_VIEW_HOSTS},
    {IDC_LOCK_HOSTS, IDS_OPT_LOCK_HOSTS},
    {IDC_TRACK_HISTORY, IDS_OPT_HISTORY},
    {IDC_VIEW_HISTORY, IDS_VIEW_HISTORY},
    {IDC_PLAY_SOUNDS, IDS_OPT_SOUND},
    {IDC_CONFIRM_EXIT, IDS_OPT_CONFIRM_EXIT},
    {IDC_AUTORUN, IDS_OPT_AUTORUN},
    {IDC_EXPORT_SETTINGS, IDS_EXPORT_SETTINGS},
    {IDC_PRO_OPTIONS, IDS_PRO_OPTIONS},
};

void OnCommand(HWND page, int command, int)
{
    switch (command) {
    case IDC_VIEW_HISTORY: ShowHistoryDialog(GetParent(page)); break;
    default: break;  // the other buttons arrive with the rest of the page
    }
}

// The page keeps its dialog layout when the sheet is resized.
PageDescription Describe()
{
    PageDescription page = DescribePage(CMD_OPTIONS_PAGE, kTexts);
    page.onCommand = OnCommand;
    return page;
}
const PageDescription kPage = Describe();

}  // namespace

INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
