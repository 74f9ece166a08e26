// The alert window and its queue (see alert_window.h).
#include "monitor/alert_window.h"

#include "foundations/settings.h"
#include "foundations/signature.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/version_info.h"
#include "resource.h"

#include <deque>

namespace {

std::deque<Finding> g_queue;  // the front one is showing when g_window is set
HWND g_window = nullptr;
HWND g_monitor = nullptr;

const struct {
    int control;
    UINT text;
    unsigned choice;
} kButtons[] = {
    {IDC_ALERT_ALLOW, IDS_ALERT_ALLOW, CHOICE_ALLOW},       {IDC_ALERT_DISABLE, IDS_ALERT_DISABLE, CHOICE_DISABLE},
    {IDC_ALERT_REMOVE, IDS_ALERT_REMOVE, CHOICE_REMOVE},    {IDC_ALERT_RESTORE, IDS_ALERT_RESTORE, CHOICE_RESTORE},
    {IDC_ALERT_ACCEPT, IDS_ALERT_ACCEPT, CHOICE_ACCEPT},
};

const struct {
    int control;
    UINT text;
} kLabels[] = {
    {IDC_ALERT_TITLE_LABEL, IDS_ALERT_TITLE_LABEL},         {IDC_ALERT_COMMAND_LABEL, IDS_ALERT_COMMAND_LABEL},
    {IDC_ALERT_LOCATION_LABEL, IDS_ALERT_LOCATION_LABEL},   {IDC_ALERT_PUBLISHER_LABEL, IDS_ALERT_PUBLISHER_LABEL},
    {IDC_ALERT_VERSION_LABEL, IDS_ALERT_VERSION_LABEL},     {IDC_ALERT_LATER, IDS_ALERT_LATER},
    {IDC_ALERT_SIGNATURE_LABEL, IDS_PROP_SIGNATURE},
};

// Who signed the program is where the user decides, so the alert says it; the file is read
// whole, so once per finding shown, not each time the waiting count changes.
void ShowSignature(HWND dialog, const std::string& program)
{
    static std::string shownFor;
    static char shown[SIGNATURE_TEXT_CHARS + SIGNER_CHARS + 4];
    if (program != shownFor) {
        shownFor = program;
        char state[SIGNATURE_TEXT_CHARS] = "";
        char signer[SIGNER_CHARS] = "";
        if (!program.empty()) ReadSignatureTexts(program.c_str(), state, sizeof state, signer, sizeof signer);
        FormatText(shown, sizeof shown, signer[0] ? "%s: %s" : "%s", state, signer);
    }
    SetDlgItemTextA(dialog, IDC_ALERT_SIGNATURE, shown);
}

void ShowFinding(HWND dialog, const Finding& finding)
{
    char text[1024];
    LoadText(IDS_ALERT_CAPTION, text);
    SetWindowTextA(dialog, text);
    SetItemTextById(dialog, finding.place->titleId, IDC_ALERT_HEADING);
    for (const auto& label : kLabels) SetItemTextById(dialog, label.text, label.control);
    const PatrolItem& item = finding.item;
    SetDlgItemTextA(dialog, IDC_ALERT_TITLE, item.title.c_str());
    SetDlgItemTextA(dialog, IDC_ALERT_COMMAND, item.command.c_str());
    SetDlgItemTextA(dialog, IDC_ALERT_LOCATION, item.location.c_str());
    VersionFields fields = {};
    if (!item.program.empty()) ReadVersionFields(item.program.c_str(), &fields);
    SetDlgItemTextA(dialog, IDC_ALERT_PUBLISHER, fields.companyName);
    SetDlgItemTextA(dialog, IDC_ALERT_VERSION, fields.productVersion);
    ShowSignature(dialog, item.program);
    text[0] = '\0';
    if (g_queue.size() > 1) FormatLoadedText(text, sizeof text, IDS_ALERT_WAITING, "d", (int)g_queue.size() - 1);
    SetDlgItemTextA(dialog, IDC_ALERT_WAITING, text);
    for (const auto& button : kButtons) {
        SetItemTextById(dialog, button.text, button.control);
        ShowWindow(GetDlgItem(dialog, button.control), (finding.choices & button.choice) ? SW_SHOW : SW_HIDE);
    }
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void OpenNext();

void CloseCurrent()
{
    if (g_window) DestroyWindow(g_window);
    g_window = nullptr;
    if (!g_queue.empty()) g_queue.pop_front();
    PostMessageA(g_monitor, MSG_ALERTS_CHANGED, 0, 0);
    OpenNext();
}

void OnChoice(HWND dialog, unsigned choice)
{
    if (g_queue.empty()) return;
    if (CarryOutChoice(g_queue.front(), choice)) {
        CloseCurrent();
        return;
    }
    char text[512];
    LoadText(IDS_ALERT_FAILED, text);
    char caption[64];
    LoadText(IDS_ALERT_CAPTION, caption);
    MessageBoxExA(dialog, text, caption, MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST, MessageLanguage());
}

void OnCommand(HWND dialog, int control)
{
    for (const auto& button : kButtons)
        if (button.control == control) return OnChoice(dialog, button.choice);
    if (control == IDC_ALERT_LATER || control == IDCANCEL) CloseCurrent();
}

INT_PTR CALLBACK AlertProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        if (!g_queue.empty()) ShowFinding(dialog, g_queue.front());
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        CloseCurrent();
        return TRUE;
    default:
        return FALSE;
    }
}

void OpenNext()
{
    if (g_window || g_queue.empty()) return;
    g_window = CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(IDD_MONITOR_ALERT), nullptr, AlertProc, 0);
    if (!g_window) return;
    ShowWindow(g_window, SW_SHOWNORMAL);
    SetForegroundWindow(g_window);
}

}  // namespace

void QueueAlert(HWND monitor, const Finding& finding)
{
    g_monitor = monitor;
    g_queue.push_back(finding);
    if (g_window)
        ShowFinding(g_window, g_queue.front());  // the count of those waiting
    else
        OpenNext();
}

int AlertsWaiting() { return (int)g_queue.size(); }

void ShowAlerts(HWND monitor)
{
    g_monitor = monitor;
    if (g_window) {
        ShowWindow(g_window, SW_SHOWNORMAL);
        SetForegroundWindow(g_window);
    } else {
        OpenNext();
    }
}

HWND AlertWindow() { return g_window; }

void CloseAlerts()
{
    g_queue.clear();
    if (g_window) DestroyWindow(g_window);
    g_window = nullptr;
}
