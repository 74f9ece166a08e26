// The test add-on (see addon.h).
#include "support/addon.h"

#include "support/testing.h"

#include <shlwapi.h>

std::string AddonPath() { return "C:\\Program Files\\Vigilark Test Addon\\test addon.dll"; }

int RunRegsvr32(const char* switches, const std::string& path)
{
    return RunAndWait(std::string("regsvr32 ") + switches + " \"" + path + "\"", 30000);
}

bool InstallAddon(const std::string& path)
{
    CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
    return CopyFileA(BesideTestProgram("test_addon.dll").c_str(), path.c_str(), FALSE) && RunRegsvr32("/s", path) == 0;
}

void RemoveAddonRegistrations()
{
    for (const char* id : {TEST_ADDON_BHO, TEST_ADDON_TOOLBAR}) DeleteRegTree(HKEY_CLASSES_ROOT, std::string("CLSID\\") + id);
    DeleteRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY);
    DeleteRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BUTTON_KEY);
    SHDeleteValueA(HKEY_LOCAL_MACHINE, TEST_ADDON_TOOLBAR_KEY, TEST_ADDON_TOOLBAR);
}

bool ClassRegistered(const char* classId)
{
    return GetRegString(HKEY_CLASSES_ROOT, std::string("CLSID\\") + classId + "\\InprocServer32", "") != "<missing>";
}
