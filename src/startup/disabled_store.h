// The store of disabled startup entries, shared with the resident monitor. Under
// HKEY_LOCAL_MACHINE\Software\Brondlewick\Vigilark\Disabled (the program's key, in the
// 32-bit view on 64-bit Windows): one marker per title (its data the kind the entry had, in
// decimal, which names the view too) and, in one subkey per location, the command
// saved under the title exactly as Windows had it. A disabled Startup-folder file waits
// in the folder "Disabled" beside the program; where it came from is noted under the
// subkey "StartupGroup" so that enabling puts it back in the same folder.
#pragma once

#include <windows.h>
#include <string>

#define DISABLED_STORE_KEY VIGILARK_KEY "\\Disabled"

// The saved-command key of a kind: "...\Disabled\Run" for kinds 1, 11 and 41 (and so on by
// the last digit; "...\PoliciesRun" for 6, 16 and 46), "...\WinLoad" for 100, "...\WinRun" for 101; nullptr otherwise.
const char* SavedCommandKey(int kind);

// The marker of a title: present when the value exists and is not empty.
bool HasDisabledMarker(const char* title);
// The marker's number (the kind before disabling), 0 when there is none.
int DisabledMarkerKind(const char* title);
bool WriteDisabledMarker(const char* title, int kind);
void DeleteDisabledMarker(const char* title);

// Saved commands: the bytes and type of the value (or the win.ini piece as REG_SZ).
bool SaveDisabledCommand(int kind, const char* title, const std::string& data, DWORD type);
bool ReadSavedCommand(int kind, const char* title, std::string& data, DWORD* type);
bool DeleteSavedCommand(int kind, const char* title);

// The folders beside the program: "Disabled" (disabled Startup-folder files) and
// "Removed" (program files taken out of a Startup folder, kept for undo). Lengths.
int DisabledFolder(char* out, int capacity);
int RemovedFolder(char* out, int capacity);

// The folder a disabled Startup-folder file came from, by its file name.
bool RecordStartupOrigin(const char* fileName, const char* originalPath);
bool ReadStartupOrigin(const char* fileName, char* out, int capacity);
void DeleteStartupOrigin(const char* fileName);

// How an entry stands towards the store.
enum DisabledState {
    ENTRY_ENABLED = 0,        // no marker for its title
    ENTRY_DISABLED = 1,       // this entry is the one the title's marker stands for
    ENTRY_TITLE_TAKEN = 2,    // the title's marker belongs to another entry of that title
};
// Registry kinds: the marker is this entry's when it names the same location. win.ini
// kinds (many pieces share a title): also the saved command must be the entry's command.
// Startup-folder items are disabled when their file lies in the "Disabled" folder.
DisabledState EntryDisabledState(const char* title, const char* command, const char* file, int kind);

// True when the file lies in the "Disabled" folder beside the program.
bool InDisabledFolder(const char* path);

// The file a Startup-folder entry stands for: its extra text, or for a .pif item (whose
// extra text is empty) its path.
const char* StartupItemFile(const char* command, const char* file);
