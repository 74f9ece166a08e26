// Registry helpers (see registry.h).
#include "foundations/registry.h"

#include "foundations/handles.h"
#include "foundations/text.h"
#include "foundations/trace.h"

#include <cstring>
#include <vector>

int CreateRegKey(RegRoot hive, const char* subkey)
{
    RegKey key;
    if (key.Create(hive, subkey) != ERROR_SUCCESS) {
        Trace("ERROR RegCreateKey", subkey);
        return 0;
    }
    return 1;
}

static bool IsTextType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

int ReadRegString(RegRoot hive, const char* subkey, const char* name, char* out, int capacity)
{
    if (!out || capacity <= 0) return 0;
    out[0] = '\0';

    RegKey key;
    if (key.Open(hive, subkey, KEY_READ) != ERROR_SUCCESS) return 0;

    char data[1025] = {};  // one more than the largest value read, so the text always ends
    DWORD size = 1024;
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
        return 0;
    if (!IsTextType(type)) return 0;

    const char* text = data;
    char expanded[1024];
    if (type == REG_EXPAND_SZ) {
        DWORD needed = ExpandEnvironmentStringsA(data, expanded, sizeof expanded);
        if (needed == 0 || needed > sizeof expanded)
            Trace(data, "Registry Error #1023: String can not be expanded");
        else
            text = expanded;
    }

    size_t len = strlen(text);
    if (len >= (size_t)capacity) {
        Trace(text, "Registry Error #1024: Buffer overflow contained");
        return 0;
    }
    memcpy(out, text, len + 1);
    return (int)len;
}

int DeleteRegValue(RegRoot hive, const char* subkey, const char* name)
{
    RegKey key;
    if (key.Open(hive, subkey, KEY_SET_VALUE) != ERROR_SUCCESS) return 0;
    if (RegDeleteValueA(key.get(), name) != ERROR_SUCCESS) {
        Trace("ERROR RegDeleteValue", name ? name : "");
        return 0;
    }
    return 1;
}

int SetRegString(RegRoot hive, const char* subkey, const char* name, const char* text)
{
    RegKey key;
    if (key.Open(hive, subkey, KEY_SET_VALUE | KEY_QUERY_VALUE) != ERROR_SUCCESS) {
        Trace("ERROR RegOpenKeyEx:SetRegValue", subkey);
        return 0;
    }
    if (!text) text = "";
    DWORD size = (DWORD)strlen(text) + 1;
    return RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) == ERROR_SUCCESS;
}

int DeleteRegKey(RegRoot hive, const char* subkey)
{
    if (!hive.view) return RegDeleteKeyA(hive.hive, subkey) == ERROR_SUCCESS;
    // RegDeleteKeyA has no view of its own; every system with two views has the Ex form.
    typedef LONG(WINAPI * RegDeleteKeyExFn)(HKEY, LPCSTR, REGSAM, DWORD);
    static RegDeleteKeyExFn deleteKeyEx = reinterpret_cast<RegDeleteKeyExFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")));
    return deleteKeyEx && deleteKeyEx(hive.hive, subkey, hive.view, 0) == ERROR_SUCCESS;
}

int SetRegDword(RegRoot hive, const char* subkey, const char* name, DWORD value)
{
    RegKey key;
    if (key.Open(hive, subkey, KEY_SET_VALUE) != ERROR_SUCCESS) return 0;
    return RegSetValueExA(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
}

bool ReadRegRaw(HKEY key, const char* name, std::string& data, DWORD* type)
{
    data.clear();
    // Most values fit a small buffer: one query instead of asking the size first.
    char small[512];
    DWORD size = sizeof small;
    DWORD valueType = 0;
    LONG first = RegQueryValueExA(key, name, nullptr, &valueType, reinterpret_cast<BYTE*>(small), &size);
    if (first == ERROR_SUCCESS) {
        data.assign(small, size <= sizeof small ? size : sizeof small);
        if (type) *type = valueType;
        return true;
    }
    if (first != ERROR_MORE_DATA) return false;
    for (;;) {
        LONG rc = RegQueryValueExA(key, name, nullptr, &valueType, nullptr, &size);
        if (rc != ERROR_SUCCESS) return false;
        data.assign(size, '\0');
        BYTE* bytes = size ? reinterpret_cast<BYTE*>(&data[0]) : nullptr;
        rc = RegQueryValueExA(key, name, nullptr, &valueType, bytes, &size);
        if (rc == ERROR_MORE_DATA) continue;  // the value grew between the two calls
        if (rc != ERROR_SUCCESS) {
            data.clear();
            return false;
        }
        data.resize(size);
        break;
    }
    if (type) *type = valueType;
    return true;
}

bool ReadRegRaw(RegRoot hive, const char* subkey, const char* name, std::string& data, DWORD* type)
{
    data.clear();
    RegKey key;
    if (key.Open(hive, subkey, KEY_READ) != ERROR_SUCCESS) return false;
    return ReadRegRaw(key.get(), name, data, type);
}

int WriteRegRaw(RegRoot hive, const char* subkey, const char* name, const std::string& data, DWORD type)
{
    RegKey key;
    if (key.Open(hive, subkey, KEY_SET_VALUE) != ERROR_SUCCESS) return 0;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(data.data());
    return RegSetValueExA(key.get(), name, 0, type, bytes, (DWORD)data.size()) == ERROR_SUCCESS;
}

bool RegDataText(const std::string& data, DWORD type, std::string& text)
{
    text.clear();
    if (!IsTextType(type)) return false;
    text = data.c_str();  // a value stored without its terminator still ends here
    if (type == REG_EXPAND_SZ) {
        DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
        if (needed > 0) {
            std::vector<char> expanded(needed + 1, '\0');
            if (ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed + 1) > 0) text = expanded.data();
        }
    }
    return true;
}

bool ReadRegText(HKEY key, const char* name, std::string& text)
{
    text.clear();
    std::string data;
    DWORD type = 0;
    return ReadRegRaw(key, name, data, &type) && RegDataText(data, type, text);
}

bool ReadRegText(RegRoot hive, const char* subkey, const char* name, std::string& text)
{
    text.clear();
    RegKey key;
    if (key.Open(hive, subkey, KEY_READ) != ERROR_SUCCESS) return false;
    return ReadRegText(key.get(), name, text);
}

bool ReadRegValues(RegRoot hive, const char* subkey, std::vector<RegValue>& values)
{
    values.clear();
    RegKey key;
    if (key.Open(hive, subkey, KEY_READ) != ERROR_SUCCESS) return false;
    DWORD count = 0;
    DWORD maxName = 0;
    DWORD maxData = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxName, &maxData,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return true;

    std::vector<char> name(maxName + 2);
    std::vector<BYTE> data(maxData + 2);
    for (DWORD index = 0; index <= count;) {
        DWORD nameSize = (DWORD)name.size();
        DWORD dataSize = (DWORD)data.size();
        DWORD type = 0;
        LONG rc = RegEnumValueA(key.get(), index, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc == ERROR_MORE_DATA) {
            // The name or the data grew since the count was taken: make room and read again.
            name.resize(name.size() * 2 + 256);
            if (dataSize + 2 > data.size()) data.resize(dataSize + 2);
            else data.resize(data.size() * 2);
            continue;
        }
        ++index;
        if (rc != ERROR_SUCCESS) continue;
        values.push_back(RegValue{std::string(name.data(), nameSize),
                                  std::string(reinterpret_cast<const char*>(data.data()), dataSize), type});
    }
    return true;
}

bool RegValueExists(RegRoot hive, const char* subkey, const char* name)
{
    RegKey key;
    if (key.Open(hive, subkey, KEY_READ) != ERROR_SUCCESS) return false;
    return RegQueryValueExA(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}
