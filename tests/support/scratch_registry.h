// Registry scratch helpers for the integration tests: a key made for a test and removed
// after it, and a value put back as it was (or removed when it did not exist).
#pragma once

#include "support/testing.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

// Makes sure a key exists; at the end removes the part of its path it had to make (with
// everything below), and nothing when the key was there before.
class ScratchKey {
public:
    ScratchKey(HKEY hive, const std::string& subkey) : hive_(hive)
    {
        for (size_t end = 0; end != std::string::npos;) {
            end = subkey.find('\\', end + 1);
            std::string part = subkey.substr(0, end);
            HKEY key = nullptr;
            if (RegOpenKeyExA(hive, part.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
                RegCloseKey(key);
                continue;
            }
            made_ = part;
            break;
        }
        HKEY key = nullptr;
        if (RegCreateKeyA(hive, subkey.c_str(), &key) == ERROR_SUCCESS) RegCloseKey(key);
    }
    ~ScratchKey()
    {
        if (!made_.empty()) DeleteRegTree(hive_, made_.c_str());
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

private:
    HKEY hive_;
    std::string made_;
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
