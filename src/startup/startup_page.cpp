// The Startup Programs page: every startup entry, with Info, Add, Remove, Enable/Disable,
// Delete File on Reboot, help and the startup patrol time.
#include "foundations/entries.h"
#include "foundations/paths.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/version_info.h"
#include "processes/processes.h"
#include "resource.h"
#include "shell/app.h"
#include "shell/console.h"
#include "shell/delete_on_reboot.h"
#include "shell/layout.h"
#include "shell/listview.h"
#include "shell/page.h"
#include "shell/pages.h"
#include "shell/properties_dialog.h"
#include "shell/questions.h"
#include "startup/startup_actions.h"
#include "startup/startup_patrol.h"
#include "startup/startup_scan.h"

#include <commctrl.h>
#include <vector>

namespace {

void FillStartupList(HWND page);

const ControlText kTexts[] = {
    {IDC_STARTUP_INTRO, IDS_STARTUP_INTRO}, {IDC_STARTUP_HINT, IDS_STARTUP_HINT}, {IDC_INFO, IDS_INFO},
    {IDC_ENABLE, IDS_ENABLE},               {IDC_DISABLE, IDS_DISABLE},           {IDC_ADD, IDS_ADD},
    {IDC_REMOVE, IDS_REMOVE},
};
const UINT kColumns[] = {IDS_COL_TITLE, IDS_COL_COMMAND, IDS_COL_VERSION};
// Enable and Disable share one place: Disable is the alternate of Enable.
const int kButtons[] = {IDC_INFO, IDC_ENABLE, IDC_ADD, IDC_REMOVE, IDC_CLOSE_BUTTON};
const int kAlternates[] = {0, IDC_DISABLE, 0, 0, 0};

BOOL OnInitDialog(HWND page);
void OnCommand(HWND page, int command, int code);
bool OnListNotify(HWND page, const NMHDR* header);
void UpdateSelectionState(HWND page);

PageDescription Describe()
{
    PageDescription page = DescribeListPage(CMD_STARTUP_PAGE, kTexts, kColumns, kButtons, &kAlternates);
    page.patrolKind = IDS_PATROL_STARTUP;
    page.fill = FillStartupList;
    page.onInit = OnInitDialog;
    page.onActivated = UpdateSelectionState;
    page.onCommand = OnCommand;
    page.onListNotify = OnListNotify;
    page.sharedContextMenu = true;
    return page;
}
const PageDescription kPage = Describe();

const char kMonitorClass[] = "Vigilark";
const char kMonitorProgram[] = "Vigilark.exe";

HWND List(HWND page) { return GetDlgItem(page, IDC_LIST); }

// The monitor's known-programs list, read once per fill.
KnownList g_known;

void FillStartupRow(HWND list, int index)
{
    char title[ENTRY_TITLE_CHARS];
    char path[ENTRY_PATH_CHARS];
    GetEntryTitle(index, title);
    GetEntryPath(index, path);

    // The monitor's own entry is shown under the console's title.
    const char* shown = ContainsNoCase(title, "Vigilark") ? ConsoleCaption() : title;
    bool disabled = IsEntryDisabled(index) != 0;
    InsertListRow(list, shown, index, DeferProgramIcon(index, path, 0, 0),
                  !disabled && !IsKnownStartupEntry(g_known, title, path));

    char command[ENTRY_PATH_CHARS + 16] = "";
    if (GetEntryValue(index) == 1) CopyText(command, "RunDLL32.exe ");
    int offset = FileNameOffset(path);
    AppendText(command, path + offset);
    SetListCell(list, index, 1, command);

    char version[128] = "";
    if (disabled) {
        LoadText(IDS_DISABLED_MARK, version);
    } else {
        char program[1024];
        VersionFields fields;
        ProgramPathAsWritten(path, program, sizeof program);
        ReadVersionFields(program, &fields);
        CopyText(version, fields.productVersion[0] ? fields.productVersion : "?");
    }
    SetListCell(list, index, 2, version);
}

void FillStartupList(HWND page)
{
    LoadKnownPrograms(g_known);
    RefillList(List(page), CollectStartupEntries, FillStartupRow, CMD_STARTUP_PAGE);
}

// Shows Enable or Disable for the selected entry, and where the entry lives.
void UpdateSelectionState(HWND page)
{
    int index = SelectedEntry(List(page));
    HWND enable = GetDlgItem(page, IDC_ENABLE);
    HWND disable = GetDlgItem(page, IDC_DISABLE);
    if (index < 0) {
        ShowWindow(enable, SW_HIDE);
        ShowWindow(disable, SW_HIDE);
        return;
    }
    bool disabled = IsEntryDisabled(index) != 0;
    ShowWindow(enable, disabled ? SW_SHOW : SW_HIDE);
    EnableWindow(enable, disabled);
    ShowWindow(disable, disabled ? SW_HIDE : SW_SHOW);
    EnableWindow(disable, !disabled);

    if (StatusBar()) {
        char status[600];
        char location[512];
        LoadText(IDS_STARTUP_LOCATION, status);
        StartupLocationText(index, location, sizeof location);
        AppendText(status, location);
        SetStatusText(status);
    }
}

void Refresh(HWND page)
{
    PageRefill(page, kPage);
    UpdateSelectionState(page);
}

// Tells the user why an action changed nothing (the first refusal of a batch).
void ReportResult(StartupResult result)
{
    UINT message = StartupResultMessage(result);
    if (message == 0) return;
    char text[1024];
    LoadText(message, text);
    ConsoleMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

StartupResult FirstFailure(StartupResult sofar, StartupResult result)
{
    return sofar == STARTUP_OK ? result : sofar;
}

bool HaveSelection(const std::vector<int>& entries)
{
    if (!entries.empty()) return true;
    InfoBox(IDS_NO_SELECTION);
    return false;
}

void OnInfo(HWND page) { ShowProperties(page, List(page)); }

// Offers once to end the programs of the chosen entries that run, naming the file each
// process runs, and ends exactly those processes on Yes.
void EndRunningPrograms(const std::vector<EntryCopy>& entries)
{
    std::vector<FoundProcess> running;
    std::vector<const EntryCopy*> owners;
    for (const EntryCopy& entry : entries) {
        FoundProcess found;
        if (!FindProgramProcess(entry.path, found)) continue;
        bool named = false;
        for (const FoundProcess& other : running) named = named || other.id == found.id;
        if (named) continue;
        running.push_back(found);
        owners.push_back(&entry);
    }
    if (running.empty() || !ConfirmEndPrograms(running)) return;
    for (size_t i = 0; i < running.size(); ++i) EndFoundProcess(running[i], owners[i]->path, owners[i]->title);
}

// The entries of the rows that the check lets change; the first refusal goes to outcome.
std::vector<EntryCopy> Changeable(const std::vector<int>& indexes, bool remove, StartupResult& outcome)
{
    std::vector<EntryCopy> chosen;
    for (int index : indexes) {
        if (!remove && IsEntryDisabled(index)) continue;
        EntryCopy entry;
        CopyEntry(index, entry);
        StartupResult result = remove ? CheckRemoveStartupEntry(entry.title, entry.path, entry.extra, entry.kind)
                                      : CheckToggleStartupEntry(entry.title, entry.path, entry.extra, entry.kind);
        if (result == STARTUP_OK)
            chosen.push_back(entry);
        else
            outcome = FirstFailure(outcome, result);
    }
    return chosen;
}

void OnDisable(HWND page)
{
    std::vector<int> entries = SelectedEntries(List(page));
    if (!HaveSelection(entries)) return;
    StartupResult outcome = STARTUP_OK;
    std::vector<EntryCopy> chosen = Changeable(entries, false, outcome);
    EndRunningPrograms(chosen);
    for (const EntryCopy& entry : chosen)
        outcome = FirstFailure(outcome, ToggleStartupEntry(entry.title, entry.path, entry.extra, entry.kind));
    Refresh(page);
    ReportResult(outcome);
}

void OnEnable(HWND page)
{
    std::vector<int> entries = SelectedEntries(List(page));
    if (!HaveSelection(entries)) return;
    StartupResult outcome = STARTUP_OK;
    for (int index : entries) {
        if (!IsEntryDisabled(index)) continue;
        EntryCopy entry;
        CopyEntry(index, entry);
        outcome = FirstFailure(outcome, ToggleStartupEntry(entry.title, entry.path, entry.extra, entry.kind));
    }
    Refresh(page);
    ReportResult(outcome);
}

// The removal question names the entry's program and the file the removal takes away.
bool ConfirmRemoval(const EntryCopy& entry)
{
    char text[1400];
    FormatLoadedText(text, sizeof text, IDS_CONFIRM_REMOVE_STARTUP, "s", entry.path);
    std::string file = RemovalFile(entry.path, entry.extra, entry.kind);
    std::vector<std::string> files;
    if (!file.empty()) files.push_back(file);
    return ConsoleMessageBox(QuestionNaming(text, files).c_str(), MB_YESNO | MB_ICONWARNING) == IDYES;
}

void OnRemove(HWND page)
{
    std::vector<int> entries = SelectedEntries(List(page));
    if (!HaveSelection(entries)) return;
    StartupResult outcome = STARTUP_OK;
    std::vector<EntryCopy> chosen = Changeable(entries, true, outcome);
    // One row is removed only when the user says so, and its program is offered to be ended
    // only then; several rows the user chose all, and only ending their programs is asked.
    if (entries.size() == 1 && !chosen.empty() && !ConfirmRemoval(chosen[0])) return;
    EndRunningPrograms(chosen);
    for (const EntryCopy& entry : chosen)
        outcome = FirstFailure(outcome, RemoveStartupEntry(entry.title, entry.path, entry.extra, entry.kind));
    Refresh(page);
    ReportResult(outcome);
}

void OnAdd(HWND page)
{
    char path[512];
    if (!AddStartupProgram(page, path, sizeof path)) return;
    StartupResult result = RegisterStartupProgram(path);
    Refresh(page);
    ReportResult(result);
}

void StartMonitorIfAbsent()
{
    if (!FindWindowA(kMonitorClass, nullptr)) WinExec(kMonitorProgram, SW_SHOW);
}

BOOL OnInitDialog(HWND page)
{
    ShowWindow(GetDlgItem(page, IDC_DISABLE), SW_HIDE);
    StartMonitorIfAbsent();
    return TRUE;
}

void OnCommand(HWND page, int command, int code)
{
    if (code == 2) command = IDOK;  // treated as Enter
    switch (command) {
    case IDOK:
    case IDC_INFO:
        OnInfo(page);
        break;
    case IDC_DISABLE:
        OnDisable(page);
        break;
    case IDC_ENABLE:
        OnEnable(page);
        break;
    case IDC_REMOVE:
        OnRemove(page);
        break;
    case IDC_ADD:
        OnAdd(page);
        break;
    case IDC_DELETE_ON_REBOOT:
        OfferDeleteOnReboot(List(page));
        break;
    default:
        break;  // Escape is ignored; the full report comes with its own module
    }
}

bool OnListNotify(HWND page, const NMHDR* header)
{
    switch (header->code) {
    case LVN_ITEMCHANGED:
    case NM_CLICK:
    case LVN_KEYDOWN:
        UpdateSelectionState(page);
        return true;
    case NM_DBLCLK:
        OnInfo(page);
        return true;
    default:
        return false;
    }
}

}  // namespace

INT_PTR CALLBACK StartupPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return StandardPageProc(kPage, page, message, wParam, lParam);
}
