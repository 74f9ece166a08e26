// The admin options dialog: for each configured user, whether the monitor hides its
// task-bar icon and its alerts (records in options/admin_users.h).
#include "options/admin_options.h"

#include "foundations/strings.h"
#include "foundations/text.h"
#include "history/history_dialog.h"
#include "options/admin_users.h"
#include "options/check_boxes.h"
#include "resource.h"
#include "shell/console.h"
#include "shell/layout.h"
#include "shell/page.h"

#include <vector>

namespace {

// What the dialog owns: the records behind the combo box's items (item data = index,
// -1 for the logged-on user when nobody is configured).
struct AdminDialog {
    std::vector<AdminUser> users;
};

const LRESULT NO_RECORD = -1;

AdminDialog* StateOf(HWND dialog) { return reinterpret_cast<AdminDialog*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

HWND UserList(HWND dialog) { return GetDlgItem(dialog, IDC_ADMIN_USERS); }

// The record of the selected user; nullptr when the selection has none.
AdminUser* SelectedUser(HWND dialog)
{
    AdminDialog* state = StateOf(dialog);
    LRESULT item = SendMessageA(UserList(dialog), CB_GETCURSEL, 0, 0);
    if (!state || item == CB_ERR) return nullptr;
    LRESULT index = SendMessageA(UserList(dialog), CB_GETITEMDATA, (WPARAM)item, 0);
    if (index < 0 || index >= (LRESULT)state->users.size()) return nullptr;
    return &state->users[(size_t)index];
}

const ControlText kTexts[] = {
    {IDC_ADMIN_INTRO, IDS_ADMIN_INTRO},         {IDC_ADMIN_WARNING, IDS_ADMIN_WARNING},
    {IDC_ADMIN_USER_LABEL, IDS_ADMIN_USER_NAME}, {IDC_ADMIN_HIDE_ICON, IDS_ADMIN_HIDE_ICON},
    {IDC_ADMIN_HIDE_ALERTS, IDS_ADMIN_HIDE_ALERTS}, {IDC_ADMIN_APPLY, IDS_APPLY},
    {IDCANCEL, IDS_CLOSE},                      {IDC_ADMIN_REVIEW, IDS_REVIEW},
};

void SetTexts(HWND dialog)
{
    char title[128];
    if (LoadText(IDS_ADMIN_TITLE, title) > 0) SetWindowTextA(dialog, title);
    for (const ControlText& row : kTexts) SetItemTextById(dialog, row.text, row.control);
}

void AddUserItem(HWND dialog, const char* name, LRESULT data)
{
    LRESULT item = SendMessageA(UserList(dialog), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    if (item >= 0) SendMessageA(UserList(dialog), CB_SETITEMDATA, (WPARAM)item, data);
}

// The configured users, the logged-on one selected when among them; with nobody configured
// just the logged-on user's name, which has nothing to apply.
void FillUsers(HWND dialog, AdminDialog* state)
{
    ReadAdminUsers(state->users);
    char me[ADMIN_USER_CHARS];
    LoggedOnUserName(me, sizeof me);
    for (size_t i = 0; i < state->users.size(); ++i) AddUserItem(dialog, state->users[i].name, (LRESULT)i);
    if (state->users.empty()) AddUserItem(dialog, me, NO_RECORD);
    SendMessageA(UserList(dialog), CB_SETCURSEL, 0, 0);
    LRESULT mine = SendMessageA(UserList(dialog), CB_FINDSTRINGEXACT, (WPARAM)-1, reinterpret_cast<LPARAM>(me));
    if (me[0] && mine != CB_ERR) SendMessageA(UserList(dialog), CB_SETCURSEL, (WPARAM)mine, 0);
}

// The selected user's flags. A user without a record cannot be set from here (the monitor
// only knows users whose Path was written for them), so the boxes and Apply are off.
void ShowSelectedUser(HWND dialog)
{
    const AdminUser* user = SelectedUser(dialog);
    SetBoxChecked(dialog, IDC_ADMIN_HIDE_ICON, user && user->hideTobrin > 0);
    SetBoxChecked(dialog, IDC_ADMIN_HIDE_ALERTS, user && user->hideAlerts > 0);
    for (int control : {IDC_ADMIN_HIDE_ICON, IDC_ADMIN_HIDE_ALERTS, IDC_ADMIN_APPLY})
        EnableWindow(GetDlgItem(dialog, control), user != nullptr);
}

BOOL OnInitDialog(HWND dialog, AdminDialog* state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    SetTexts(dialog);
    FillUsers(dialog, state);
    ShowSelectedUser(dialog);
    CentreWindow(dialog);
    return TRUE;
}

// The dialog stays open; a refusal is said, since the user asked for this change.
void OnApply(HWND dialog)
{
    AdminUser* user = SelectedUser(dialog);
    if (!user) return;
    bool hideIcon = BoxChecked(dialog, IDC_ADMIN_HIDE_ICON);
    bool hideAlerts = BoxChecked(dialog, IDC_ADMIN_HIDE_ALERTS);
    if (WriteAdminUserFlags(*user, hideIcon, hideAlerts)) return;
    char text[1024];
    FormatLoadedText(text, sizeof text, IDS_ADMIN_APPLY_FAILED, "s", user->name);
    ConsoleMessageBox(text, MB_OK | MB_ICONSTOP);
    ShowSelectedUser(dialog);
}

void OnCommand(HWND dialog, int command, int code)
{
    switch (command) {
    case IDC_ADMIN_USERS:
        if (code == CBN_SELCHANGE) ShowSelectedUser(dialog);
        break;
    case IDC_ADMIN_APPLY:
        OnApply(dialog);
        break;
    case IDC_ADMIN_REVIEW:
        ShowHistoryDialog(dialog);
        break;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        break;
    default:
        break;
    }
}

INT_PTR CALLBACK AdminOptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<AdminDialog*>(lParam));
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void ShowAdminOptions(HWND owner)
{
    AdminDialog state;  // the records live until the dialog has ended
    DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_ADMIN_OPTIONS), owner, AdminOptionsProc,
                    reinterpret_cast<LPARAM>(&state));
}
