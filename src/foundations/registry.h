// Registry helpers: each opens the key, does one thing and closes it again.
// Failures never raise anything; where noted they leave a trace record. A root may name a
// registry view (RegRoot); a bare HKEY is seen as this build sees it.
#pragma once

#include "foundations/handles.h"

#include <windows.h>
#include <string>
#include <vector>

// The program's own keys.
#define VIGILARK_KEY          "Software\\Brondlewick\\Vigilark"
#define VIGILARK_OPTIONS_KEY  "Software\\Brondlewick\\Vigilark\\Options"
#define WINDOWS_CURRENT_VERSION_KEY "Software\\Microsoft\\Windows\\CurrentVersion"

// RegCreateKeyA; 1 on success, else 0 with the trace record "ERROR RegCreateKey".
int CreateRegKey(RegRoot hive, const char* subkey);

// Reads a string value (at most 1024 bytes, REG_EXPAND_SZ expanded). Returns the length
// stored in out, or 0 with out empty when the value is missing, not text, or does not
// fit into capacity (which counts the terminator; the last case leaves a trace record).
int ReadRegString(RegRoot hive, const char* subkey, const char* name, char* out, int capacity);

// Deletes a value; 1 on success. A key that cannot be opened gives 0 without a trace.
int DeleteRegValue(RegRoot hive, const char* subkey, const char* name);

// Writes REG_SZ into an existing key (the key is never created); 1 on success.
int SetRegString(RegRoot hive, const char* subkey, const char* name, const char* text);

// Deletes a key that has no subkeys (RegDeleteKeyA, in the root's view); 1 when deleted.
int DeleteRegKey(RegRoot hive, const char* subkey);

// Writes REG_DWORD into an existing key; 1 on success.
int SetRegDword(RegRoot hive, const char* subkey, const char* name, DWORD value);

// Reads a string value of any length (REG_EXPAND_SZ expanded) into text.
// Returns false, with text empty, when the value is missing or not a string.
bool ReadRegText(HKEY key, const char* name, std::string& text);
bool ReadRegText(RegRoot hive, const char* subkey, const char* name, std::string& text);

// Reads a value exactly as stored: its bytes (terminators included, nothing expanded)
// and its type. False, with data empty, when the value is missing.
bool ReadRegRaw(HKEY key, const char* name, std::string& data, DWORD* type);
bool ReadRegRaw(RegRoot hive, const char* subkey, const char* name, std::string& data, DWORD* type);

// The text of value bytes (up to the terminator), REG_EXPAND_SZ expanded; false, with
// text empty, when the type is not a string type.
bool RegDataText(const std::string& data, DWORD type, std::string& text);

// Writes bytes of the given type into an existing key (never creates it); 1 on success.
int WriteRegRaw(RegRoot hive, const char* subkey, const char* name, const std::string& data, DWORD type);

// One value as enumerated: name and bytes of any length, and its type.
struct RegValue {
    std::string name;
    std::string data;
    DWORD type;
};
// Every value of the key in the order the system enumerates them; false when the key
// cannot be opened. Stops after one step more than the key's value count.
bool ReadRegValues(RegRoot hive, const char* subkey, std::vector<RegValue>& values);

// True when the value exists (of any type).
bool RegValueExists(RegRoot hive, const char* subkey, const char* name);
