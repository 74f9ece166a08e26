// The System Hooks page: programs hooked into the start of Windows, of log-on or of every
// program, with Info, Remove (for a Shell or Userinit program: restore the default), Delete
// File on Reboot, help, sorting and the hooks' patrol time.
#include "foundations/entries.h"
#include "foundations/strings.h"
#include "hooks/hooks.h"
#include "hooks/hooks_patrol.h"
#include "resource.h"
#include "shell/console.h"
#include "shell/listview.h"
#include "shell/page.h"
#include "shell/pages.h"
#include "shell/properties_dialog.h"

#include <commctrl.h>

namespace {

void FillHookList(HWND page);
void OnCommand(HWND page, int command, int code);

const ControlText kTexts[] = {
    {IDC_HOOKS_INTRO, IDS_HOOKS_INTRO}, {IDC_HOOKS_HINT, IDS_HOOKS_HINT},
    {IDC_INFO, IDS_INFO},               {IDC_REMOVE, IDS_REMOVE},
};
const UINT kColumns[] = {IDS_COL_NAME, IDS_COL_PROGRAM, IDS_LOCATION};
const int kButtons[] = {IDC_INFO, IDC_REMOVE, IDC_CLOSE_BUTTON};

PageDescription Describe()
{
    PageDescription page = DescribeListPage(CMD_HOOKS_PAGE, kTexts, kColumns, kButtons);
    page.patrolKind = IDS_PATROL_HOOKS;
    page.fill = FillHookList;
    page.onCommand = OnCommand;
    page.onListNotify = ProgramListNotify;
    page.sharedContextMenu = true;
    return page;
}
const PageDescription kPage = Describe();

HWND List(HWND page) { return GetDlgItem(page, IDC_LIST); }

// The monitor's list of known hooks, read once per fill.
KnownList g_known;

void FillHookRow(HWND list, int index)
{
    EntryCopy entry;
    CopyEntry(index, entry);
    InsertListRow(list, entry.title, index, DeferProgramIcon(index, entry.path, 0, 0),
                  !RestoresDefault(entry.kind) && !g_known.Has(HookIdentity(index)));
    SetListCell(list, index, 1, entry.path);
    SetListCell(list, index, 2, HookLocationText(entry.kind, entry.extra).c_str());
}

void FillHookList(HWND page)
{
    LoadKnownHooks(g_known);
    RefillList(List(page), EnumerateSystemHooks, FillHookRow, CMD_HOOKS_PAGE);
}

void OnRemove(HWND page)
{
    int index = SelectedEntry(List(page));
    EntryCopy entry;
    if (index < 0 || !CopyEntry(index, entry)) {
        InfoBox(IDS_NO_SELECTION);
        return;
    }
    char text[1600];
    std::string location = HookLocationText(entry.kind, entry.extra);
    UINT question = RestoresDefault(entry.kind) ? IDS_CONFIRM_RESTORE_DEFAULT : IDS_CONFIRM_REMOVE_HOOK;
    FormatLoadedText(text, sizeof text, question, "ss", entry.title, location.c_str());
    if (ConsoleMessageBox(text, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    HookResult result = RemoveSystemHook(index);
    PageRefill(page, kPage);
    if (result == HOOK_OK) return;
    FormatLoadedText(text, sizeof text, IDS_HOOK_NOT_REMOVED, "s", entry.title);
    ConsoleMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

void OnCommand(HWND page, int command, int code)
{
    if (!PageOnListButtons(page, command, code) && command == IDC_REMOVE) OnRemove(page);  // Escape is ignored
}

}  // namespace

INT_PTR CALLBACK HooksPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
