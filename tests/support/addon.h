// The test add-on (test_addon.dll, built with the tests): copied to a chosen place and
// registered there with the prefix's own regsvr32.
#pragma once

#include "addon/test_addon.h"

#include <string>

// The add-on's path in a folder with a blank in its name under Program Files.
std::string AddonPath();

// Copies the add-on to `path` (making its folder) and runs "regsvr32 /s" on it; true when
// regsvr32 reported success.
bool InstallAddon(const std::string& path);
// Runs the prefix's regsvr32 with the switches on the quoted path; its exit code (-1 when it
// did not start or did not end).
int RunRegsvr32(const char* switches, const std::string& path);
// Removes every registration the add-on makes, whatever put it there.
void RemoveAddonRegistrations();
// True when HKEY_CLASSES_ROOT\CLSID\<id>\InprocServer32 names a server.
bool ClassRegistered(const char* classId);
