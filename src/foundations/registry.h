// Registry helpers: each opens the key, does one thing and closes it again.
// Failures never raise anything; where noted they leave a trace record.
#pragma once

#include <windows.h>
#include <string>

// The program's own keys.
#define VIGILARK_KEY          "Software\\Brondlewick\\Vigilark"
#define VIGILARK_OPTIONS_KEY  "Software\\Brondlewick\\Vigilark\\Options"
#define WINDOWS_CURRENT_VERSION_KEY "Software\\Microsoft\\Windows\\CurrentVersion"

// RegCreateKeyA; 1 on success, else 0 with the trace record "ERROR RegCreateKey".
int CreateRegKey(HKEY hive, const char* subkey);

// Reads a string value (at most 1024 bytes, REG_EXPAND_SZ expanded). Returns the length
// stored in out, or 0 with out empty when the value is missing, not text, or does not
// fit into capacity (which counts the terminator; the last case leaves a trace record).
int ReadRegString(HKEY hive, const char* subkey, const char* name, char* out, int capacity);

// Deletes a value; 1 on success. A key that cannot be opened gives 0 without a trace.
int DeleteRegValue(HKEY hive, const char* subkey, const char* name);

// Writes REG_SZ into an existing key (the key is never created); 1 on success.
int SetRegString(HKEY hive, const char* subkey, const char* name, const char* text);

// Writes REG_DWORD into an existing key; 1 on success.
int SetRegDword(HKEY hive, const char* subkey, const char* name, DWORD value);

// Reads a string value of any length (REG_EXPAND_SZ expanded) into text.
// Returns false, with text empty, when the value is missing or not a string.
bool ReadRegText(HKEY key, const char* name, std::string& text);
bool ReadRegText(HKEY hive, const char* subkey, const char* name, std::string& text);

// True when the value exists (of any type).
bool RegValueExists(HKEY hive, const char* subkey, const char* name);
