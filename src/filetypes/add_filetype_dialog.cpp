// The Add File Type Extension dialog (see add_filetype_dialog.h). It places and remembers
// itself: its owner, the console, stays where the user put it.
#include "filetypes/add_filetype_dialog.h"

#include "filetypes/filetypes.h"
#include "foundations/strings.h"
#include "resource.h"
#include "shell/console.h"
#include "shell/layout.h"
#include "shell/page.h"

namespace {

const int kTypedChars = 256;  // the edit field takes 255 characters

const ControlText kTexts[] = {
    {IDC_ADDTYPE_INTRO, IDS_ADDTYPE_INTRO}, {IDOK, IDS_ADDTYPE_ADD}, {IDCANCEL, IDS_CLOSE}};

// Through the dialog manager, which also selects the text and keeps Add the default button.
void FocusEdit(HWND dialog)
{
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, IDC_ADDTYPE_EDIT), TRUE);
}

BOOL OnInitDialog(HWND dialog)
{
    char title[128];
    if (LoadText(IDS_ADDTYPE_TITLE, title) > 0) SetWindowTextA(dialog, title);
    for (const ControlText& text : kTexts) SetItemTextById(dialog, text.text, text.control);
    SendDlgItemMessageA(dialog, IDC_ADDTYPE_EDIT, EM_LIMITTEXT, kTypedChars - 1, 0);
    RestorePosition(dialog, ADD_FILETYPE_PLACEMENT.left, ADD_FILETYPE_PLACEMENT.top);
    FocusEdit(dialog);
    return FALSE;  // the focus is set
}

void Close(HWND dialog)
{
    SavePlacement(dialog, ADD_FILETYPE_PLACEMENT);
    EndDialog(dialog, 1);
}

// A refusal keeps the dialog open with the typed text selected for another try.
void OnAdd(HWND dialog)
{
    char typed[kTypedChars] = "";
    GetDlgItemTextA(dialog, IDC_ADDTYPE_EDIT, typed, sizeof typed);
    UINT refusal = AddMonitoredType(typed);
    if (refusal == 0) {
        Close(dialog);
        return;
    }
    ErrorBox(refusal);
    FocusEdit(dialog);
}

INT_PTR CALLBACK AddFileTypeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) OnAdd(dialog);
        if (LOWORD(wParam) == IDCANCEL) Close(dialog);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

INT_PTR RunAddFileTypeDialog(HWND page)
{
    return DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_ADD_FILETYPE), page, AddFileTypeProc, 0);
}
