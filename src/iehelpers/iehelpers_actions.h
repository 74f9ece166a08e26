// Removing an Internet Explorer add-on and undoing the removal. The registration is saved
// before it is deleted (addon_registration.h describes the copy); the undo of a history
// line puts back exactly the registration that line names.
#pragma once

#include <string>
#include <vector>

// Where the copies of removed registrations are kept, under HKEY_CURRENT_USER.
#define IE_REMOVED_KEY "Software\\Brondlewick\\Vigilark\\RemovedIEHelpers"

struct IeHelperRemoval {
    bool removed = false;       // the registration is gone and the history line was attempted
    bool unregistered = false;  // regsvr32 /u unregistered the program
    bool recorded = false;      // a history line was written
};

// Removes the add-on of entry `index` (its kind and class id), whose program is `path`:
// saves the registration, deletes it (a key with its subkeys), and only when it is gone
// unregisters the program (when nothing else still uses it, see below) and writes one
// history line. A registration that stays is put back as it was. 1 when it is gone.
//
// The program is unregistered only when no other add-on is listed with it, no other class
// (a shell extension, a control) names it as its in-process server, and it lies outside
// the Windows folders. Classes of add-ons this program removed and could still bring back
// do not count: the last removal unregisters what they left registered.
int RemoveIeHelper(const char* path, int index, IeHelperRemoval* outcome = nullptr);

// Whether the server may be unregistered: a full path outside the Windows and system
// folders (compared without regard to case) that none of `stillUsed` names.
bool MayUnregisterServer(const char* server, const std::vector<std::string>& stillUsed, const char* windowsFolder,
                         const char* systemFolder);

// The program and command line that run the system folder's regsvr32 with the switches
// on a server: "<system>\regsvr32.exe", and that name quoted, the switches and the server
// quoted. False (nothing to run) unless the server is a full path of a ".dll" or ".ocx"
// file without a double quote, so that stored text can never add arguments.
bool Regsvr32Command(const char* systemFolder, const char* switches, const char* server, std::string& application,
                     std::string& commandLine);

// Puts this subject's undo into the history's table.
void InstallIeHelperUndo();
