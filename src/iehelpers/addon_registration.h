// Where one Internet Explorer add-on is registered, the copies kept of removed
// registrations, and regsvr32: what removing an add-on and undoing the removal share.
//
// A registration is named by its registry path under HKEY_LOCAL_MACHINE: the helper's or
// extension's key ("...\Browser Helper Objects\{id}"), or for a toolbar the Toolbar key and
// the value name ("...\Internet Explorer\Toolbar\{id}"). One of the 32-bit view of a 64-bit
// Windows is named as the native view shows it there ("SOFTWARE\Wow6432Node\Microsoft\...",
// what the registry editor shows too) and is reached through that view's flags. The
// removal's history line carries that path as its extra text, so each line names exactly
// one registration in its view; a line without "Wow6432Node" names the native view.
//
// A removed registration is copied first into the program's own key,
// HKCU\Software\Brondlewick\Vigilark\RemovedIEHelpers\<8-digit serial>:
//   "Command"      the history line's command (the add-on's program path)
//   "Extra"        the history line's extra text (the registration's path)
//   "Date"         the date text of the minute of the removal, as the line has it
//   "Key"          the HKEY_LOCAL_MACHINE key of the registration (the Toolbar key for a
//                  toolbar), named as above (with "Wow6432Node" for the 32-bit view)
//   "Value"        a toolbar's value name; absent for a key
//   "Unregistered" "1" when regsvr32 /u unregistered the program, else "0"
//   subkey "Registration": the deleted key with every value (type and bytes kept) and
//   subkey, or for a toolbar the one deleted value under its own name
//   subkey "AlsoRemoved": one value named by the path of each other add-on registration
//   that the program's unregistration took with it
#pragma once

#include "foundations/system_view.h"
#include "iehelpers/iehelpers_actions.h"

#include <string>
#include <vector>

struct Registration {
    int kind = 0;       // KIND_TYPE_BHO, KIND_TYPE_TOOLBAR or KIND_TYPE_EXTENSION, or their 32-bit-view kinds
    RegistryView view = VIEW_NATIVE;  // the kind's view
    std::string key;    // under HKEY_LOCAL_MACHINE in that view
    std::string value;  // a toolbar's value name; empty for a key
    std::string name;   // the class id as the registry names it (subkey or value name)
};

// The registration of an add-on of that kind (of either view) and class id; false for other kinds.
bool RegistrationOf(int kind, const char* classId, Registration& out);
// The registration a path names: one subkey of the helpers' or extensions' key, or one
// value of the Toolbar key, of either view; false for any other place.
bool RegistrationFromPath(const std::string& path, Registration& out);
// The path that names it, and the key alone (the Toolbar key for a toolbar).
std::string RegistrationPath(const Registration& registration);
std::string RegistrationKeyPath(const Registration& registration);
// HKEY_LOCAL_MACHINE in the registration's view.
RegRoot RegistrationRoot(const Registration& registration);

bool RegistrationExists(const Registration& registration);
// 1 when it is gone (a key with all its subkeys).
int DeleteRegistration(const Registration& registration);
// The paths of every add-on registration there is now, listed or not.
std::vector<std::string> AddonRegistrationPaths();
// True when the list holds the path, without regard to case.
bool HasPath(const std::vector<std::string>& paths, const std::string& path);
// True when an add-on of this registration is listed again, with a program for the kinds
// that need one.
bool RegistrationListed(const Registration& registration);

// Saved copies. A serial names one; empty when none.
std::string SaveRegistration(const Registration& registration, const char* command);
std::string SavedCopyKey(const std::string& serial);
std::string SavedText(const std::string& serial, const char* name);
bool SavedRegistrationOf(const std::string& serial, Registration& out);
std::vector<std::string> SavedSerials();
// Writes a saved registration back exactly; 1 when all of it was written.
int RestoreRegistration(const std::string& serial, const Registration& registration);
void DropSavedCopy(const std::string& serial);
void RecordAlsoRemoved(const std::string& serial, const std::vector<std::string>& paths);
std::vector<std::string> AlsoRemoved(const std::string& serial);

// The long, canonical form of a program path (upper case, arguments dropped).
std::string LongCanonicalForm(const char* path);
// Runs the system folder's regsvr32 with the switches on the server and waits for it;
// true when it reported success. Nothing runs for a server Regsvr32Command refuses.
bool RunRegsvr32(const char* switches, const char* server);
// True when regsvr32 may be run on the server at all: Regsvr32Command accepts it and it is
// outside the Windows folders (whose libraries serve the system, not one add-on).
bool MayRunRegsvr32On(const char* server);
