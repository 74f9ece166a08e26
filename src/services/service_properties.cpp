// The service part of the Properties dialog (see service_properties.h). A change is written
// to the history only once it was made; a refused one is told in a message box.
#include "services/service_properties.h"

#include "foundations/entries.h"
#include "foundations/strings.h"
#include "history/history.h"
#include "resource.h"
#include "services/service_text.h"
#include "services/services.h"
#include "shell/console.h"
#include "shell/listview.h"
#include "shell/properties_dialog.h"

#include <winsvc.h>

namespace {

HWND StartTypeList(HWND dialog) { return GetDlgItem(dialog, IDC_PROP_STARTTYPE); }

// The start type the service has, as a list position: kept with the list (0 = none).
void RememberStartType(HWND dialog, int choice)
{
    SetWindowLongPtrA(StartTypeList(dialog), GWLP_USERDATA, (LONG_PTR)(choice + 1));
}
int RememberedStartType(HWND dialog) { return (int)GetWindowLongPtrA(StartTypeList(dialog), GWLP_USERDATA) - 1; }
int ChosenStartType(HWND dialog) { return (int)SendMessageA(StartTypeList(dialog), CB_GETCURSEL, 0, 0); }

void ShowControl(HWND dialog, int control, bool show)
{
    ShowWindow(GetDlgItem(dialog, control), show ? SW_SHOW : SW_HIDE);
}

void FillServiceState(HWND dialog, const char* title)
{
    DWORD state = 0;
    DWORD controls = 0;
    char text[128] = "";
    bool read = ReadServiceStatus(title, &state, &controls);
    if (read) LoadText(ServiceStateTextId(StateOfValue(state)), text);
    SetDlgItemTextA(dialog, IDC_PROP_STATUS, text);
    ShowControl(dialog, IDC_PROP_STATUS, true);
    ShowControl(dialog, IDC_PROP_STATUS_LABEL, true);
    ShowPropertiesButton(dialog, IDC_PROP_KILL, true);
    EnableWindow(GetDlgItem(dialog, IDC_PROP_KILL), read && controls != 0);
}

void FillService(HWND dialog, int index)
{
    EntryCopy entry;
    CopyEntry(index, entry);
    SetItemTextById(dialog, IDS_STOP, IDC_PROP_KILL);
    if (!entry.extra[0]) {
        SetPropertiesLocation(dialog, "");
        return;
    }
    ShowControl(dialog, IDC_PROP_LOCATION, false);
    for (int control : {IDC_PROP_APPLY, IDC_PROP_STARTTYPE_LABEL, IDC_PROP_STARTTYPE}) ShowControl(dialog, control, true);
    HWND list = StartTypeList(dialog);
    EnableWindow(list, TRUE);
    int choice = (int)SendMessageA(list, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)entry.extra);
    SendMessageA(list, CB_SETCURSEL, (WPARAM)choice, 0);
    RememberStartType(dialog, choice);
    FillServiceState(dialog, entry.title);
}

void OnStop(int index)
{
    EntryCopy entry;
    CopyEntry(index, entry);
    if (!SendServiceControl(entry.title, SERVICE_CONTROL_STOP)) {
        ErrorBox(IDS_SERVICE_STOP_FAILED);
        return;
    }
    AppendHistory(entry.title, entry.path, "", entry.kind, ACTION_SERVICE_STOP);
    Sleep(100);  // lets the service report its new state before the refill asks
}

void OnApply(HWND dialog, int index)
{
    int choice = ChosenStartType(dialog);
    DWORD start = StartValueOfChoice(choice);
    if (!start) return;
    EntryCopy entry;
    CopyEntry(index, entry);
    DWORD old = GetServiceStartType(entry.title);
    if (!SetServiceStartType(entry.title, start)) {
        ErrorBox(IDS_SERVICE_START_TYPE_FAILED);
        return;
    }
    if (old != start) {
        int from = StartTypeFromAction(old);
        if (from >= 0) AppendHistory(entry.title, entry.path, "", entry.kind, from);
        AppendHistory(entry.title, entry.path, "", entry.kind, StartTypeToAction(start));
    }
    RememberStartType(dialog, choice);
    EnableWindow(GetDlgItem(dialog, IDC_PROP_APPLY), FALSE);
}

bool ServiceCommand(HWND dialog, int index, int command)
{
    switch (command) {
    case IDC_PROP_KILL:
        OnStop(index);
        return true;
    case IDC_PROP_APPLY:
        OnApply(dialog, index);
        return false;  // no refill: the list keeps the choice just applied
    case IDC_PROP_STARTTYPE:
        EnableWindow(GetDlgItem(dialog, IDC_PROP_APPLY), ChosenStartType(dialog) != RememberedStartType(dialog));
        return false;
    default:
        return false;
    }
}

// A running program that a service runs: that service's description in the notes.
void FillServiceOfProgram(HWND dialog, int index)
{
    char path[ENTRY_PATH_CHARS];
    char program[1024];
    char description[1024];
    GetEntryPath(index, path);
    CanonicalProgramPath(path, program, sizeof program);
    if (ServiceDescriptionOfProgram(program, description, sizeof description) > 0)
        SetPropertiesNotes(dialog, description);
}

}  // namespace

void InstallServiceProperties()
{
    AddPropertiesKind({KIND_SERVICE_EXE, KIND_SERVICE_SVCHOST, FillService, ServiceCommand});
    AddPropertiesKind({KIND_INFO_TASK, KIND_INFO_TASK, FillServiceOfProgram, nullptr});
}
