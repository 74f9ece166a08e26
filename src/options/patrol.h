// The Set Patrol Time dialog: every page's Monitor icon sets the patrol time (minutes,
// 0 = off) of its watch through it.
#pragma once

#include <windows.h>

// Runs dialog 160 for a patrol kind (the string id of its title, e.g. 784).
// Returns the typed number on OK (0 when the edit is empty or not a number), -1 on Close.
int SetPatrolTime(HWND owner, UINT patrolKind);

// The setting name and current in-memory value of a patrol kind ("Start" for 784...);
// nullptr for an unknown kind.
const char* PatrolSettingName(UINT patrolKind);
int* PatrolSettingValue(UINT patrolKind);

// What every page's Monitor icon does: runs the dialog for the kind; a result of 0 or
// more is stored (setting and in-memory copy) and the icon shown on (>0) or off (0).
// A cancel changes nothing. Returns the dialog's result.
int EditPatrolTime(HWND page, UINT patrolKind);

// The same for a page whose patrol icon has another control id (the Options page's three).
int EditPatrolTimeAt(HWND page, int iconControl, UINT patrolKind);

// Stores minutes (0 or more) in the kind's setting and its in-memory copy; 1 when stored,
// 0 for an unknown kind or a negative number.
int StorePatrolTime(UINT patrolKind, int minutes);
