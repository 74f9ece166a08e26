// An exact copy of the registry values that make a monitored file type's association, kept
// beside the snapshot so that the resident monitor can put a changed association back byte
// for byte: HKCU\Software\Brondlewick\Vigilark\ExtCopy\<.ext> holds "ClassName" and "Kind"
// (the association recorded) and, under the names of AssociationValues, every value that
// existed then, with its type and bytes (a value not there was absent).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One registry value the association of an extension is read from.
struct AssociationValue {
    const char* name;     // its name in the copy
    HKEY hive;
    std::string subkey;
    const char* value;    // "" for the key's default value
};

// The values behind an association of that kind (extension with its dot): the user's
// Application and ProgID choices, the machine's class of the extension, and the command
// (and play command) of the class.
std::vector<AssociationValue> AssociationValues(const std::string& dotted, const std::string& className, int kind);

// Replaces the copy of the extension with the values as they are now.
bool RecordAssociationCopy(const std::string& dotted, const std::string& className, int kind);
bool HasAssociationCopy(const std::string& dotted);
// Writes every copied value back and deletes those that were absent; true when all of it
// was written.
bool RestoreAssociationCopy(const std::string& dotted);
void DropAssociationCopy(const std::string& dotted);
