// Whole registry keys (see registry_tree.h).
#include "foundations/registry_tree.h"

#include "foundations/handles.h"
#include "foundations/registry.h"

#include <string>
#include <vector>

namespace {

// Key names are at most 255 characters.
const DWORD kKeyNameChars = 256;

std::string Join(const char* key, const std::string& name) { return std::string(key) + "\\" + name; }

}  // namespace

bool RegSubkeyNames(RegRoot hive, const char* subkey, std::vector<std::string>& names)
{
    names.clear();
    RegKey key;
    if (key.Open(hive, subkey, KEY_READ) != ERROR_SUCCESS) return false;
    for (DWORD i = 0;; ++i) {
        char name[kKeyNameChars];
        DWORD length = sizeof name;
        LONG status = RegEnumKeyExA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status == ERROR_SUCCESS) names.push_back(name);
        else if (status != ERROR_MORE_DATA) break;
    }
    return true;
}

bool RegKeyExists(RegRoot hive, const char* subkey)
{
    RegKey key;
    return key.Open(hive, subkey, KEY_READ) == ERROR_SUCCESS;
}

int CopyRegistryTree(RegRoot fromHive, const char* fromKey, RegRoot toHive, const char* toKey)
{
    std::vector<RegValue> values;
    if (!ReadRegValues(fromHive, fromKey, values)) return 0;
    RegKey target;
    if (target.Create(toHive, toKey) != ERROR_SUCCESS) return 0;
    target.Close();
    int complete = 1;
    for (const RegValue& value : values)
        if (!WriteRegRaw(toHive, toKey, value.name.c_str(), value.data, value.type)) complete = 0;
    std::vector<std::string> names;
    RegSubkeyNames(fromHive, fromKey, names);
    for (const std::string& name : names)
        if (!CopyRegistryTree(fromHive, Join(fromKey, name).c_str(), toHive, Join(toKey, name).c_str())) complete = 0;
    return complete;
}

int DeleteRegistryTree(RegRoot hive, const char* subkey)
{
    std::vector<std::string> names;
    if (!RegSubkeyNames(hive, subkey, names)) return RegKeyExists(hive, subkey) ? 0 : 1;
    for (const std::string& name : names) DeleteRegistryTree(hive, Join(subkey, name).c_str());
    DeleteRegKey(hive, subkey);
    return RegKeyExists(hive, subkey) ? 0 : 1;
}
