// The test add-on and exact registry comparisons (see addon.h).
#include "support/addon.h"

#include "foundations/handles.h"
#include "support/testing.h"

#include <sddl.h>
#include <shlwapi.h>

#include <algorithm>
#include <vector>

std::string AddonFolder() { return "C:\\Program Files\\Vigilark Test Addon"; }
std::string AddonPath() { return AddonFolder() + "\\test addon.dll"; }

int RunRegsvr32(const char* switches, const std::string& path)
{
    std::string line = std::string("regsvr32 ") + switches + " \"" + path + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return (int)code;
}

bool InstallAddon(const std::string& path)
{
    std::string folder = path.substr(0, path.find_last_of('\\'));
    CreateDirectoryA(folder.c_str(), nullptr);
    if (!CopyFileA(BesideTestProgram("test_addon.dll").c_str(), path.c_str(), FALSE)) return false;
    return RunRegsvr32("/s", path) == 0;
}

void RemoveAddonRegistrations()
{
    for (const char* id : {TEST_ADDON_BHO, TEST_ADDON_TOOLBAR}) DeleteRegTree(HKEY_CLASSES_ROOT, std::string("CLSID\\") + id);
    DeleteRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BHO_KEY);
    DeleteRegTree(HKEY_LOCAL_MACHINE, TEST_ADDON_BUTTON_KEY);
    SHDeleteValueA(HKEY_LOCAL_MACHINE, TEST_ADDON_TOOLBAR_KEY, TEST_ADDON_TOOLBAR);
}

std::string DumpRegTree(HKEY hive, const std::string& subkey)
{
    std::vector<RegValue> values;
    if (!ReadRegValues(hive, subkey.c_str(), values)) return "<missing>";
    std::sort(values.begin(), values.end(), [](const RegValue& a, const RegValue& b) { return a.name < b.name; });
    std::string text = "[" + subkey.substr(subkey.find_last_of('\\') + 1) + "]\n";
    for (const RegValue& value : values) {
        text += value.name + " " + std::to_string(value.type) + " ";
        for (unsigned char byte : value.data) {
            const char* digits = "0123456789abcdef";
            text += digits[byte >> 4];
            text += digits[byte & 15];
        }
        text += "\n";
    }
    std::vector<std::string> names;
    RegKey key;
    if (key.Open(hive, subkey.c_str(), KEY_READ) == ERROR_SUCCESS) {
        char name[256];
        for (DWORD i = 0; RegEnumKeyA(key.get(), i, name, sizeof name) == ERROR_SUCCESS; ++i) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) text += DumpRegTree(hive, subkey + "\\" + name);
    return text;
}

bool ClassRegistered(const char* classId)
{
    return GetRegString(HKEY_CLASSES_ROOT, std::string("CLSID\\") + classId + "\\InprocServer32", "") != "<missing>";
}

bool SetKeyAccess(const std::string& key, const char* sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr)) return false;
    HKEY opened = nullptr;
    bool set = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, WRITE_DAC, &opened) == ERROR_SUCCESS &&
               RegSetKeySecurity(opened, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    if (opened) RegCloseKey(opened);
    LocalFree(descriptor);
    return set;
}

bool DeleteRefused(const std::string& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, DELETE, &opened) != ERROR_SUCCESS) return true;
    RegCloseKey(opened);
    return false;
}
