// The resident monitor's icon in the taskbar's notification area (the mascot), its tooltip
// and its menu: the console on each page, Patrol Now, the alerts waiting, Exit.
#pragma once

#include <windows.h>

// The icon's callback message to the monitor's window.
const UINT MSG_TRAY = WM_APP + 22;

// Adds the icon (again, after Explorer restarted) unless it is hidden for this user.
void AddTrayIcon(HWND window, bool hidden);
void RemoveTrayIcon(HWND window);
// The tooltip; the monitor's window carries the same text as its title.
void SetTrayTip(HWND window, const char* text);
// Shows the menu at the cursor; the choice comes back as WM_COMMAND.
void ShowTrayMenu(HWND window, int alertsWaiting);
// A menu command that opens the console on a page; true when it was one.
bool OpenConsoleFromMenu(int command);
