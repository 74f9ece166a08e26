// Drives the real Vigilark.exe (see monitor_driver.h).
#include "support/monitor_driver.h"

#include "app/start.h"
#include "foundations/patrol_places.h"
#include "foundations/registry.h"
#include "foundations/strings.h"
#include "resource.h"
#include "support/console_driver.h"
#include "support/testing.h"

std::string Text(UINT id)
{
    char text[512];
    LoadText(id, text);
    return text;
}

namespace {

int CountLines(const std::string& text)
{
    std::string history = ReadWholeFile(HistoryFile());
    int count = 0;
    for (size_t at = history.find(text); at != std::string::npos; at = history.find(text, at + 1)) ++count;
    return count;
}

}  // namespace

bool FindMonitor(MonitorRun& run)
{
    DWORD owner = 0;
    bool found = WaitFor([&] {
        run.window = FindWindowA("Vigilark", nullptr);
        if (run.window) GetWindowThreadProcessId(run.window, &owner);
        return run.window && (!run.process.dwProcessId || owner == run.process.dwProcessId);
    });
    if (found && !run.process.hProcess) {
        run.process.dwProcessId = owner;
        run.process.hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, owner);
    }
    return found;
}

bool StartMonitor(MonitorRun& run)
{
    run = MonitorRun();
    return StartProgram("Vigilark.exe", "", &run.process) && FindMonitor(run);
}

void StopMonitor(MonitorRun& run)
{
    if (!run.process.hProcess) return;
    PostMessageA(run.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(run.process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(run.process.hProcess, 99);
    CloseHandle(run.process.hProcess);
    if (run.process.hThread) CloseHandle(run.process.hThread);
    run = MonitorRun();
}

void TurnPatrolsOff()
{
    InstallPatrolPlaces();
    for (int place = 0; place < PatrolPlaceCount(); ++place)
        PutRegString(HKEY_CURRENT_USER, VIGILARK_OPTIONS_KEY, PatrolPlaceAt(place)->setting, "0");
}

void PatrolNow(const MonitorRun& run) { PostMessageA(run.window, WM_COMMAND, IDC_TRAY_PATROL_NOW, 0); }

HWND WaitForAlert(const MonitorRun& run, UINT headingId, const std::string& title, DWORD timeoutMs)
{
    std::string heading = Text(headingId);
    HWND found = nullptr;
    WaitFor([&] {
        HWND alert = FindVisibleWindow("#32770", run.process.dwProcessId);
        if (!alert || AlertText(alert, IDC_ALERT_HEADING).empty()) return false;
        if (AlertText(alert, IDC_ALERT_HEADING) == heading && (title.empty() || AlertText(alert, IDC_ALERT_TITLE) == title))
            return (found = alert) != nullptr;
        ChooseInAlert(alert, IDC_ALERT_LATER);  // left there by an earlier test: not this one's
        return false;
    }, timeoutMs);
    return found;
}

std::string AlertText(HWND alert, int control) { return WindowText(GetDlgItem(alert, control)); }

bool ChooseInAlert(HWND alert, int button)
{
    if (!IsWindowVisible(GetDlgItem(alert, button))) return false;
    PressButton(alert, button);
    return WaitFor([&] { return !IsWindow(alert); });
}

bool AlertOpen(const MonitorRun& run) { return FindVisibleWindow("#32770", run.process.dwProcessId) != nullptr; }

int WaitForHistory(const std::string& text, int count)
{
    WaitFor([&] { return CountLines(text) >= count; });
    return CountLines(text);
}
