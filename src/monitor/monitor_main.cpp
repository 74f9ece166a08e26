// Vigilark.exe, the resident monitor: one copy per log-on session, owning the window of
// class "Vigilark" by which the console finds it. It patrols the places the subjects put
// into the patrol table, shows what it finds one alert at a time, and sits in the
// notification area. "-Q" and WM_CLOSE end it without asking.
#include "app/start.h"
#include "foundations/entries.h"
#include "foundations/patrol_places.h"
#include "foundations/paths.h"
#include "foundations/settings.h"
#include "foundations/strings.h"
#include "foundations/text.h"
#include "foundations/trace.h"
#include "monitor/alert_window.h"
#include "monitor/patrol_round.h"
#include "monitor/scheduler.h"
#include "monitor/tray.h"
#include "options/admin_users.h"
#include "options/sound.h"
#include "resource.h"

#include <objbase.h>

#include <string>

namespace {

const char kMonitorClass[] = "Vigilark";

struct MonitorState {
    PatrolScheduler scheduler;
    PatrolMemory memory;
    std::string folder;      // the programs' own folder: their entries are never reported
    int found = 0;           // findings since the monitor started
    int hidden = 0;          // of those, recorded without an alert
    char lastPatrol[32] = "";
    UINT taskbarCreated = 0;
    bool iconHidden = false;  // "Hide Tobrin icon" for this user
};
MonitorState* g_state = nullptr;

// The per-user switches of the Pro Options (or the options of the same names): whether alerts
// are hidden, and in *hideIcon whether the icon is.
bool AlertsHiddenForUser(bool* hideIcon)
{
    int icon = 0;
    int alerts = 0;
    LoggedOnUserFlags(&icon, &alerts);
    *hideIcon = icon > 0 || CurrentOptions().hideTobrin > 0;
    return alerts > 0 || CurrentOptions().hideAlerts > 0;
}

void UpdateTip(HWND window)
{
    char text[128];
    if (!g_state->lastPatrol[0])
        LoadText(IDS_TRAY_IDLE, text);
    else
        FormatLoadedText(text, sizeof text, IDS_TRAY_STATUS, "sdd", g_state->lastPatrol, g_state->found,
                         g_state->hidden);
    SetTrayTip(window, text);
}

// The time of the patrol as the tooltip shows it: the hour part of the date text.
void NoteLastPatrol()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[64];
    FormatDateText(&now, date, sizeof date);
    const char* hour = strstr(date, "  ");
    CopyText(g_state->lastPatrol, hour ? hour + 2 : date);
}

void RunPatrol(HWND window, int place)
{
    bool hideIcon = false;
    bool hideAlerts = AlertsHiddenForUser(&hideIcon);
    const PatrolPlace& row = *PatrolPlaceAt(place);
    PatrolResult result;
    try {
        result = PatrolOnce(row, g_state->memory, g_state->folder, hideAlerts);
    } catch (...) {
        Trace("Patrol failed", row.name);  // never the end of the monitor: tried again later
        result.read = false;
    }
    if (EntryCount() > 0) FreeEntries();
    if (!result.read) g_state->scheduler.RetryLater(place);
    g_state->found += result.found;
    g_state->hidden += result.hidden;
    for (const Finding& finding : result.alerts) QueueAlert(window, finding);
    if (!result.alerts.empty()) PlaySoundEvent(row.sound);
    NoteLastPatrol();
    UpdateTip(window);
}

void OnPatrolStep(HWND window)
{
    int place = g_state->scheduler.TakeDue();
    if (place >= 0) RunPatrol(window, place);
}

// "Update" = "1": the console changed a setting; patrol times and switches are read again.
void CheckSettings(HWND window)
{
    if (!TakeSettingsUpdate()) return;
    LoadOptions();
    g_state->scheduler.Reload();
    bool hideIcon = false;
    AlertsHiddenForUser(&hideIcon);
    if (hideIcon == g_state->iconHidden) return;
    g_state->iconHidden = hideIcon;
    if (hideIcon)
        RemoveTrayIcon(window);
    else
        AddTrayIcon(window, false);
}

void OnExit(HWND window)
{
    if (GetOption("ConfirmExit", 0) > 0) {
        char text[512];
        char caption[64];
        LoadText(IDS_MONITOR_CONFIRM_EXIT, text);
        LoadText(IDS_APP_NAME, caption);
        if (MessageBoxExA(window, text, caption, MB_YESNO | MB_ICONQUESTION | MB_TOPMOST, MessageLanguage()) != IDYES)
            return;
    }
    DestroyWindow(window);
}

void OnCommand(HWND window, int command)
{
    switch (command) {
    case IDC_TRAY_PATROL_NOW: g_state->scheduler.MarkAllDue(); break;
    case IDC_TRAY_SHOW_ALERTS: ShowAlerts(window); break;
    case IDC_TRAY_EXIT: OnExit(window); break;
    default: OpenConsoleFromMenu(command); break;
    }
}

void OnTrayMessage(HWND window, LPARAM mouse)
{
    if (mouse == WM_RBUTTONUP || mouse == WM_CONTEXTMENU)
        ShowTrayMenu(window, AlertsWaiting());
    else if (mouse == WM_LBUTTONDBLCLK)
        OpenConsoleFromMenu(CMD_STARTUP_PAGE);
}

LRESULT CALLBACK MonitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (g_state && message == g_state->taskbarCreated && message != 0) {
        AddTrayIcon(window, g_state->iconHidden);  // Explorer started again
        return 0;
    }
    switch (message) {
    case MSG_PATROL_STEP: OnPatrolStep(window); return 0;
    case MSG_ALERTS_CHANGED: UpdateTip(window); return 0;
    case MSG_TRAY: OnTrayMessage(window, lParam); return 0;
    case WM_TIMER:
        g_state->scheduler.OnTimer(wParam);
        CheckSettings(window);
        return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DESTROY:
        RemoveTrayIcon(window);
        CloseAlerts();
        PostQuitMessage(0);
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateMonitorWindow(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MonitorWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kMonitorClass;
    if (!RegisterClassA(&windowClass)) return nullptr;
    // Never shown: it receives the tray's messages, the timers and WM_CLOSE.
    return CreateWindowExA(0, kMonitorClass, kMonitorClass, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance,
                           nullptr);
}

// Messages and change notifications in one wait: a notification only marks its place due.
int RunLoop(HWND window)
{
    for (;;) {
        const ChangeWatches& watches = g_state->scheduler.Watches();
        DWORD count = watches.Count();
        DWORD woke = MsgWaitForMultipleObjects(count, watches.Handles(), FALSE, INFINITE, QS_ALLINPUT);
        if (woke >= WAIT_OBJECT_0 && woke < WAIT_OBJECT_0 + count && g_state->scheduler.OnChange(woke - WAIT_OBJECT_0))
            CheckSettings(window);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return (int)message.wParam;
            HWND alert = AlertWindow();
            if (alert && IsDialogMessageA(alert, &message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    SetAppInstance(instance);
    bool quit = ContainsNoCase(commandLine ? commandLine : "", "-Q") != 0;
    HWND running = FindWindowA(kMonitorClass, nullptr);
    if (running) {
        if (quit) PostMessageA(running, WM_CLOSE, 0, 0);
        return 0;
    }
    if (quit) return 0;

    CoInitialize(nullptr);
    SetTraceFileName("sendex2kw.txt");
    // The console's start-up step: on a first run it records the baseline, so that only what
    // comes later is reported. The window comes after it: whoever finds the monitor finds it ready.
    LoadInitialValues();
    InstallPatrolPlaces();
    Trace("Application Start", "Vigilark monitor");

    MonitorState state;
    g_state = &state;
    char folder[MAX_PATH];
    ProgramDirectory(folder, sizeof folder);
    state.folder = folder;
    state.taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    HWND window = CreateMonitorWindow(instance);
    if (!window) {
        CoUninitialize();
        return 1;
    }

    UpdateTip(window);
    AlertsHiddenForUser(&state.iconHidden);
    AddTrayIcon(window, state.iconHidden);
    state.scheduler.Start(window);
    CheckSettings(window);  // a setting changed while the monitor was starting

    int code = RunLoop(window);
    if (EntryCount() > 0) FreeEntries();
    CoUninitialize();
    g_state = nullptr;
    return code;
}
