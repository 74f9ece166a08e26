// The test add-on (test_addon.dll, built with the tests): copied to a chosen place and
// registered there with the prefix's own regsvr32, and registry trees compared exactly.
#pragma once

#include "addon/test_addon.h"

#include <windows.h>

#include <string>

// A folder with a blank in its name under Program Files, and the add-on's path in it.
std::string AddonFolder();
std::string AddonPath();

// Copies the add-on to `path` (making its folder) and runs "regsvr32 /s" on it; true when
// regsvr32 reported success.
bool InstallAddon(const std::string& path);
// Runs the prefix's regsvr32 with the switches on the quoted path; its exit code (-1 when it
// did not start or did not end).
int RunRegsvr32(const char* switches, const std::string& path);
// Removes every registration the add-on makes, whatever put it there.
void RemoveAddonRegistrations();

// Every value (name, type, bytes in hex) and subkey of a key, recursively, as one text;
// "<missing>" when the key does not open.
std::string DumpRegTree(HKEY hive, const std::string& subkey);
// True when HKEY_CLASSES_ROOT\CLSID\<id>\InprocServer32 names a server.
bool ClassRegistered(const char* classId);
// Sets the DACL of an HKEY_LOCAL_MACHINE key from SDDL text; true on success.
bool SetKeyAccess(const std::string& key, const char* sddl);
// SDDL that lets everyone do anything to a key but delete it, and the one that undoes it.
#define KEY_UNDELETABLE "D:(D;;SD;;;WD)(A;;KA;;;WD)"
#define KEY_OPEN_TO_ALL "D:(A;;KA;;;WD)"
// True when an HKEY_LOCAL_MACHINE key refuses to open for DELETE (its DACL is enforced).
bool DeleteRefused(const std::string& key);
