// Changing startup entries: disable/enable through the disabled store, remove (with a
// history line), restore a removed entry, add a program, the monitor's own autostart,
// and deleting a file at the next restart.
#pragma once

#include "foundations/delete_at_restart.h"

#include <windows.h>
#include <string>

// Result of an action on a startup entry. Everything but STARTUP_OK means nothing was
// changed, and the page tells the user why.
enum StartupResult {
    STARTUP_FAILED = 0,          // the system refused (registry, file or win.ini write)
    STARTUP_OK = 1,
    STARTUP_OTHER_USER = 2,      // kinds 21-25: another user's entry, listed only
    STARTUP_TITLE_TAKEN = 3,     // another entry with this title is already disabled
    STARTUP_COMMAND_TOO_LONG = 4,// the command does not fit and would be cut
    STARTUP_NOT_HANDLED = 5,     // the kind has no startup location
    STARTUP_OUTSIDE_FOLDERS = 6, // a file outside the Startup folders and the program's own
};

// Every action takes the entry's title, command (its path), file (its extra text) and
// kind. Registry values and win.ini programs are found again by title and command and
// written back exactly as Windows had them (quotes, short paths, RUNDLL32 and all):
// the entry list only holds a display form.

// Disables an enabled entry or enables a disabled one (decided by the title's marker).
// A disable saves the command (or moves the Startup-folder file into "Disabled") and
// only then writes the marker; when anything fails nothing is left changed.
// STARTUP_TITLE_TAKEN: another entry of the same title is disabled already.
StartupResult ToggleStartupEntry(const char* title, const char* command, const char* file, int kind);

// Removes the entry from its location or the disabled store and writes the history line
// "*START_Remove" (none when the command contains "Vigilark"). A shortcut in a Startup
// folder is deleted (its target stays); a program file placed there is never deleted:
// it is moved into the folder "Removed" beside the program, from where the undo puts
// it back. STARTUP_COMMAND_TOO_LONG: the command does not fit the history line's field,
// so the removal could not be undone; the entry is left alone.
StartupResult RemoveStartupEntry(const char* title, const char* command, const char* file, int kind);

// The file a removal deletes (a shortcut) or moves aside into "Removed" (a program file
// placed in a Startup folder); empty for an entry of the registry or win.ini.
std::string RemovalFile(const char* command, const char* file, int kind);

// Decide, changing nothing, whether ToggleStartupEntry or RemoveStartupEntry would
// refuse the entry (every result but a failure of the system itself); STARTUP_OK when
// the change is to be tried. Pages ask first, so that a running program is only offered
// to be ended for a change that will then be made.
StartupResult CheckToggleStartupEntry(const char* title, const char* command, const char* file, int kind);
StartupResult CheckRemoveStartupEntry(const char* title, const char* command, const char* file, int kind);

// Puts a removed entry back (undo from the history): the Run value, the win.ini
// program, a new shortcut at the recorded file, or the program file moved back from
// "Removed". Nothing that exists is overwritten, and files are only created in a Startup
// folder or moved there from "Removed". 1 when the entry is back, else 0.
int RestoreStartupEntry(const char* title, const char* command, const char* file, int kind);

// Shows the open-file dialog for a program to start automatically; true with its path.
bool AddStartupProgram(HWND owner, char* path, int capacity);

// Registers the chosen program under the machine's Run key (never overwriting another
// value) and in the known-programs list.
StartupResult RegisterStartupProgram(const char* path);

// First run: every startup entry of today is marked as known (its kind as the value),
// so the resident monitor later reports only new ones.
void RecordKnownStartupEntries();
// One program (the entry's path as listed) marked as known, its kind as the value.
void RecordKnownStartupProgram(const char* path, int kind);

// Puts this subject's undo into the history's table: a removal is restored; a disable of
// the monitor's is undone by enabling the entry, an enable by disabling it, and an entry
// that already stands as before the change is left alone.
void InstallStartupUndo();

// Adds or removes the resident monitor's own Run entry.
int SetMonitorAutostart(bool on);

// The string id of the message that explains a refused action; 0 for STARTUP_OK.
UINT StartupResultMessage(StartupResult result);
