// Registry scratch helpers for the integration tests: a key made for a test and removed
// after it, and a value put back as it was (or removed when it did not exist).
#pragma once

#include "support/testing.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

// Creates the key when it is missing and deletes it (with everything below) at the end,
// only when this holder created it.
class ScratchKey {
public:
    ScratchKey(HKEY hive, const char* subkey) : hive_(hive), subkey_(subkey)
    {
        HKEY key = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyExA(hive, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition) == ERROR_SUCCESS) {
            created_ = disposition == REG_CREATED_NEW_KEY;
            RegCloseKey(key);
        }
    }
    ~ScratchKey()
    {
        if (created_) DeleteRegTree(hive_, subkey_.c_str());
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

private:
    HKEY hive_;
    std::string subkey_;
    bool created_ = false;
};

// Remembers a value (or that it is absent) and restores that at the end.
class SavedValue {
public:
    SavedValue(HKEY hive, const char* subkey, const char* name)
        : hive_(hive), subkey_(subkey), name_(name ? name : ""), hasName_(name != nullptr)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(hive, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
        DWORD size = 0;
        if (RegQueryValueExA(key, Name(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
            data_.resize(size);
            existed_ = RegQueryValueExA(key, Name(), nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
        }
        RegCloseKey(key);
    }
    ~SavedValue()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(hive_, subkey_.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        if (existed_)
            RegSetValueExA(key, Name(), 0, type_, data_.data(), (DWORD)data_.size());
        else
            RegDeleteValueA(key, Name());
        RegCloseKey(key);
    }
    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;

private:
    const char* Name() const { return hasName_ ? name_.c_str() : nullptr; }

    HKEY hive_;
    std::string subkey_;
    std::string name_;
    bool hasName_;
    bool existed_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

// Writes a REG_SZ value into an existing key; true on success.
inline bool PutString(HKEY hive, const char* subkey, const char* name, const char* text)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(hive, subkey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return false;
    LONG result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), (DWORD)strlen(text) + 1);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// Reads a string value; "<missing>" when there is none.
inline std::string GetString(HKEY hive, const char* subkey, const char* name)
{
    char text[1024];
    DWORD size = sizeof text;
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(hive, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<missing>";
    LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return "<missing>";
    text[size < sizeof text ? size : sizeof text - 1] = '\0';
    return text;
}
