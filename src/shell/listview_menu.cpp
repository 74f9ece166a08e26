// The right-click menu that the list pages share (see listview.h). Each item is the command
// of the page's button of the same meaning, so the page handles both alike.
#include "shell/listview.h"

#include "foundations/strings.h"
#include "resource.h"
#include "startup/startup_scan.h"

namespace {

struct MenuItem {
    int command;
    UINT text;
};

const MenuItem kCookieItems[] = {
    {IDC_VIEW_COOKIE, IDS_VIEW}, {IDC_REMOVE_UNCHECKED, IDS_REMOVE_UNCHECKED}, {IDC_REMOVE_CHECKED, IDS_REMOVE_CHECKED}};
const MenuItem kTaskItems[] = {
    {IDC_INFO, IDS_INFO}, {IDC_REFRESH, IDS_REFRESH}, {IDC_KILL_TASK, IDS_KILL_TASK},
    {IDC_DELETE_ON_REBOOT, IDS_DELETE_ON_REBOOT}};
const MenuItem kServiceItems[] = {{IDC_INFO, IDS_INFO}};
const MenuItem kRemovableItems[] = {
    {IDC_INFO, IDS_INFO}, {IDC_REMOVE, IDS_REMOVE}, {IDC_DELETE_ON_REBOOT, IDS_DELETE_ON_REBOOT}};
const MenuItem kHistoryItems[] = {{IDC_RESTORE, IDS_RESTORE}, {IDC_CLEAR_FILE, IDS_CLEAR_FILE}, {IDOK, IDS_CLOSE}};
const MenuItem kFileTypeItems[] = {{IDC_INFO, IDS_INFO}, {IDC_ADD, IDS_ADD}, {IDC_REMOVE, IDS_REMOVE}};

void AppendItem(HMENU menu, const MenuItem& item)
{
    char text[128];
    LoadText(item.text, text);
    AppendMenuA(menu, MF_STRING, (UINT_PTR)item.command, text);
}

template <size_t N> void AppendItems(HMENU menu, const MenuItem (&items)[N])
{
    for (const MenuItem& item : items) AppendItem(menu, item);
}

void AppendStartupItems(HMENU menu, int entry)
{
    const MenuItem toggle = IsEntryDisabled(entry) ? MenuItem{IDC_ENABLE, IDS_ENABLE} : MenuItem{IDC_DISABLE, IDS_DISABLE};
    const MenuItem items[] = {{IDC_INFO, IDS_INFO}, {IDC_ADD, IDS_ADD}, {IDC_REMOVE, IDS_REMOVE}, toggle,
                              {IDC_DELETE_ON_REBOOT, IDS_DELETE_ON_REBOOT}};
    AppendItems(menu, items);
}

// The items of the list kind before the separator.
void AppendKindItems(HMENU menu, int listKind, int entry)
{
    switch (listKind) {
    case CMD_STARTUP_PAGE: AppendStartupItems(menu, entry); break;
    case CMD_COOKIES_PAGE: AppendItems(menu, kCookieItems); break;
    case CMD_TASKS_PAGE: AppendItems(menu, kTaskItems); break;
    case CMD_SERVICES_PAGE: AppendItems(menu, kServiceItems); break;
    case CMD_SCHEDULED_PAGE:
    case CMD_IEHELPERS_PAGE:
    case CMD_HOOKS_PAGE: AppendItems(menu, kRemovableItems); break;
    case CMD_HISTORY_LIST: AppendItems(menu, kHistoryItems); break;
    case CMD_FILETYPES_PAGE: AppendItems(menu, kFileTypeItems); break;
    default: break;  // lists with nothing of their own still get the separator
    }
}

// The list pages whose entries the report and the CSV export hold.
bool IsReportedList(int listKind)
{
    switch (listKind) {
    case CMD_STARTUP_PAGE:
    case CMD_TASKS_PAGE:
    case CMD_SCHEDULED_PAGE:
    case CMD_IEHELPERS_PAGE:
    case CMD_FILETYPES_PAGE:
    case CMD_HOOKS_PAGE:
    case CMD_SERVICES_PAGE: return true;
    default: return false;
    }
}

}  // namespace

HMENU BuildListContextMenu(int listKind, int entry)
{
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    AppendKindItems(menu, listKind, entry);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    // The cookie lists have no place in the report.
    if (listKind != CMD_COOKIES_PAGE) AppendItem(menu, {IDC_FULL_REPORT_CMD, IDS_FULL_REPORT});
    if (IsReportedList(listKind)) AppendItem(menu, {IDC_SAVE_CSV_CMD, IDS_SAVE_CSV});
    AppendItem(menu, {IDC_HELP_ICON, IDS_HELP_CAPTION});
    return menu;
}

int ShowListContextMenu(HWND page, int listKind, int listControl)
{
    int entry = SelectedEntry(page, listControl);
    if (entry < 0) return 0;
    HMENU menu = BuildListContextMenu(listKind, entry);
    if (!menu) return 0;
    POINT cursor = {};
    GetCursorPos(&cursor);
    // The page must be in front, or the menu would not close when the user clicks elsewhere;
    // the posted message lets the menu's own loop end cleanly.
    SetForegroundWindow(page);
    TrackPopupMenuEx(menu, TPM_VERTICAL, cursor.x, cursor.y, page, nullptr);
    PostMessageA(page, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return 1;
}
