// Drives the real Vigilark.exe: starts it beside the test program, finds its window and its
// alerts, presses their buttons, and waits for the lines it writes to history.txt.
#pragma once

#include <windows.h>

#include <string>

struct MonitorRun {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;  // class "Vigilark"
};

// A text of the programs' string table.
std::string Text(UINT id);
// Starts the monitor and waits for its window; false when it did not come.
bool StartMonitor(MonitorRun& run);
// The monitor another program started (the console's Startup page does).
bool FindMonitor(MonitorRun& run);
// Ends it as the installer does (WM_CLOSE) and waits for the process.
void StopMonitor(MonitorRun& run);
// Every patrol time 0: a monitor started now (the console's Startup page starts one) patrols
// nothing and writes nothing to history.txt. The caller keeps the options key (SavedKey).
void TurnPatrolsOff();
// Every place patrolled at once, as the tray's "Patrol Now".
void PatrolNow(const MonitorRun& run);

// The alert of the monitor's process whose heading is that string's text (and, when given,
// whose title is `title`); alerts before it about other things are put off with Later. NULL
// on time-out. The text of one of its controls.
HWND WaitForAlert(const MonitorRun& run, UINT headingId, const std::string& title = "", DWORD timeoutMs = 15000);
std::string AlertText(HWND alert, int control);
// Presses a button of the alert and waits for the alert to go.
bool ChooseInAlert(HWND alert, int button);
// Whether a visible alert of the monitor's process is open now.
bool AlertOpen(const MonitorRun& run);

// Waits until history.txt holds a line with this text; how many such lines it holds (0 on
// time-out, or fewer than `count`).
int WaitForHistory(const std::string& text, int count = 1);
