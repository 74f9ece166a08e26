// The Set Patrol Time dialog and the patrol settings behind every Monitor icon (see patrol.h).
#include "options/patrol.h"

#include "foundations/settings.h"
#include "foundations/strings.h"
#include "resource.h"
#include "shell/console.h"

#include <commctrl.h>

namespace {

const int PATROL_EDIT_CHARS = 2;
const int PATROL_TRACK_MAX = 30;
// What the dialog shows for a kind that has no setting of its own.
const int PATROL_DEFAULT_MINUTES = 3;

struct PatrolKind {
    UINT kind;  // string id of the dialog's title
    const char* setting;
    int Options::*value;
};

const PatrolKind kPatrolKinds[] = {
    {IDS_PATROL_STARTUP, "Start", &Options::start},
    {IDS_PATROL_IEHELPERS, "IEHelpers", &Options::ieHelpers},
    {IDS_PATROL_TASKS, "Tasks", &Options::tasks},
    {IDS_PATROL_COOKIES, "Cookies", &Options::cookies},
    {IDS_PATROL_FILETYPES, "FileType", &Options::fileType},
    {IDS_PATROL_NUTS, "Nuts", &Options::nuts},
    {IDS_PATROL_WININIT, "WinInit", &Options::winInit},
    {IDS_PATROL_STARTPAGE, "StartPage", &Options::startPage},
    {IDS_PATROL_HOSTS, "HostFile", &Options::hostFile},
    {IDS_PATROL_SERVICES, "Services", &Options::services},
    {IDS_PATROL_HOOKS, "Hooks", &Options::hooks},
};

const PatrolKind* FindPatrolKind(UINT kind)
{
    for (const PatrolKind& row : kPatrolKinds)
        if (row.kind == kind) return &row;
    return nullptr;
}

HWND TrackBar(HWND dialog) { return GetDlgItem(dialog, IDC_PATROL_TRACKBAR); }

BOOL OnInitDialog(HWND dialog, UINT kind)
{
    // The dialog carries its patrol kind itself, so whoever holds the window knows what it edits.
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)kind);

    char title[256];
    if (LoadText(kind, title) > 0) SetWindowTextA(dialog, title);
    SetItemTextById(dialog, IDS_PATROL_INTRO, IDC_PATROL_INTRO);
    SetItemTextById(dialog, IDS_PATROL_MINUTES, IDC_PATROL_MINUTES);
    SetItemTextById(dialog, IDS_PATROL_ZERO_HINT, IDC_PATROL_ZERO_HINT);
    SetItemTextById(dialog, IDS_OK, IDOK);
    SetItemTextById(dialog, IDS_CLOSE, IDCANCEL);

    SendDlgItemMessageA(dialog, IDC_PATROL_EDIT, EM_LIMITTEXT, PATROL_EDIT_CHARS, 0);
    SendMessageA(TrackBar(dialog), TBM_SETRANGE, TRUE, MAKELPARAM(0, PATROL_TRACK_MAX));

    const int* value = PatrolSettingValue(kind);
    int minutes = value ? *value : PATROL_DEFAULT_MINUTES;
    SendMessageA(TrackBar(dialog), TBM_SETPOS, TRUE, minutes);
    SetDlgItemInt(dialog, IDC_PATROL_EDIT, (UINT)minutes, TRUE);
    return TRUE;
}

// The track bar writes its position into the edit; at 0 the watch is off and the edit
// has nothing to say.
void OnTrackBarMoved(HWND dialog)
{
    int position = (int)SendMessageA(TrackBar(dialog), TBM_GETPOS, 0, 0);
    SetDlgItemInt(dialog, IDC_PATROL_EDIT, (UINT)position, FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_PATROL_EDIT), position != 0);
}

// Typing moves the track bar (which stops at its end: 45 minutes shows as 30 there).
void OnEditChanged(HWND dialog)
{
    BOOL number = FALSE;
    UINT minutes = GetDlgItemInt(dialog, IDC_PATROL_EDIT, &number, FALSE);
    if (number) SendMessageA(TrackBar(dialog), TBM_SETPOS, TRUE, (LPARAM)minutes);
}

void OnOk(HWND dialog)
{
    BOOL number = FALSE;
    int minutes = (int)GetDlgItemInt(dialog, IDC_PATROL_EDIT, &number, TRUE);
    EndDialog(dialog, number ? minutes : 0);
}

INT_PTR CALLBACK PatrolTimeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (UINT)lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) == TrackBar(dialog)) OnTrackBarMoved(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_PATROL_EDIT:
            if (HIWORD(wParam) == EN_CHANGE) OnEditChanged(dialog);
            return TRUE;
        case IDOK:
            OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, -1);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

}  // namespace

int SetPatrolTime(HWND owner, UINT patrolKind)
{
    return (int)DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_PATROL_TIME), owner, PatrolTimeProc,
                                (LPARAM)patrolKind);
}

const char* PatrolSettingName(UINT patrolKind)
{
    const PatrolKind* row = FindPatrolKind(patrolKind);
    return row ? row->setting : nullptr;
}

int* PatrolSettingValue(UINT patrolKind)
{
    const PatrolKind* row = FindPatrolKind(patrolKind);
    return row ? &(CurrentOptions().*(row->value)) : nullptr;
}

int StorePatrolTime(UINT patrolKind, int minutes)
{
    const PatrolKind* row = FindPatrolKind(patrolKind);
    if (!row || minutes < 0) return 0;
    CurrentOptions().*(row->value) = minutes;
    SetOption(row->setting, minutes);
    return 1;
}

int EditPatrolTimeAt(HWND page, int iconControl, UINT patrolKind)
{
    int minutes = SetPatrolTime(page, patrolKind);
    if (minutes < 0) return minutes;
    StorePatrolTime(patrolKind, minutes);
    SetMonitorIcon(page, iconControl, minutes > 0);
    return minutes;
}

int EditPatrolTime(HWND page, UINT patrolKind)
{
    return EditPatrolTimeAt(page, IDC_MONITOR_ICON, patrolKind);
}
