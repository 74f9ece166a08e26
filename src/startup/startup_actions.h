// Changing startup entries: disable/enable through the disabled store, remove (with a
// history line), restore a removed entry, add a program, the monitor's own autostart,
// and deleting a file at the next restart.
#pragma once

#include <windows.h>

// Result of an action on a startup entry. Everything but STARTUP_OK means nothing was
// changed, and the page tells the user why.
enum StartupResult {
    STARTUP_FAILED = 0,          // the system refused (registry, file or win.ini write)
    STARTUP_OK = 1,
    STARTUP_OTHER_USER = 2,      // kinds 21-25: another user's entry, listed only
    STARTUP_TITLE_TAKEN = 3,     // another entry with this title is already disabled
    STARTUP_COMMAND_TOO_LONG = 4,// the command does not fit and would be cut
    STARTUP_NOT_HANDLED = 5,     // the kind has no startup location
};

// Disables an enabled entry or enables a disabled one (decided by the title's marker).
StartupResult ToggleStartupEntry(const char* title, const char* command, const char* file, int kind);

// Removes the entry from its location or the disabled store; writes the history line.
StartupResult RemoveStartupEntry(const char* title, const char* command, const char* file, int kind);

// Puts a removed entry back (undo from the history). 1 when the kind is handled.
int RestoreStartupEntry(const char* title, const char* command, const char* file, int kind);

// Shows the open-file dialog for a program to start automatically; true with its path.
bool AddStartupProgram(HWND owner, char* path, int capacity);

// Registers the chosen program under the machine's Run key (never overwriting another
// value) and in the known-programs list.
StartupResult RegisterStartupProgram(const char* path);

// Adds or removes the resident monitor's own Run entry.
int SetMonitorAutostart(bool on);

// Arranges for the file to be deleted when Windows restarts; 1 when arranged.
int DeleteFileOnRestart(const char* file);
