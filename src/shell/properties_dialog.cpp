// The Properties dialog (see properties_dialog.h).
#include "shell/properties_dialog.h"

#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/signature.h"
#include "foundations/strings.h"
#include "foundations/system_view.h"
#include "foundations/text.h"
#include "foundations/version_info.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/help.h"
#include "shell/layout.h"
#include "shell/listview.h"
#include "shell/page.h"

#include <shellapi.h>
#include <commctrl.h>
#include <vector>

namespace {

std::vector<PropertiesKind> g_kinds;

std::vector<const PropertiesKind*> PartsOf(int kind)
{
    std::vector<const PropertiesKind*> parts;
    for (const PropertiesKind& entry : g_kinds)
        if (kind >= entry.firstKind && kind <= entry.lastKind) parts.push_back(&entry);
    return parts;
}

// What the dialog works on, kept in DWLP_USER. Stepping back to a program already shown
// does not verify its signature again.
struct PropertiesState {
    int index = 0;
    HICON icon = nullptr;
    SignatureChecker signatures;
};

PropertiesState* State(HWND dialog) { return reinterpret_cast<PropertiesState*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

const ControlText kTexts[] = {
    {IDC_PROP_NAME_LABEL, IDS_PROP_NAME},         {IDC_PROP_VERSION_LABEL, IDS_PROP_VERSION},
    {IDC_PROP_COMPANY_LABEL, IDS_PROP_COMPANY},   {IDC_PROP_COPYRIGHT_LABEL, IDS_PROP_COPYRIGHT},
    {IDC_PROP_SIGNATURE_LABEL, IDS_PROP_SIGNATURE}, {IDC_PROP_SIGNER_LABEL, IDS_PROP_SIGNER},
    {IDC_PROP_STARTTYPE_LABEL, IDS_PROP_STARTUP_TYPE}, {IDC_PROP_STATUS_LABEL, IDS_PROP_STATUS},
    {IDC_PROP_APPLY, IDS_APPLY},                  {IDC_PROP_KILL, IDS_KILL_TASK},
    {IDC_PROP_RUN, IDS_RUN},                      {IDC_PROP_ONLINE_INFO, IDS_PROP_ONLINE_INFO},
    {IDC_PROP_FREE_INFO, IDS_PROP_FREE_INFO},     {IDC_PROP_NEXT, IDS_NEXT},
    {IDC_PROP_PREVIOUS, IDS_PREVIOUS},            {IDOK, IDS_CLOSE},
};

void Show(HWND dialog, int control, bool show) { ShowWindow(GetDlgItem(dialog, control), show ? SW_SHOW : SW_HIDE); }

// The first icon of a file; NULL when it has none.
HICON FirstIcon(const char* file)
{
    if (!file || !*file) return nullptr;
    FileChoice readable = ReadableFile(file);
    FileRedirectionOff native(readable.redirectionOff);
    HICON icon = ExtractIconA(AppInstance(), readable.path.c_str(), 0);
    // 1 says the file is no program, library or icon file.
    return reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr;
}

// The program's first icon; a kind may show another (SetPropertiesIcon).
HICON EntryIcon(const char* program)
{
    char found[MAX_PATH];
    CopyText(found, program);
    return FindProgramFile(found, sizeof found) ? FirstIcon(found) : nullptr;
}

void SetIcon(HWND dialog, HICON icon)
{
    PropertiesState* state = State(dialog);
    SendDlgItemMessageA(dialog, IDC_PROP_ICON, BM_SETIMAGE, IMAGE_ICON, (LPARAM)icon);
    if (state->icon) DestroyIcon(state->icon);
    state->icon = icon;
}

void FillVersionFields(HWND dialog, const char* program, const char* title)
{
    VersionFields fields;
    ReadVersionFields(program, &fields);
    SetDlgItemTextA(dialog, IDC_PROP_NAME, fields.productName);
    SetDlgItemTextA(dialog, IDC_PROP_VERSION, fields.productVersion);
    SetDlgItemTextA(dialog, IDC_PROP_COMPANY, fields.companyName);
    SetDlgItemTextA(dialog, IDC_PROP_COPYRIGHT, fields.legalCopyright);
    SetDlgItemTextA(dialog, IDC_PROP_DESCRIPTION, fields.fileDescription[0] ? fields.fileDescription : title);
}

void FillSignature(HWND dialog, const char* program)
{
    Signature signature = State(dialog)->signatures.Check(program);
    char state[SIGNATURE_TEXT_CHARS];
    SignatureStateText(signature, state, sizeof state);
    SetDlgItemTextA(dialog, IDC_PROP_SIGNATURE, state);
    SetDlgItemTextA(dialog, IDC_PROP_SIGNER, signature.signer);
}

void FillNotes(HWND dialog, const char* detail)
{
    if (detail[0])
        SetPropertiesNotes(dialog, detail);
    else
        SetPropertiesAdvice(dialog);
}

void FillProperties(HWND dialog)
{
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    int index = State(dialog)->index;
    EnableWindow(GetDlgItem(dialog, IDC_PROP_APPLY), FALSE);
    for (int control : {IDC_PROP_APPLY, IDC_PROP_STARTTYPE, IDC_PROP_STARTTYPE_LABEL, IDC_PROP_KILL, IDC_PROP_RUN})
        Show(dialog, control, false);
    SetPropertiesLocation(dialog, "");
    SetPropertiesStatus(dialog, 0);

    EntryCopy entry;
    char program[1024];
    CopyEntry(index, entry);
    CanonicalProgramPath(entry.path, program, sizeof program);
    SetDlgItemTextA(dialog, IDC_PROP_PATH, program);
    SetWindowTextA(dialog, entry.title);
    SetIcon(dialog, EntryIcon(program));
    FillVersionFields(dialog, program, entry.title);
    FillSignature(dialog, program);
    FillNotes(dialog, entry.detail);

    for (const PropertiesKind* part : PartsOf(entry.kind))
        if (part->fill) part->fill(dialog, index);
    SetCursor(previous ? previous : LoadCursorA(nullptr, IDC_ARROW));
}

void Step(HWND dialog, int delta)
{
    int count = EntryCount();
    if (count <= 0) return;
    PropertiesState* state = State(dialog);
    state->index = ((state->index + delta) % count + count) % count;
    FillProperties(dialog);
}

void OnClose(HWND dialog, int result)
{
    SavePlacement(dialog, PROPERTIES_PLACEMENT);
    EndDialog(dialog, result);
}

void OnOnlineInfo(HWND dialog)
{
    char program[1024];
    GetDlgItemTextA(dialog, IDC_PROP_PATH, program, sizeof program);
    LookUpProgram(GetEntryKind(State(dialog)->index), program);
}

void OnFreeInfo()
{
    char address[512];
    ServerAddress(address, sizeof address);
    AppendText(address, "stats.html");
    OpenWebAddress(address);
}

void OnCommand(HWND dialog, int command)
{
    switch (command) {
    case IDC_PROP_NEXT: Step(dialog, 1); return;
    case IDC_PROP_PREVIOUS: Step(dialog, -1); return;
    case IDC_PROP_ONLINE_INFO: OnOnlineInfo(dialog); return;
    case IDC_PROP_FREE_INFO: OnFreeInfo(); return;
    case IDOK:
    case IDCANCEL: OnClose(dialog, command); return;
    default: break;
    }
    for (const PropertiesKind* part : PartsOf(GetEntryKind(State(dialog)->index))) {
        if (part->command && part->command(dialog, State(dialog)->index, command)) {
            FillProperties(dialog);
            return;
        }
    }
}

BOOL OnInitDialog(HWND dialog, PropertiesState* state)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    for (const ControlText& text : kTexts) SetItemTextById(dialog, text.text, text.control);
    HWND startType = GetDlgItem(dialog, IDC_PROP_STARTTYPE);
    for (UINT id : {IDS_START_AUTOMATIC, IDS_START_MANUAL, IDS_START_DISABLED}) {
        char text[64];
        LoadText(id, text);
        SendMessageA(startType, CB_ADDSTRING, 0, (LPARAM)text);
    }
    EnableWindow(startType, FALSE);
    FillProperties(dialog);
    RestorePosition(dialog, PROPERTIES_PLACEMENT.left, PROPERTIES_PLACEMENT.top);
    return TRUE;
}

INT_PTR CALLBACK PropertiesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, reinterpret_cast<PropertiesState*>(lParam));
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam)); return TRUE;
    case WM_DESTROY:
        if (State(dialog) && State(dialog)->icon) DestroyIcon(State(dialog)->icon);
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace

void AddPropertiesKind(const PropertiesKind& kind) { g_kinds.push_back(kind); }

void ShowPropertiesFor(HWND owner, int index)
{
    if (index < 0 || index >= EntryCount()) return;
    PropertiesState state;
    state.index = index;
    DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_PROPERTIES), owner, PropertiesDialogProc,
                    reinterpret_cast<LPARAM>(&state));
}

int ShowProperties(HWND page, HWND list)
{
    int row = FirstSelectedRow(list);
    int index = SelectedEntry(list);
    if (row < 0 || index < 0) {
        InfoBox(IDS_NO_SELECTION);
        return 0;
    }
    ShowPropertiesFor(page, index);
    SelectRow(list, row);
    return 1;
}

void SetPropertiesLocation(HWND dialog, const char* text)
{
    SetDlgItemTextA(dialog, IDC_PROP_LOCATION, text);
    Show(dialog, IDC_PROP_LOCATION, true);
}

void SetPropertiesStatus(HWND dialog, UINT textId)
{
    char text[128] = "";
    if (textId) LoadText(textId, text);
    SetDlgItemTextA(dialog, IDC_PROP_STATUS, text);
    Show(dialog, IDC_PROP_STATUS, textId != 0);
    Show(dialog, IDC_PROP_STATUS_LABEL, textId != 0);
}

void ShowPropertiesButton(HWND dialog, int button, bool show)
{
    Show(dialog, button, show);
    EnableWindow(GetDlgItem(dialog, button), show);
}

bool SetPropertiesIcon(HWND dialog, const char* file)
{
    HICON icon = FirstIcon(file);
    if (icon) SetIcon(dialog, icon);
    return icon != nullptr;
}

void SetPropertiesAdvice(HWND dialog)
{
    char advice[1024];
    LoadText(IDS_PROP_ADVICE, advice);
    SetDlgItemTextA(dialog, IDC_PROP_NOTES, advice);
    SendDlgItemMessageA(dialog, IDC_PROP_NOTES, WM_SETFONT, (WPARAM)Drawing().smallDialogFont, TRUE);
}

void SetPropertiesNotes(HWND dialog, const char* text)
{
    SetDlgItemTextA(dialog, IDC_PROP_NOTES, text);
    SendMessageA(GetDlgItem(dialog, IDC_PROP_NOTES), WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), TRUE);
}
