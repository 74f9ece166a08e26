// The system hooks: programs and DLLs that Windows starts from places beside the Run keys
// (Winlogon's Shell and Userinit and its Notify DLLs, AppInit_DLLs, the debuggers of Image
// File Execution Options, Explorer's delay-loaded shell objects and shared task schedulers,
// Active Setup's StubPath), in each registry view. Listing, removing with a saved copy, and
// the exact undo of a removal; no window.
//
// Entries (kinds 1000-1008, 1010-1018 in the 32-bit view): title the program, DLL or name;
// path the file that runs; extra the registry key of the item under HKEY_LOCAL_MACHINE (or
// HKEY_CURRENT_USER for kind 1002); detail the piece of a list value (Shell, Userinit,
// AppInit_DLLs) as the value holds it, or a value's name (the Explorer objects).
//
// A removal first copies what it changes into the program's own key,
// HKCU\Software\Brondlewick\Vigilark\RemovedHooks\<8-digit serial>:
//   "Command", "Extra"  the history line's command and extra text (what finds the copy)
//   "Key"               the key changed, under the hive of the kind, in the kind's view
//   "Value"             the value changed; absent when the whole key was taken
//   "After"             a list value as the removal left it (type and bytes)
//   subkey "Saved"      the key taken (every value and subkey), or the value as it was
// A Shell or Userinit program is never taken by deleting the value: the value loses that
// program only, and when no program of Windows' own is left, Windows' default takes its place.
#pragma once

#include "foundations/handles.h"
#include "foundations/system_view.h"

#include <windows.h>

#include <string>

#define HOOKS_REMOVED_KEY VIGILARK_KEY "\\RemovedHooks"

// True for the hook kinds of either view.
bool IsHookKind(int kind);
// "HKEY_LOCAL_MACHINE\<key>" (or HKEY_CURRENT_USER; "\<value>" added for a list value) with
// " (32-bit)" for that view: where an entry of the kind lives, its key being the entry's extra text.
std::string HookLocationText(int kind, const char* key);
// True for the kinds whose action restores a default (Shell, Userinit).
bool RestoresDefault(int kind);

// Fills the entry list with every hook of every view; the count.
int EnumerateSystemHooks();

enum HookResult {
    HOOK_FAILED = 0,     // the system refused; nothing is left changed
    HOOK_OK = 1,
    HOOK_GONE = 2,       // the item is no longer where the entry says
    HOOK_TOO_LONG = 3,   // the history line could not name it, so the removal could not be undone
};
// Removes the hook an entry stands for (a copy saved first, a history line "*HOOK_Remove"
// written after).
HookResult RemoveSystemHook(int index);

// The history's undo of "*HOOK_Remove".
void InstallHookUndo();
// The Properties dialog's location line for the kinds.
void InstallHookProperties();
// The System Hooks section of the full report and the CSV export.
void InstallHookReport();
// First run: every hook of today is known.
void RecordKnownHooks();
