// A known list of the resident monitor: the value names of one of the program's keys (the
// known programs, add-ons, tasks, services), read once and then asked without the registry.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class KnownList {
public:
    // Reads the key's value names; false (and an empty list) when the key does not open.
    bool Load(HKEY hive, const char* subkey);
    // The names as given (tests and callers that read them otherwise).
    void Assign(const std::vector<std::string>& names);
    // Whether a value of that name exists, ignoring case as the registry does.
    bool Has(const std::string& name) const;
    // Records a name in the key (made when missing), its data the kind in decimal, as the
    // first run records the known add-ons, tasks and services.
    static bool Record(HKEY hive, const char* subkey, const std::string& name, int kind);
    // Whether the list was read (an absent key means no record was ever made).
    bool Loaded() const { return loaded_; }

private:
    std::vector<std::string> folded_;  // sorted, case folded
    bool loaded_ = false;
};
