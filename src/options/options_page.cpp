// The Options page: the settings the resident monitor obeys, its three patrol times and
// the tools (history, HOSTS file, full report, settings export, admin options).
#include "foundations/settings.h"
#include "history/history_dialog.h"
#include "options/admin_options.h"
#include "options/check_boxes.h"
#include "options/option_switches.h"
#include "options/patrol.h"
#include "options/system_files.h"
#include "resource.h"
#include "shell/console.h"
#include "shell/page.h"
#include "shell/pages.h"
#include "shell/report_sections.h"

#include <commctrl.h>
#include <prsht.h>

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

const int kSwitches[] = {IDC_AUTORUN, IDC_PLAY_SOUNDS, IDC_TRACK_HISTORY, IDC_LOCK_HOSTS, IDC_CONFIRM_EXIT};

// The page's own patrol icons and the kinds they edit.
struct PatrolIcon {
    int icon;
    UINT kind;
};
const PatrolIcon kPatrolIcons[] = {
    {IDC_STARTPAGE_ICON, IDS_PATROL_STARTPAGE},
    {IDC_HOSTS_ICON, IDS_PATROL_HOSTS},
    {IDC_WININIT_ICON, IDS_PATROL_WININIT},
};

bool PatrolOn(UINT kind)
{
    const int* minutes = PatrolSettingValue(kind);
    if (!minutes) return false;
    // The monitor treats any non-zero restart-file time as on; the others need a positive one.
    return kind == IDS_PATROL_WININIT ? *minutes != 0 : *minutes > 0;
}

void ShowPatrolIcons(HWND page)
{
    for (const PatrolIcon& row : kPatrolIcons) SetMonitorIcon(page, row.icon, PatrolOn(row.kind));
}

void ShowSwitch(HWND page, int control)
{
    HWND box = GetDlgItem(page, control);
    EnableWindow(box, OptionSwitchAvailable(control));
    SetBoxChecked(page, control, OptionSwitchOn(control));
}

// The Windows 95 family keeps its restart commands in wininit.ini, which the monitor can
// watch; the NT family has none, so the row is not offered there.
void ShowRestartFileRow(HWND page)
{
    int show = IsNT() ? SW_HIDE : SW_SHOW;
    ShowWindow(GetDlgItem(page, IDC_WININIT_ICON), show);
    ShowWindow(GetDlgItem(page, IDC_WININIT_LABEL), show);
}

// Reads the settings again: the monitor may have changed them since the console started.
BOOL OnInit(HWND)
{
    LoadSettingValues();
    return TRUE;
}

void OnActivated(HWND page)
{
    ShowPatrolIcons(page);
    for (int control : kSwitches) ShowSwitch(page, control);
    ShowRestartFileRow(page);
}

void OnDeactivated(HWND page)
{
    for (const PatrolIcon& row : kPatrolIcons) RemoveIconProperties(GetDlgItem(page, row.icon));
}

void OnSwitchClicked(HWND page, int control)
{
    bool wanted = BoxChecked(page, control);
    SetOptionSwitch(control, wanted);
    ShowSwitch(page, control);
}

bool OnPatrolIcon(HWND page, int control)
{
    for (const PatrolIcon& row : kPatrolIcons) {
        if (row.icon != control) continue;
        EditPatrolTimeAt(page, row.icon, row.kind);
        return true;
    }
    return false;
}

void OnViewHistory(HWND page) { ShowHistoryDialog(GetParent(page)); }
void OnViewHosts(HWND) { ViewHostsFile(); }
void OnFullReport(HWND page) { StartFullReport(page); }
void OnExportSettings(HWND page) { StartSettingsExport(page); }
void OnProOptions(HWND page) { ShowAdminOptions(GetParent(page)); }

struct Tool {
    int button;
    void (*run)(HWND page);
};
const Tool kTools[] = {
    {IDC_VIEW_HISTORY, OnViewHistory}, {IDC_VIEW_HOSTS, OnViewHosts},         {IDC_FULL_REPORT, OnFullReport},
    {IDC_EXPORT_SETTINGS, OnExportSettings}, {IDC_PRO_OPTIONS, OnProOptions},
};

// Enter and Escape (1 and 2) reach no row of these tables and are ignored.
void OnCommand(HWND page, int command, int code)
{
    if (code != BN_CLICKED) return;
    if (IsOptionSwitch(command)) {
        OnSwitchClicked(page, command);
        return;
    }
    if (OnPatrolIcon(page, command)) return;
    for (const Tool& tool : kTools)
        if (tool.button == command) tool.run(page);
}

// The page keeps its dialog layout when the sheet is resized.
PageDescription Describe()
{
    PageDescription page = DescribePage(CMD_OPTIONS_PAGE, kTexts);
    page.onInit = OnInit;
    page.onActivated = OnActivated;
    page.onCommand = OnCommand;
    return page;
}
const PageDescription kPage = Describe();

bool IsKillActive(UINT message, LPARAM lParam)
{
    return message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == (UINT)PSN_KILLACTIVE;
}

}  // namespace

INT_PTR CALLBACK OptionsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsKillActive(message, lParam)) OnDeactivated(page);
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
