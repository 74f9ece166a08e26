// Removing an Internet Explorer add-on and undoing the removal.
//
// Before a registration is deleted it is copied into the program's own key,
// HKCU\Software\Brondlewick\Vigilark\RemovedIEHelpers\<8-digit serial>:
//   "Command"      the history line's command (the add-on's program path)
//   "Extra"        the history line's extra text (the registry path the line names)
//   "Date"         the date text of the minute of the removal, as the line has it
//   "Key"          the HKEY_LOCAL_MACHINE key of the registration (the Toolbar key for a toolbar)
//   "Value"        a toolbar's value name; absent for a key
//   "Unregistered" "1" when regsvr32 /u unregistered the program, else "0"
//   subkey "Registration": the deleted key with every value (type and bytes kept) and
//   subkey, or for a toolbar the one deleted value under its own name.
// The undo of a history line finds the newest copy with its command and extra (the one of
// its date first), registers the program again when the removal had unregistered it,
// writes the registration back exactly and drops the copy.
#pragma once

#include <string>
#include <vector>

#define IE_REMOVED_KEY "Software\\Brondlewick\\Vigilark\\RemovedIEHelpers"

struct IeHelperRemoval {
    bool removed = false;       // the registration is gone and the history line was attempted
    bool unregistered = false;  // regsvr32 /u unregistered the program
    bool recorded = false;      // a history line was written
};

// Removes the add-on of entry `index` (its kind and class id), whose program is `path`:
// saves the registration, deletes it (a key with its subkeys), and only when it is gone
// unregisters the program (when no other add-on still uses it and it is not in the
// Windows folders) and writes one history line. A registration that stays is put back as
// it was. 1 when the registration is gone.
int RemoveIeHelper(const char* path, int index, IeHelperRemoval* outcome = nullptr);

// Whether the server may be unregistered: a full path outside the Windows and system
// folders (compared without regard to case) that none of `stillUsed` names.
bool MayUnregisterServer(const char* server, const std::vector<std::string>& stillUsed, const char* windowsFolder,
                         const char* systemFolder);

// "regsvr32 <switches> "<path>"" (a path already in quotes is kept as it is).
std::string Regsvr32CommandLine(const char* switches, const char* path);

// Registers the add-on's server again with "regsvr32 /s" and waits for it; 1 when
// regsvr32 reported success.
int RegisterServerAgain(const char* command);

// Puts this subject's undo into the history's table.
void InstallIeHelperUndo();
