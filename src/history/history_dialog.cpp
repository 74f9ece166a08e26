// The History dialog (see history_dialog.h).
#include "history/history_dialog.h"

#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "history/history.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/help.h"
#include "shell/layout.h"
#include "shell/listview.h"
#include "shell/pages.h"
#include "shell/report_sections.h"

#include <commctrl.h>

namespace {

const UINT kColumns[] = {IDS_COL_TITLE, IDS_COL_ACTION, IDS_COL_COMMAND, IDS_COL_DATE_MODIFIED};

HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_LIST); }

void AddHistoryRow(HWND list, int index)
{
    char title[ENTRY_TITLE_CHARS];
    char path[ENTRY_PATH_CHARS];
    char date[ENTRY_DETAIL_CHARS];
    GetEntryTitle(index, title);
    GetEntryPath(index, path);
    GetEntryDetail(index, date);
    // A program's icon is read when its row is first drawn: the dialog shows a screenful of
    // up to a thousand lines.
    InsertListRow(list, title, index, DeferProgramIcon(index, path, 0, 0));
    const char* action = ActionKeyword(GetEntryValue(index));
    const char* kind = KindKeyword(GetEntryKind(index));
    SetListCell(list, index, 1, action ? action : "");
    SetListCell(list, index, 2, kind ? kind : "");
    SetListCell(list, index, 3, date);
}

void UpdateRestoreButton(HWND dialog)
{
    int index = SelectedEntry(List(dialog));
    EnableWindow(GetDlgItem(dialog, IDC_RESTORE), index >= 0 && IsReversible(index));
}

void LoadHistory(HWND dialog)
{
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    HWND list = List(dialog);
    ListView_DeleteAllItems(list);
    CreateImageList(list, 0);
    int count = LoadHistoryEntries();
    // Drawn once, when every row is in.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int index = 0; index < count; ++index) AddHistoryRow(list, index);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    // The newest changes are at the end; that is where the user looks.
    if (count > 0) ListView_EnsureVisible(list, count - 1, FALSE);
    UpdateRestoreButton(dialog);
    SetCursor(previous ? previous : LoadCursorA(nullptr, IDC_ARROW));
}

// An undo that did nothing says why: the line is gone or undone already, the entry
// already stands as before, or what was refused or failed and what is left.
void TellUndoOutcome(HWND dialog, const UndoOutcome& outcome)
{
    if (outcome.status == UNDO_DONE || outcome.message == 0) return;
    char text[2048];
    if (FormatLoadedText(text, sizeof text, outcome.message, "s", outcome.detail.c_str()) == 0)
        LoadText(outcome.message, text);
    UINT icon = outcome.status == UNDO_FAILED || outcome.status == UNDO_REFUSED ? MB_ICONEXCLAMATION : MB_ICONINFORMATION;
    // Owned by the dialog, which stays in front of the console while the user reads it.
    MessageBoxExA(dialog, text, ConsoleCaption(), MB_OK | MB_TOPMOST | icon, MessageLanguage());
}

void OnRestore(HWND dialog)
{
    int index = SelectedEntry(List(dialog));
    if (index < 0) return;
    UndoOutcome outcome = UndoHistoryLine(index);
    LoadHistory(dialog);
    TellUndoOutcome(dialog, outcome);
}

void OnClearFile(HWND dialog)
{
    char path[MAX_PATH];
    if (HistoryFilePath(path, sizeof path) > 0) ForceDeleteFile(path);
    LoadHistory(dialog);
}

BOOL OnInitDialog(HWND dialog)
{
    char text[512];
    if (LoadText(IDS_HISTORY_TITLE, text) > 0) SetWindowTextA(dialog, text);
    SetItemTextById(dialog, IDS_HISTORY_INTRO, IDC_HISTORY_INTRO);
    SetItemTextById(dialog, IDS_RESTORE, IDC_RESTORE);
    SetItemTextById(dialog, IDS_CLEAR_FILE, IDC_CLEAR_FILE);
    SetItemTextById(dialog, IDS_CLOSE, IDOK);
    HWND list = List(dialog);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    for (int column = 0; column < (int)(sizeof kColumns / sizeof kColumns[0]); ++column)
        AddListColumnById(list, column, kColumns[column], CMD_HISTORY_LIST);
    ResetSortDirections();
    EnableWindow(GetDlgItem(dialog, IDC_RESTORE), FALSE);
    // Centred over the console: a small dialog has no business moving the console.
    CentreWindow(dialog);
    LoadHistory(dialog);
    return TRUE;
}

void OnCommand(HWND dialog, int command)
{
    switch (command) {
    case IDC_RESTORE: OnRestore(dialog); break;
    case IDC_CLEAR_FILE: OnClearFile(dialog); break;
    case IDOK:
    case IDCANCEL: EndDialog(dialog, command); break;
    case IDC_HELP_ICON: OpenHelp(dialog, CMD_HISTORY_LIST); break;
    case IDC_FULL_REPORT_CMD: StartFullReport(dialog); break;  // reloads through MSG_REFILL
    default: break;
    }
}

INT_PTR OnNotify(HWND dialog, const NMHDR* header)
{
    if (header->idFrom != IDC_LIST) return FALSE;
    if (ResolveDeferredIcon(const_cast<NMHDR*>(header))) return TRUE;
    switch (header->code) {
    case LVN_ITEMCHANGED:
    case NM_CLICK:
    case LVN_KEYDOWN: UpdateRestoreButton(dialog); break;
    case NM_DBLCLK: OnRestore(dialog); break;
    case NM_RCLICK: ShowListContextMenu(dialog, CMD_HISTORY_LIST, IDC_LIST); break;
    case LVN_COLUMNCLICK: {
        int column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
        if (column >= 0 && column <= 4) OnListColumnClick(List(dialog), CMD_HISTORY_LIST, column);
        break;
    }
    default: return FALSE;
    }
    return TRUE;
}

INT_PTR CALLBACK HistoryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam)); return TRUE;
    case WM_NOTIFY: return OnNotify(dialog, reinterpret_cast<const NMHDR*>(lParam));
    case MSG_REFILL: LoadHistory(dialog); return TRUE;  // the report rebuilt the entry list
    case WM_DESTROY: DestroyImageList(0); FreeEntries(); return FALSE;
    default: return FALSE;
    }
}

}  // namespace

void ShowHistoryDialog(HWND owner)
{
    DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_HISTORY), owner, HistoryDialogProc, 0);
}
